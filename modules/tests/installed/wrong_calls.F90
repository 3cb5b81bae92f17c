! Calls that the interface module must refuse at compile time, one at a
! time: the preprocessor symbol WRONG picks the wrong call, and every other
! call stands in its right form. With WRONG 0 the program compiles.
program wrong_calls
  use, intrinsic :: iso_c_binding, only: c_null_char
  use, intrinsic :: iso_fortran_env, only: int64
  use seismo_modules
  implicit none
  real :: s(4) = 0.0, dc, stc, src, m
  integer :: nmean = 0, n, fd
  character(len=80) :: names(10), dir, new_file, lines(20)
  character(len=5) :: base_name
  character(len=8) :: buffer
  double precision :: d

#if WRONG == 1
  d = hypot(3d0, 4d0)
#else
  d = hypot(3.0, 4.0)
#endif
#if WRONG == 2
  call demean(s, nmean, dc)
#else
  call demean(s, nmean, dc, 4)
#endif
#if WRONG == 3
  call readn(buffer, 5)
#else
  call readn(buffer, 5_int64)
#endif
#if WRONG == 4
  call getfiles('/tmp', 4, names, 10, n)
#else
  dir = '/tmp'
  call getfiles(dir, 4, names, 10, n)
#endif
#if WRONG == 5
  m = compute_mbn(100, 1.0, 0.0, 0.0, 10.0, 7.0, 'BER  ', stc, src, 0.0)
#else
  m = compute_mbn(100.0, 1.0, 0.0, 0.0, 10.0, 7.0, 'BER  ', stc, src, 0.0)
#endif
#if WRONG == 6
  call refile_event(21, new_file, 'NET', '26-12-10 01:40', 'ops', lines, 'NEW')
#else
  base_name = 'NET'
  call refile_event(21, new_file, base_name, '26-12-10 01:40', 'ops', lines, 'NEW')
#endif
#if WRONG == 7
  fd = new_open('data.bin' // c_null_char, 0_int64)
#else
  fd = new_open('data.bin' // c_null_char, 0)
#endif
#if WRONG == 8
  n = textlen(buffer, 8)
#else
  n = textlen(buffer)
#endif
  print *, d, dc, m, fd, n
end program
