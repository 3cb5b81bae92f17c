! The exact text of both path layouts, with numbers too wide for their fields.
program path_stations_layouts
  use checks
  use path_fixture
  implicit none
  character(len=8), parameter :: p_only(1) = ['P       ']

  call stat_loc_standin_add('SW   ', -16.25, -68.125, 0.0)
  call stat_loc_standin_add('NE   ', 45.75, 120.5, 0.0)
  call stat_loc_standin_add('EDGE ', -90.0, -360.0, 0.0)

  ! Layout 1: "   2", then latitude and longitude of epicentre and station.
  call two_stations(60.5, 5.25)
  call run_paths(p_only, [1], 0.0, 1)
  call check_text('layout 1', written, &
    '   2' // nl // '  60.500   5.250 -16.250 -68.125' // nl // &
    '   2' // nl // '  60.500   5.250  45.750 120.500' // nl)

  ! Layout 2: ">>", then longitude and latitude of epicentre, then of station.
  call two_stations(60.5, 5.25)
  call run_paths(p_only, [1], 0.0, 2)
  call check_text('layout 2', written, &
    '>>' // nl // '     5.250    60.500' // nl // '   -68.125   -16.250' // nl // &
    '>>' // nl // '     5.250    60.500' // nl // '   120.500    45.750' // nl)

  ! The widest station values still fit both layouts.
  call forget_stations()
  call new_event(1.0, 2.0)
  call add_reading('EDGE ', 'P', ' ')
  call run_paths(p_only, [1], 0.0, 1)
  call check_text('layout 1, station at the limits', written, &
    '   2' // nl // '   1.000   2.000 -90.000-360.000' // nl)
  call run_paths(p_only, [1], 0.0, 2)
  call check_text('layout 2, station at the limits', written, &
    '>>' // nl // '     2.000     1.000' // nl // '  -360.000   -90.000' // nl)

  ! An epicentre longitude of 12345.5 needs 9 characters: asterisks in the
  ! 8 of layout 1, written in the 10 of layout 2. A latitude of -899.5 is an
  ! epicentre and just fills 8 characters.
  call one_station(-899.5, 12345.5)
  call run_paths(p_only, [1], 0.0, 1)
  call check_text('layout 1, too wide for f8.3', written, &
    '   2' // nl // '-899.500******** -16.250 -68.125' // nl)
  call one_station(-899.5, 12345.5)
  call run_paths(p_only, [1], 0.0, 2)
  call check_text('layout 2, fits f10.3', written, &
    '>>' // nl // ' 12345.500  -899.500' // nl // '   -68.125   -16.250' // nl)

  ! -1234567.0 needs 12 characters: asterisks in both layouts.
  call one_station(60.5, -1234567.0)
  call run_paths(p_only, [1], 0.0, 2)
  call check_text('layout 2, too wide for f10.3', written, &
    '>>' // nl // '**********    60.500' // nl // '   -68.125   -16.250' // nl)
  call one_station(60.5, -1234567.0)
  call run_paths(p_only, [1], 0.0, 1)
  call check_text('layout 1, too wide by far', written, &
    '   2' // nl // '  60.500******** -16.250 -68.125' // nl)
  call finish_checks()

contains

  subroutine two_stations(lat, lon)
    real, intent(in) :: lat, lon
    call forget_stations()
    call new_event(lat, lon)
    call add_reading('SW   ', 'P', '  ')
    call add_reading('NE   ', 'PG', '  ')
    call add_reading('NE   ', 'S', '  ')
  end subroutine

  subroutine one_station(lat, lon)
    real, intent(in) :: lat, lon
    call forget_stations()
    call new_event(lat, lon)
    call add_reading('SW   ', 'P', '  ')
  end subroutine
end program
