! Station and source-region lookups on tables that the calling program fills
! itself through the common areas.
program lookup_caller
  use checks
  use mbn_test_support
  use, intrinsic :: ieee_arithmetic, only: ieee_value, ieee_quiet_nan
  implicit none
  include 'mbn_common.inc'
  real, external :: get_station_correction, get_source_correction

  type station_case
    character(len=8) :: station
    integer :: length, phase
    real :: want
  end type
  type source_case
    real :: c1, c2
    integer :: phase
    real :: want
  end type
  type(station_case), allocatable :: stations(:)
  type(source_case), allocatable :: sources(:)
  character(len=64) :: label
  real :: nan
  integer :: i

  nan = ieee_value(nan, ieee_quiet_nan)
  call clear_tables()

  ! Nothing read yet: the not-found values.
  call check_real('empty station table', get_station_correction('BER  ', 1), 0.0, 0.0)
  call check_real('empty source table', get_source_correction(55.0, 15.0, 1), -999.0, 0.0)

  station_count = 5
  call set_station(1, 'BER  ', 0.1, -0.2)
  call set_station(2, 'KONO ', 0.3, 0.4)
  call set_station(3, 'BER  ', 9.0, 9.0)
  call set_station(4, 'ber  ', 5.0, 5.5)
  call set_station(5, 'ABCDE', 0.7, 0.8)
  ! Behind the count: never looked at.
  call set_station(6, 'LATE ', 6.0, 6.0)

  allocate(stations, source=[ &
    station_case('BER     ', 5, 1, 0.1), &   ! the first of two equal codes
    station_case('BER     ', 5, 2, -0.2), &
    station_case('ber     ', 5, 1, 5.0), &   ! case counts
    station_case('KONO    ', 5, 2, 0.4), &
    station_case('BERG    ', 5, 1, 0.0), &   ! not in the table: 0.0
    station_case(' BER    ', 5, 1, 0.0), &
    station_case('ABCDEFGH', 8, 2, 0.8), &   ! only the first five count
    station_case('BER     ', 3, 1, 0.1), &   ! a shorter text is blank-padded
    station_case('LATE    ', 5, 1, 0.0)])
  do i = 1, size(stations)
    write(label, '(a,a,a,i0,a,i0)') 'station [', stations(i)%station(1:stations(i)%length), &
      '] phase ', stations(i)%phase
    call check_real(label, get_station_correction(stations(i)%station(1:stations(i)%length), &
      stations(i)%phase), stations(i)%want, 0.0)
  end do

  ! Region 1 lies inside region 2; region 3 is behind the count.
  source_count = 2
  call set_region(1, [10.0, 20.0, 50.0, 60.0], 0.1, 0.2)
  call set_region(2, [0.0, 30.0, 40.0, 70.0], 0.5, 0.6)
  call set_region(3, [-90.0, 90.0, -180.0, 180.0], 3.0, 3.0)

  allocate(sources, source=[ &
    source_case(55.0, 15.0, 1, 0.1), &
    source_case(55.0, 15.0, 2, 0.2), &
    source_case(50.0, 10.0, 1, 0.1), &    ! the four corners are inside
    source_case(60.0, 20.0, 1, 0.1), &
    source_case(50.0, 20.0, 2, 0.2), &
    source_case(60.0, 10.0, 2, 0.2), &
    source_case(60.5, 15.0, 1, 0.5), &    ! just outside region 1
    source_case(55.0, 9.9, 2, 0.6), &
    source_case(70.0, 0.0, 1, 0.5), &
    source_case(75.0, 15.0, 1, -999.0), & ! outside every region
    source_case(55.0, 31.0, 2, -999.0), &
    source_case(15.0, 55.0, 1, -999.0), & ! coordinates swapped
    source_case(nan, 15.0, 1, -999.0), &
    source_case(55.0, nan, 1, -999.0)])
  do i = 1, size(sources)
    write(label, '(a,f6.1,a,f6.1,a,i0)') 'region at ', sources(i)%c1, ',', sources(i)%c2, &
      ' phase ', sources(i)%phase
    call check_real(label, get_source_correction(sources(i)%c1, sources(i)%c2, &
      sources(i)%phase), sources(i)%want, 0.0)
  end do
  deallocate(stations, sources)
  call finish_checks()

contains

  subroutine set_station(n, code, pn, sn)
    integer, intent(in) :: n
    character(len=5), intent(in) :: code
    real, intent(in) :: pn, sn
    station_code(n) = code
    station_corr(n, 1) = pn
    station_corr(n, 2) = sn
  end subroutine

  subroutine set_region(n, box, pn, sn)
    integer, intent(in) :: n
    real, intent(in) :: box(4), pn, sn
    source_box(n, :) = box
    source_corr(n, 1) = pn
    source_corr(n, 2) = sn
  end subroutine
end program
