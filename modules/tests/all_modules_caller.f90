! Links every object module into one program and uses the routines of the
! small utility modules through it.
program all_modules_caller
  use checks
  implicit none
  external demean, evformat_probe
  integer, external :: textlen
  real :: s(2), dc
  integer :: n, file_type
  s = [2.0, 4.0]
  n = 0
  call demean(s, n, dc, 2)
  call check_real('demean', dc, 3.0, 0.0)
  call check_int('textlen', textlen('ab  '), 2)
  open(30, file='all_modules.txt', status='replace')
  write(30, '(a)') ''
  rewind(30)
  call evformat_probe(30, file_type)
  call check_int('probe', file_type, 0)
  close(30, status='delete')
  call finish_checks()
end program
