! The caller's station list across calls, npath per call, the look-up's
! arguments, and the layouts that write nothing but still count and collect.
program path_stations_station_list
  use checks
  use path_fixture
  implicit none
  integer :: ncalls
  character(len=5) :: last_station
  character(len=1) :: last_option
  common /stat_loc_calls/ ncalls
  common /stat_loc_last/ last_station, last_option
  character(len=8), parameter :: any_phase(1) = ['        ']
  integer :: calls_before, i
  character(len=40) :: label
  ! Bytes per path: layout 1 "   2" and 32 characters; layout 2 ">>" and two
  ! lines of 20 characters; each line ended by one newline.
  integer, parameter :: modes(*) = [1, 2, 3, 0, -1]
  integer, parameter :: bytes_per_path(*) = [4 + 1 + 32 + 1, 2 + 1 + 2 * (20 + 1), 0, 0, 0]

  call stat_loc_standin_add('ABCD ', 10.5, 20.5, 0.0)
  call stat_loc_standin_add('ABCDE', 11.5, 21.5, 0.0)
  call stat_loc_standin_add(' ABCD', 12.5, 22.5, 0.0)

  ! First event: two readings of BERG, one of KONO, one of a station the
  ! look-up does not know. Every selected reading is looked up with "0".
  call forget_stations()
  call new_event(60.5, 5.25)
  call add_reading('BERG ', 'P', ' ')
  call add_reading('BERG ', 'S', ' ')
  call add_reading('KONO ', 'P', ' ')
  call add_reading('XXXXX', 'P', ' ')
  calls_before = ncalls
  call run_paths(any_phase, [0], 0.0, 1)
  call check_int('first event: look-ups', ncalls - calls_before, 4)
  call check_text('look-up option', last_option, '0')
  call check_text('last station looked up', last_station, 'XXXXX')
  call check_int('first event: npath', npath, 3)
  call check_int('first event: stations', nstations, 2)
  call expect_station(1, 'BERG ', 60.385, 5.334)
  call expect_station(2, 'KONO ', 59.649, 9.598)

  ! Second event: KONO again and LPAZ. npath counts this call only; KONO
  ! keeps its place and LPAZ is appended.
  call new_event(-20.5, -70.25)
  call add_reading('KONO ', 'P', ' ')
  call add_reading('LPAZ ', 'P', ' ')
  call run_paths(any_phase, [0], 0.0, 1)
  call check_text('second event: last station looked up', last_station, 'LPAZ ')
  call check_int('second event: npath', npath, 2)
  call check_int('second event: stations', nstations, 3)
  call expect_station(1, 'BERG ', 60.385, 5.334)
  call expect_station(2, 'KONO ', 59.649, 9.598)
  call expect_station(3, 'LPAZ ', -16.288, -68.131)

  ! All five characters of a code count.
  call new_event(60.5, 5.25)
  call add_reading('ABCD ', 'P', ' ')
  call add_reading('ABCDE', 'P', ' ')
  call add_reading(' ABCD', 'P', ' ')
  call add_reading('ABCDE', 'P', ' ')
  call run_paths(any_phase, [0], 0.0, 1)
  call check_int('five characters: npath', npath, 4)
  call check_int('five characters: stations', nstations, 6)
  call expect_station(4, 'ABCD ', 10.5, 20.5)
  call expect_station(5, 'ABCDE', 11.5, 21.5)
  call expect_station(6, ' ABCD', 12.5, 22.5)

  ! A station already in the list keeps the values stored there, while its
  ! path is drawn to the location the look-up gives now.
  station_lat(2) = 11.0
  station_lon(2) = 22.0
  call new_event(60.5, 5.25)
  call add_reading('KONO ', 'P', ' ')
  call run_paths(any_phase, [0], 0.0, 1)
  call check_int('known station: npath', npath, 1)
  call check_int('known station: stations', nstations, 6)
  call expect_station(2, 'KONO ', 11.0, 22.0)
  call check_text('known station: path', written, &
                  '   2' // nl // '  60.500   5.250  59.649   9.598' // nl)

  ! Every layout counts and collects; only layouts 1 and 2 write.
  do i = 1, size(modes)
    write(label, '(a,i0)') 'mode ', modes(i)
    call forget_stations()
    call new_event(60.5, 5.25)
    call add_reading('BERG ', 'P', ' ')
    call add_reading('LPAZ ', 'P', ' ')
    call add_reading('BERG ', 'P', ' ')
    call run_paths(any_phase, [0], 0.0, modes(i))
    call check_int(trim(label) // ': npath', npath, 3)
    call check_int(trim(label) // ': stations', nstations, 2)
    call expect_station(1, 'BERG ', 60.385, 5.334)
    call expect_station(2, 'LPAZ ', -16.288, -68.131)
    call check_int(trim(label) // ': bytes written', len(written), 3 * bytes_per_path(i))
  end do
  call finish_checks()

contains

  subroutine expect_station(k, code, lat, lon)
    integer, intent(in) :: k
    character(len=5), intent(in) :: code
    real, intent(in) :: lat, lon
    character(len=12) :: which
    write(which, '(a,i0)') 'station ', k
    call check_text(trim(which) // ' code', stations(k), code)
    call check_true(trim(which) // ' lat', station_lat(k) == lat)
    call check_true(trim(which) // ' lon', station_lon(k) == lon)
  end subroutine
end program
