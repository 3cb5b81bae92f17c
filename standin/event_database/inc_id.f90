! Stand-in for the package's ID increment: advances the ID in columns 61-74
! of idline by one second and writes the same time into the time fields of
! the first nf characters of outfl (34: name below the database root, 19:
! name in the working directory), zero-filled.
subroutine inc_id(idline, outfl, nf)
  implicit none
  character(len=*), intent(inout) :: idline, outfl
  integer, intent(in) :: nf
  include 'event_database_areas.inc'
  integer :: year, doy, month, day, hour, minute, isec
  real :: seconds
  double precision :: time
  standin_increments = standin_increments + 1
  read(idline(61:74), '(i4,5i2)') year, month, day, hour, minute, isec
  call timsec(year, month, day, hour, minute, real(isec), time)
  call sectim(time + 1d0, year, doy, month, day, hour, minute, seconds)
  isec = nint(seconds)
  write(idline(61:74), '(i4.4,5i2.2)') year, month, day, hour, minute, isec
  if (nf == 34) then
    write(outfl(8:11), '(i4.4)') year
    write(outfl(13:14), '(i2.2)') month
    write(outfl(16:17), '(i2.2)') day
    write(outfl(19:22), '(2i2.2)') hour, minute
    write(outfl(24:25), '(i2.2)') isec
    write(outfl(29:34), '(i4.4,i2.2)') year, month
  else
    write(outfl(1:2), '(i2.2)') day
    write(outfl(4:7), '(2i2.2)') hour, minute
    write(outfl(9:10), '(i2.2)') isec
    write(outfl(14:19), '(i4.4,i2.2)') year, month
  end if
end subroutine
