program evformat_probe_caller
  use checks
  implicit none
  external evformat_probe
  character(len=80) :: header, phase, idline, line
  integer :: file_type, i

  header = ' 2008 0928 0015 45.3 L  61.000   5.000 10.0  TES  1 0.5 2.0LTES'
  header(80:80) = '1'
  idline = ' ACTION:NEW 08-09-28 10:00 OP:jh   STATUS:               ID:20080928001545'
  idline(80:80) = 'I'
  phase = ' BERG SZ IP        0015 48.52'

  ! An empty file is a header-only listing.
  call write_lines('empty.txt', header, 0)
  call probe('empty.txt', 0)
  call check_int('empty file', file_type, 1)

  ! 60 header lines, then a phase line at 51 that is never read.
  open(10, file='headers.txt', status='replace')
  do i = 1, 60
    if (i == 51) then
      write(10, '(a)') phase
    else
      write(10, '(a)') header
    end if
  end do
  close(10)
  call probe('headers.txt', 1)
  call check_int('60 headers, phase at 51', file_type, 1)

  ! A full event file: header, ID line, phase line, blank closing line.
  open(10, file='event.txt', status='replace')
  write(10, '(a)') header
  write(10, '(a)') idline
  write(10, '(a)') phase
  write(10, '(a)') ''
  close(10)
  call probe('event.txt', 2)
  call check_int('full event file', file_type, 0)

  ! Each test on its own: a blank line; another letter in column 22; text with
  ! a blank column 80; columns 1-30 blank but a type in column 80.
  call single_line_case('blank line', repeat(' ', 80), 0)
  line = header
  line(22:22) = 'Q'
  call single_line_case('Q in column 22', line, 0)
  do i = 1, 3
    line = header
    line(22:22) = 'LRD'(i:i)
    call single_line_case('L, R or D in column 22', line, 1)
  end do
  line = header
  line(22:22) = ' '
  call single_line_case('blank column 22', line, 1)
  line = header
  line(80:80) = ' '
  call single_line_case('text with blank column 80', line, 0)
  line = repeat(' ', 80)
  line(40:45) = 'ABCDEF'
  line(80:80) = '1'
  call single_line_case('columns 1-30 blank', line, 0)

  ! A short record reads as if padded: a header written in 21 characters
  ! has a blank column 80 but is not blank, so it fails test 3.
  call single_line_case('short header line', header(1:21), 0)

  ! Once 0, a later good line does not set it back.
  open(10, file='mixed.txt', status='replace')
  write(10, '(a)') ''
  write(10, '(a)') header
  close(10)
  call probe('mixed.txt', 3)
  call check_int('0 stays 0', file_type, 0)
  call finish_checks()

contains

  subroutine probe(name, case_id)
    character(len=*), intent(in) :: name
    integer, intent(in) :: case_id
    character(len=80) :: first
    integer :: ios
    open(20, file=name, status='old')
    call evformat_probe(20, file_type)
    ! The unit is rewound: the next read returns the first line.
    read(20, '(a)', iostat=ios) first
    if (case_id == 0) then
      call check_true('empty file at end after rewind', ios /= 0)
    else
      call check_int('readable after probe', ios, 0)
      call check_true('first line after rewind', first == header .or. first == repeat(' ', 80))
    end if
    close(20)
  end subroutine

  subroutine single_line_case(label, text, want)
    character(len=*), intent(in) :: label, text
    integer, intent(in) :: want
    open(10, file='one.txt', status='replace')
    write(10, '(a)') text
    close(10)
    open(20, file='one.txt', status='old')
    call evformat_probe(20, file_type)
    close(20)
    call check_int(label, file_type, want)
  end subroutine

  subroutine write_lines(name, text, n)
    character(len=*), intent(in) :: name, text
    integer, intent(in) :: n
    integer :: k
    open(10, file=name, status='replace')
    do k = 1, n
      write(10, '(a)') text
    end do
    close(10)
  end subroutine
end program
