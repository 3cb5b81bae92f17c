! Stand-in for the analysis package's station look-up, used by tests and the
! demo: a small built-in table of stations, to which a program may add its
! own entries. An unknown station gets latitude, longitude and elevation 0,
! as the package's look-up gives.
!
! Every call is recorded in common /stat_loc_calls/ (count) and
! /stat_loc_last/ (last station code and option text), so that a program can
! see what the look-up was asked.

subroutine stat_loc(station, option, lat, lon, elev)
  implicit none
  character(len=5), intent(in) :: station
  character(len=1), intent(in) :: option
  real, intent(out) :: lat, lon, elev
  integer, parameter :: nbuiltin = 6
  character(len=5), parameter :: codes(nbuiltin) = &
    ['BERG ', 'KONO ', 'HRV  ', 'LPAZ ', 'SNZO ', 'ASCN ']
  real, parameter :: lats(nbuiltin) = [60.385, 59.649, 42.506, -16.288, -41.309, -7.933]
  real, parameter :: lons(nbuiltin) = [5.334, 9.598, -71.558, -68.131, 174.704, -14.360]
  real, parameter :: elevs(nbuiltin) = [44.0, 216.0, 200.0, 4720.0, 120.0, 173.0]
  integer :: ncalls, nadded, i
  character(len=5) :: last_station
  character(len=1) :: last_option
  character(len=5) :: added_codes(50)
  real :: added_lat(50), added_lon(50), added_elev(50)
  common /stat_loc_calls/ ncalls
  common /stat_loc_last/ last_station, last_option
  common /stat_loc_added/ nadded, added_lat, added_lon, added_elev
  common /stat_loc_added_codes/ added_codes

  ncalls = ncalls + 1
  last_station = station
  last_option = option
  lat = 0.0
  lon = 0.0
  elev = 0.0
  ! Added entries come first, so that a program can override the table.
  do i = 1, nadded
    if (added_codes(i) == station) then
      lat = added_lat(i)
      lon = added_lon(i)
      elev = added_elev(i)
      return
    end if
  end do
  do i = 1, nbuiltin
    if (codes(i) == station) then
      lat = lats(i)
      lon = lons(i)
      elev = elevs(i)
      return
    end if
  end do
end subroutine

! Adds a station to the look-up table (at most 50 added stations).
subroutine stat_loc_standin_add(station, lat, lon, elev)
  implicit none
  character(len=5), intent(in) :: station
  real, intent(in) :: lat, lon, elev
  integer :: nadded
  character(len=5) :: added_codes(50)
  real :: added_lat(50), added_lon(50), added_elev(50)
  common /stat_loc_added/ nadded, added_lat, added_lon, added_elev
  common /stat_loc_added_codes/ added_codes
  if (nadded >= 50) stop 'stat_loc stand-in: table of added stations full'
  nadded = nadded + 1
  added_codes(nadded) = station
  added_lat(nadded) = lat
  added_lon(nadded) = lon
  added_elev(nadded) = elev
end subroutine

! Empties the event reading area as the package's reading routine does
! before an event is read: no readings, no epicentre.
subroutine event_reading_clear()
  implicit none
  include 'event_reading_area.inc'
  rea_nphase = 0
  hyp_lat(1) = -999.0
  hyp_lon(1) = -999.0
end subroutine
