! Helpers of the magnitude caller programs: parameter lines built column by
! column, parameter files, the common areas cleared from the Fortran side,
! and standard output captured into a file to check the messages.
module mbn_test_support
  implicit none
  private
  public :: put, keyword_line, source_columns, write_file, read_parameters, clear_tables
  public :: capture_output, captured_lines
  integer, parameter :: file_unit = 40
contains

  ! Places text in line from column col on.
  subroutine put(line, col, text)
    character(len=*), intent(inout) :: line
    integer, intent(in) :: col
    character(len=*), intent(in) :: text
    line(col:col + len(text) - 1) = text
  end subroutine

  ! An 80-column line: keyword from column 1, a name or code from column 21
  ! and the value columns from column 41.
  function keyword_line(keyword, name, values) result(line)
    character(len=*), intent(in) :: keyword, name, values
    character(len=80) :: line
    line = keyword
    if (len(name) > 0) call put(line, 21, name)
    if (len(values) > 0) call put(line, 41, values)
  end function

  ! Columns 41-80 of a SOURCE CORRECTION line from the digits of its six
  ! fields: four bounds with one implied decimal, two corrections with three.
  function source_columns(digits) result(text)
    integer, intent(in) :: digits(6)
    character(len=40) :: text
    write(text, '(4(i6,1x),2i6)') digits
  end function

  ! Writes each line trimmed of trailing blanks, as an editor would.
  subroutine write_file(name, lines)
    character(len=*), intent(in) :: name
    character(len=*), intent(in) :: lines(:)
    integer :: i
    open(file_unit, file=name, status='replace', action='write')
    do i = 1, size(lines)
      write(file_unit, '(a)') trim(lines(i))
    end do
    close(file_unit)
  end subroutine

  subroutine read_parameters(name)
    character(len=*), intent(in) :: name
    external read_mbn
    open(file_unit, file=name, status='old', action='read')
    call read_mbn(file_unit)
    close(file_unit)
  end subroutine

  subroutine clear_tables()
    include 'mbn_common.inc'
    source_name = ' '
    station_code = ' '
    scale_mbpn = 0.0
    scale_mbsn = 0.0
    scale_mbsnhf = 0.0
    gvel_pn = 0.0
    gvel_sn = 0.0
    station_corr = 0.0
    source_box = 0.0
    source_corr = 0.0
    station_count = 0
    source_count = 0
  end subroutine

  ! Sends unit 6 to the named file (on) or back to standard output (off).
  subroutine capture_output(name, on)
    character(len=*), intent(in) :: name
    logical, intent(in) :: on
    close(6)
    if (on) then
      open(6, file=name, status='replace', action='write')
    else
      open(6, file='/dev/stdout', action='write')
    end if
  end subroutine

  ! The lines of a captured file, trimmed; n is their number.
  subroutine captured_lines(name, lines, n)
    character(len=*), intent(in) :: name
    character(len=*), intent(out) :: lines(:)
    integer, intent(out) :: n
    character(len=len(lines)) :: buffer
    integer :: ios
    n = 0
    lines = ' '
    open(file_unit, file=name, status='old', action='read')
    do
      read(file_unit, '(a)', iostat=ios) buffer
      if (ios /= 0) exit
      n = n + 1
      if (n <= size(lines)) lines(n) = buffer
    end do
    close(file_unit)
  end subroutine
end module mbn_test_support
