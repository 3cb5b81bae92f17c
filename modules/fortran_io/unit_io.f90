! Calling layer between the object modules (written in C++) and the Fortran
! runtime of the calling program. The units that a module reads and writes
! belong to the calling program, so they are reached only through these
! statements, which the runtime executes exactly as in any Fortran program:
! a statement without a status that fails stops the program with the
! runtime's own message.
!
! Every routine is an ordinary external procedure: arguments by reference,
! hidden text lengths (64-bit) after the visible arguments.

subroutine unitio_rewind(unit)
  implicit none
  integer, intent(in) :: unit
  rewind(unit)
end subroutine

! Reads one record as text of the given length: a shorter record is padded
! with blanks, the rest of a longer one is ignored. at_end is 1 at the end of
! the file, else 0; any other failure stops the program.
subroutine unitio_read_record(unit, text, at_end)
  implicit none
  integer, intent(in) :: unit
  character(len=*), intent(inout) :: text
  integer, intent(out) :: at_end
  at_end = 0
  read(unit, '(a)', end=100) text
  return
100 at_end = 1
end subroutine

subroutine unitio_write_record(unit, text)
  implicit none
  integer, intent(in) :: unit
  character(len=*), intent(in) :: text
  write(unit, '(a)') text
end subroutine

! As unitio_write_record, but a failure is returned in status (iostat)
! instead of stopping the program.
subroutine unitio_write_record_status(unit, text, status)
  implicit none
  integer, intent(in) :: unit
  character(len=*), intent(in) :: text
  integer, intent(out) :: status
  write(unit, '(a)', iostat=status) text
end subroutine

subroutine unitio_close(unit)
  implicit none
  integer, intent(in) :: unit
  close(unit)
end subroutine

subroutine unitio_close_delete(unit)
  implicit none
  integer, intent(in) :: unit
  close(unit, status='delete')
end subroutine

! List-directed output: the runtime starts the line with one blank.
subroutine unitio_list_text(unit, text)
  implicit none
  integer, intent(in) :: unit
  character(len=*), intent(in) :: text
  write(unit, *) text
end subroutine

subroutine unitio_list_text_real(unit, text, value)
  implicit none
  integer, intent(in) :: unit
  character(len=*), intent(in) :: text
  real, intent(in) :: value
  write(unit, *) text, value
end subroutine

! Formatted read from text in memory: nint integers, then nreal reals, with
! the edit descriptors of fmt. A field that is not a number stops the program.
subroutine unitio_read_values(text, fmt, ints, nint, reals, nreal)
  implicit none
  character(len=*), intent(in) :: text, fmt
  integer, intent(in) :: nint, nreal
  integer, intent(inout) :: ints(*)
  real, intent(inout) :: reals(*)
  integer :: i
  read(text, fmt) (ints(i), i = 1, nint), (reals(i), i = 1, nreal)
end subroutine

! Formatted write into text in memory: nint integers, then nreal reals. The
! text is blank-filled first; a number too wide for its field comes out as
! asterisks.
subroutine unitio_write_values(text, fmt, ints, nint, reals, nreal)
  implicit none
  character(len=*), intent(inout) :: text
  character(len=*), intent(in) :: fmt
  integer, intent(in) :: nint, nreal
  integer, intent(in) :: ints(*)
  real, intent(in) :: reals(*)
  integer :: i
  write(text, fmt) (ints(i), i = 1, nint), (reals(i), i = 1, nreal)
end subroutine
