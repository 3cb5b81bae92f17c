! A weight text that is not a number: the read has no status, so the
! runtime stops the calling program.
program path_stations_bad_weight
  implicit none
  include 'event_reading_area.inc'
  external path_stations
  character(len=5) :: stations(4)
  real :: station_lat(4), station_lon(4)
  integer :: nstations, npath
  call event_reading_clear()
  hyp_lat(1) = 60.5
  hyp_lon(1) = 5.25
  rea_nphase = 1
  rea_stat(1) = 'BERG '
  rea_phase(1) = 'P'
  rea_weight(1) = 'X1'
  nstations = 0
  open(32, file='path_bad_weight.txt', status='replace')
  call path_stations(32, ['P       '], 1, [1], 0.0, npath, 1, &
                     stations, station_lat, station_lon, nstations)
  print *, 'not reached: the weight read should have stopped the program'
end program
