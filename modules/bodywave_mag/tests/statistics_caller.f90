! av and sd called as the package calls them.
program statistics_caller
  use checks
  use, intrinsic :: ieee_arithmetic, only: ieee_is_nan
  implicit none
  external av, sd
  type stat_case
    character(len=40) :: label
    integer :: n
    real :: values(3), mean, want_average, want_deviation
  end type
  type(stat_case), allocatable :: cases(:)
  real :: average, deviation
  integer :: i

  allocate(cases, source=[ &
    stat_case('1 2 3', 3, [1.0, 2.0, 3.0], 2.0, 2.0, sqrt(2.0 / 3.0)), &
    stat_case('1 2 3 about 0', 3, [1.0, 2.0, 3.0], 0.0, 2.0, sqrt(14.0 / 3.0)), &
    stat_case('first two of 1 2 3', 2, [1.0, 2.0, 3.0], 1.0, 1.5, sqrt(0.5)), &
    ! Summed in single precision from the first value: 1e8 + 1 rounds back
    ! to 1e8, so the sum is 0, not 1. About mean 1e8 the squares are 0,
    ! (1 - 1e8)**2 = 1e16 and (2e8)**2 = 4e16 in single precision, added
    ! in that order.
    stat_case('rounding order', 3, [1.0e8, 1.0, -1.0e8], 1.0e8, 0.0, &
              sqrt(((0.0 + 1.0e16) + 4.0e16) / 3.0)), &
    stat_case('n below 0', -2, [1.0, 2.0, 3.0], 1.0, 0.0, 0.0)])
  do i = 1, size(cases)
    average = 99.0
    deviation = 99.0
    call av(cases(i)%values, cases(i)%n, average)
    call sd(cases(i)%values, cases(i)%n, cases(i)%mean, deviation)
    call check_real(trim(cases(i)%label) // ': av', average, cases(i)%want_average, 0.0)
    call check_real(trim(cases(i)%label) // ': sd', deviation, cases(i)%want_deviation, 0.0)
  end do

  ! No values: 0 / 0.
  call av(cases(1)%values, 0, average)
  call sd(cases(1)%values, 0, 2.0, deviation)
  call check_true('av of none is not a number', ieee_is_nan(average))
  call check_true('sd of none is not a number', ieee_is_nan(deviation))
  deallocate(cases)
  call finish_checks()
end program
