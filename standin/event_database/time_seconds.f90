! Stand-ins for the package's absolute time in seconds (since 1900-01-01
! 00:00:00, proleptic Gregorian calendar) and its inverse.

integer function standin_days_since_1900(year, month, day)
  implicit none
  integer, intent(in) :: year, month, day
  integer :: a, y, m
  a = (14 - month) / 12
  y = year + 4800 - a
  m = month + 12 * a - 3
  standin_days_since_1900 = day + (153 * m + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 &
    - 32045 - 2415021
end function

subroutine timsec(year, month, day, hour, minute, seconds, time)
  implicit none
  integer, intent(in) :: year, month, day, hour, minute
  real, intent(in) :: seconds
  double precision, intent(out) :: time
  integer, external :: standin_days_since_1900
  time = dble(standin_days_since_1900(year, month, day)) * 86400d0 &
    + dble(hour) * 3600d0 + dble(minute) * 60d0 + dble(seconds)
end subroutine

subroutine sectim(time, year, doy, month, day, hour, minute, seconds)
  implicit none
  double precision, intent(in) :: time
  integer, intent(out) :: year, doy, month, day, hour, minute
  real, intent(out) :: seconds
  integer, external :: standin_days_since_1900
  integer :: days, a, b, c, d, e, m
  double precision :: rest
  days = int(floor(time / 86400d0))
  rest = time - dble(days) * 86400d0
  hour = int(rest / 3600d0)
  minute = int((rest - dble(hour) * 3600d0) / 60d0)
  seconds = real(rest - dble(hour) * 3600d0 - dble(minute) * 60d0)
  a = days + 2415021 + 32044
  b = (4 * a + 3) / 146097
  c = a - 146097 * b / 4
  d = (4 * c + 3) / 1461
  e = c - 1461 * d / 4
  m = (5 * e + 2) / 153
  day = e - (153 * m + 2) / 5 + 1
  month = m + 3 - 12 * (m / 10)
  year = 100 * b + d - 4800 + m / 10
  doy = days - standin_days_since_1900(year, 1, 1) + 1
end subroutine
