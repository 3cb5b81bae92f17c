! Fixture of the path listing tests: an event in the package's event reading
! area, the caller's station list, and one call of path_stations with its
! output on a file that is read back whole.
module path_fixture
  implicit none
  include 'event_reading_area.inc'
  integer, parameter :: out_unit = 31
  integer, parameter :: max_stations = 50
  ! Named after the program, so that test programs running at the same
  ! time in one directory do not share a file.
  character(len=:), allocatable :: out_file
  character(len=1), parameter :: nl = new_line('a')
  character(len=5) :: stations(max_stations)
  real :: station_lat(max_stations), station_lon(max_stations)
  integer :: nstations = 0
  integer :: npath = -1
  ! Everything the call wrote on the unit, line ends included.
  character(len=:), allocatable :: written
contains

  subroutine new_event(lat, lon)
    real, intent(in) :: lat, lon
    call event_reading_clear()
    hyp_lat(1) = lat
    hyp_lon(1) = lon
  end subroutine

  subroutine add_reading(station, phase, weight)
    character(len=*), intent(in) :: station, phase, weight
    rea_nphase = rea_nphase + 1
    rea_stat(rea_nphase) = station
    rea_phase(rea_nphase) = phase
    rea_weight(rea_nphase) = weight
  end subroutine

  subroutine forget_stations()
    nstations = 0
    stations = '?????'
    station_lat = -1.0e6
    station_lon = -1.0e6
  end subroutine

  ! Calls path_stations with list(1:nlist) (all of list when nlist is
  ! absent) on a fresh output file and reads the file back into `written`.
  subroutine run_paths(list, lens, min_weight, mode, nlist)
    character(len=8), intent(in) :: list(:)
    integer, intent(in) :: lens(:)
    real, intent(in) :: min_weight
    integer, intent(in) :: mode
    integer, intent(in), optional :: nlist
    external path_stations
    integer :: n
    n = size(list)
    if (present(nlist)) n = nlist
    if (.not. allocated(out_file)) call name_out_file()
    npath = -1
    open(out_unit, file=out_file, status='replace', action='write')
    call path_stations(out_unit, list, n, lens, min_weight, npath, mode, &
                       stations, station_lat, station_lon, nstations)
    close(out_unit)
    call read_back()
  end subroutine

  subroutine name_out_file()
    character(len=256) :: program_path
    call get_command_argument(0, program_path)
    out_file = trim(program_path(index(program_path, '/', back=.true.) + 1:)) // '.out'
  end subroutine

  subroutine read_back()
    integer :: size_bytes
    if (allocated(written)) deallocate(written)
    open(out_unit, file=out_file, access='stream', form='unformatted', status='old')
    inquire(unit=out_unit, size=size_bytes)
    allocate(character(len=size_bytes) :: written)
    if (size_bytes > 0) read(out_unit) written
    close(out_unit)
  end subroutine
end module path_fixture
