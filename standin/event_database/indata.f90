! Stand-in for the package's event reader. Reads one event from the unit's
! current position: the main header line, further header lines (every line
! whose column 80 holds a type other than "4"), phase lines, and the closing
! blank line. At the end of the file a missing closing line is supplied as a
! blank line; nrecord is 0 when no line was read. id is the index of the
! header line of type "I", or 0. At most standin_max_lines lines are stored.
subroutine indata(unit, nstat, nphase, nhead, nrecord, evtype, exp, data, id)
  implicit none
  integer, intent(in) :: unit
  integer, intent(out) :: nstat, nphase, nhead, nrecord, id
  character(len=*), intent(out) :: evtype, exp
  character(len=*), intent(inout) :: data(*)
  include 'event_database_areas.inc'
  integer, parameter :: standin_max_lines = 200
  character(len=80) :: line
  logical :: in_header
  integer :: ios

  nstat = 0
  nphase = 0
  nhead = 0
  nrecord = 0
  id = 0
  evtype = ' '
  exp = ' '
  in_header = .true.
  do while (nrecord < standin_max_lines)
    read(unit, '(a)', iostat=ios) line
    if (ios /= 0) then
      if (nrecord == 0) return
      nrecord = nrecord + 1
      data(nrecord) = ' '
      exit
    end if
    nrecord = nrecord + 1
    data(nrecord) = line
    if (line == ' ') exit
    if (nrecord > 1 .and. (line(80:80) == ' ' .or. line(80:80) == '4')) in_header = .false.
    if (in_header) then
      nhead = nrecord
      if (line(80:80) == 'I') id = nrecord
    else
      nphase = nphase + 1
    end if
  end do
  evtype = data(1)(22:22)
  exp = data(1)(23:23)
end subroutine
