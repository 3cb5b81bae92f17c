! Which readings become paths: weight, phase-name prefixes, several matching
! list entries, the epicentre and the usability of a station's location.
program path_stations_selection
  use checks
  use path_fixture
  implicit none
  ! A path in layout 1 is "   2" and a line of 32 characters, each ended.
  integer, parameter :: layout1_bytes = 4 + 1 + 32 + 1

  type weight_case
    character(len=2) :: text
    real :: min_weight
    integer :: paths
  end type
  ! "(f2.1)": one implied decimal, blanks ignored, a decimal point as written.
  type(weight_case), parameter :: weight_cases(*) = [ &
    weight_case('  ', 0.0, 1), weight_case('  ', 0.5, 0), weight_case('  ', -1.0, 1), &
    weight_case('10', 1.0, 1), weight_case('9 ', 1.0, 0), weight_case(' 9', 1.0, 0), &
    weight_case('5 ', 0.5, 1), weight_case(' 5', 0.5, 1), weight_case('4 ', 0.5, 0), &
    weight_case('.5', 0.5, 1), weight_case('1.', 1.0, 1), weight_case('20', 1.5, 1), &
    weight_case('15', 2.0, 0)]

  type prefix_case
    character(len=8) :: entry
    integer :: length
    integer :: paths
  end type
  ! The reading's phase name is PN.
  type(prefix_case), parameter :: prefix_cases(*) = [ &
    prefix_case('P', 1, 1), prefix_case('PG', 1, 1), prefix_case('PN', 2, 1), &
    prefix_case('PG', 2, 0), prefix_case('PN', 3, 1), prefix_case('PNX', 3, 0), &
    prefix_case('PN', 8, 1), prefix_case('PN', 9, 1), prefix_case('PNKP', 2, 1), &
    prefix_case('S', 1, 0), prefix_case('p', 1, 0), prefix_case('S', 0, 1), &
    prefix_case('S', -4, 1), prefix_case(' ', 0, 1)]

  type epicentre_case
    real :: lat
    integer :: paths
  end type
  type(epicentre_case), parameter :: epicentre_cases(*) = [ &
    epicentre_case(-900.0, 0), epicentre_case(-999.0, 0), epicentre_case(-1.0e6, 0), &
    epicentre_case(-899.5, 1), epicentre_case(-45.0, 1)]

  type location_case
    character(len=5) :: code
    real :: lat, lon
    integer :: paths
  end type
  ! IEEE single-precision quiet NaN and infinity, by their bits.
  real, parameter :: nan = transfer(int(z'7FC00000'), 0.0)
  real, parameter :: inf = transfer(int(z'7F800000'), 0.0)
  real, parameter :: minus_inf = -inf
  ! Stations south of the equator and west of the prime meridian are plotted;
  ! only a look-up that gives nothing usable drops the reading.
  type(location_case), parameter :: location_cases(*) = [ &
    location_case('NE   ', 45.75, 120.5, 1), location_case('S    ', -33.875, 151.25, 1), &
    location_case('W    ', 40.5, -70.25, 1), location_case('SW   ', -16.25, -68.125, 1), &
    location_case('EQU  ', 0.0, 30.5, 1), location_case('GRW  ', 51.5, 0.0, 1), &
    location_case('NPOL ', 90.0, 0.0, 1), location_case('SPOL ', -90.0, 0.0, 1), &
    location_case('E360 ', 10.0, 360.0, 1), location_case('W360 ', 10.0, -360.0, 1), &
    location_case('ZERO ', 0.0, 0.0, 0), location_case('LAT91', 90.5, 10.0, 0), &
    location_case('LATS9', -90.5, 10.0, 0), location_case('LONE3', 10.0, 360.5, 0), &
    location_case('LONW3', 10.0, -361.0, 0), location_case('NANLA', nan, 10.0, 0), &
    location_case('NANLO', 10.0, nan, 0), location_case('INFLA', inf, 10.0, 0), &
    location_case('INFLO', 10.0, minus_inf, 0)]
  integer :: i
  character(len=40) :: label

  do i = 1, size(location_cases)
    call stat_loc_standin_add(location_cases(i)%code, location_cases(i)%lat, &
                              location_cases(i)%lon, 0.0)
  end do

  ! Weight against min_weight.
  do i = 1, size(weight_cases)
    write(label, '(a,a,a,f4.1)') 'weight "', weight_cases(i)%text, '" min ', &
      weight_cases(i)%min_weight
    call one_reading('BERG ', 'P', weight_cases(i)%text, 60.5)
    call run_paths(['P       '], [1], weight_cases(i)%min_weight, 1)
    call expect_paths(label, weight_cases(i)%paths)
  end do

  ! Leading characters of the phase name against one list entry.
  do i = 1, size(prefix_cases)
    write(label, '(a,a,a,i0)') 'entry "', trim(prefix_cases(i)%entry), '" length ', &
      prefix_cases(i)%length
    call one_reading('BERG ', 'PN', ' ', 60.5)
    call run_paths([prefix_cases(i)%entry], [prefix_cases(i)%length], 0.0, 1)
    call expect_paths(label, prefix_cases(i)%paths)
  end do

  ! A reading matching several entries gives one path per matching entry.
  call one_reading('BERG ', 'PN', ' ', 60.5)
  call run_paths(['P       ', 'PN      ', 'S       ', 'PNX     '], [1, 2, 1, 3], 0.0, 1)
  call expect_paths('PN through entries P and PN', 2)
  call one_reading('BERG ', 'PN', ' ', 60.5)
  call run_paths(['S       ', 'S       ', 'S       '], [0, -1, 1], 0.0, 1)
  call expect_paths('PN through lengths 0 and -1', 2)
  ! A length past the eight characters of a name compares the eight only,
  ! whatever lies behind the name and the entry.
  call one_reading('BERG ', 'PN', ' ', 60.5)
  call add_reading('XXXXX', 'S', ' ')
  call run_paths(['PN      ', 'X       '], [9, 1], 0.0, 1)
  call expect_paths('length 9 against the next name', 1)
  ! Weight and name must hold for the same entry.
  call one_reading('BERG ', 'PN', '5 ', 60.5)
  call run_paths(['PN      '], [2], 0.75, 1)
  call expect_paths('name matches, weight too low', 0)

  ! No phase readings, or no list entries: nothing at all.
  call forget_stations()
  call new_event(60.5, 5.25)
  call run_paths(['P       '], [0], 0.0, 1)
  call expect_paths('event without readings', 0)
  call one_reading('BERG ', 'P', ' ', 60.5)
  call run_paths(['P       '], [0], 0.0, 1, nlist=0)
  call expect_paths('nlist 0', 0)
  call one_reading('BERG ', 'P', ' ', 60.5)
  call run_paths(['P       '], [0], 0.0, 1, nlist=-2)
  call expect_paths('negative nlist', 0)

  ! Without an epicentre no path is written and no station collected.
  do i = 1, size(epicentre_cases)
    write(label, '(a,f10.1)') 'epicentre latitude', epicentre_cases(i)%lat
    call one_reading('BERG ', 'P', ' ', epicentre_cases(i)%lat)
    call run_paths(['P       '], [1], 0.0, 1)
    call expect_paths(label, epicentre_cases(i)%paths)
  end do

  ! Whether the location returned by the look-up is used.
  do i = 1, size(location_cases)
    label = 'location of ' // location_cases(i)%code
    call one_reading(location_cases(i)%code, 'P', ' ', 60.5)
    call run_paths(['P       '], [1], 0.0, 1)
    call expect_paths(label, location_cases(i)%paths)
    if (location_cases(i)%paths == 1) then
      call check_text(trim(label) // ' code', stations(1), location_cases(i)%code)
      call check_true(trim(label) // ' lat', station_lat(1) == location_cases(i)%lat)
      call check_true(trim(label) // ' lon', station_lon(1) == location_cases(i)%lon)
    end if
  end do
  ! A station the look-up does not know.
  call one_reading('XXXXX', 'P', ' ', 60.5)
  call run_paths(['P       '], [1], 0.0, 1)
  call expect_paths('unknown station', 0)
  ! A known southern and western station of the package's table.
  call one_reading('LPAZ ', 'P', ' ', 60.5)
  call run_paths(['P       '], [1], 0.0, 1)
  call expect_paths('LPAZ from the table', 1)
  call finish_checks()

contains

  ! A fresh station list and an event with one reading.
  subroutine one_reading(station, phase, weight, epicentre_lat)
    character(len=*), intent(in) :: station, phase, weight
    real, intent(in) :: epicentre_lat
    call forget_stations()
    call new_event(epicentre_lat, 5.25)
    call add_reading(station, phase, weight)
  end subroutine

  ! The call found `paths` paths (each from the one reading's station),
  ! collected the station once when it found any, and wrote them all.
  subroutine expect_paths(label, paths)
    character(len=*), intent(in) :: label
    integer, intent(in) :: paths
    call check_int(trim(label) // ': npath', npath, paths)
    call check_int(trim(label) // ': stations', nstations, min(paths, 1))
    call check_int(trim(label) // ': bytes written', len(written), paths * layout1_bytes)
  end subroutine
end program
