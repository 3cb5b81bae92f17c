! Stand-ins for the package's file opening, closing and write-status
! routines. Every call is counted in /standin_calls/.

subroutine keldaopen(action, message, name, unit, existed, status)
  implicit none
  integer, intent(in) :: action
  character(len=*), intent(in) :: message, name
  integer, intent(out) :: unit, status
  logical, intent(out) :: existed
  include 'event_database_areas.inc'
  standin_opens = standin_opens + 1
  inquire(file=trim(name), exist=existed)
  if (standin_read_only) then
    open(newunit=unit, file=trim(name), status='unknown', iostat=status)
    close(unit)
    open(newunit=unit, file=trim(name), status='old', action='read', iostat=status)
  else
    open(newunit=unit, file=trim(name), status='unknown', iostat=status)
  end if
end subroutine

subroutine keldaclose(action, unit, status)
  implicit none
  integer, intent(in) :: action, unit
  integer, intent(out) :: status
  include 'event_database_areas.inc'
  standin_closes = standin_closes + 1
  close(unit, iostat=status)
end subroutine

subroutine keldacode(action, status, unit, eof)
  implicit none
  integer, intent(in) :: action, status, unit
  logical, intent(out) :: eof
  include 'event_database_areas.inc'
  standin_codes = standin_codes + 1
  if (status /= 0) then
    standin_bad_codes = standin_bad_codes + 1
    write(*, *) 'Write error on unit', unit, ', status', status
  end if
  eof = .false.
end subroutine
