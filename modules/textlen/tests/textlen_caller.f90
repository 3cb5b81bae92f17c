program textlen_caller
  use checks
  implicit none
  integer, external :: textlen
  character(len=5) :: t5
  character(len=0) :: empty
  character(len=10) :: t10

  call check_int('AB and three blanks', textlen('AB   '), 2)
  call check_int('five blanks', textlen('     '), 1)
  call check_int('empty text', textlen(empty), 1)
  call check_int('no trailing blank', textlen('ABCDE'), 5)
  call check_int('single letter', textlen('X'), 1)
  call check_int('leading blanks', textlen('   Q  '), 4)
  ! A NUL or a tab is a character like any other.
  t5 = 'A' // char(0) // '   '
  call check_int('NUL ends the scan', textlen(t5), 2)
  t5 = 'AB' // char(9) // '  '
  call check_int('tab ends the scan', textlen(t5), 3)
  ! A substring: the hidden length is the substring's.
  t10 = 'ABCDEFGHIJ'
  call check_int('substring', textlen(t10(3:6)), 4)
  call finish_checks()
end program
