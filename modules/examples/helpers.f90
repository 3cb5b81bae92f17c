! helpers.f90: routines of ctext_util, demean and textlen called through
! the interface module seismo_modules, so that the compiler checks every
! call: no EXTERNAL statements, hypot is the module's and not the
! intrinsic, atoanglexx takes its text by value, NUL-terminated, and
! sscanf3 scans into variables of three types in one program unit.
!
!   gfortran -o helpers helpers.f90 $(pkg-config --cflags --libs seismo-modules)
program helpers
  use, intrinsic :: iso_c_binding, only: c_null_char
  use seismo_modules, only: atoangle, atoanglexx, hypot, sscanf3, textlen, demean
  implicit none
  real :: signal(4) = [1.0, 2.0, 3.0, 6.0]
  real :: dc, r
  integer :: nmean, i, n
  double precision :: d

  print '(a,f9.5)', ' 10:30:36 in degrees:', atoangle('10:30:36')
  print '(a,f9.5)', ' -0:30 in degrees:   ', atoanglexx('-0:30' // c_null_char)
  print '(a,f9.5)', ' hypot of 3 and 4:   ', hypot(3.0, 4.0)

  n = sscanf3('12 2.5 7.25' // char(0), '%d %f %lf' // char(0), i, r, d)
  print '(a,i0,a,i0,a,f4.2,a,f4.2)', ' sscanf3 stored ', n, ' items: ', i, ', ', r, ', ', d

  print '(a,i0)', ' used length of "AB   ": ', textlen('AB   ')

  nmean = 0
  call demean(signal, nmean, dc, size(signal))
  print '(a,f4.2,a,4f6.2)', ' mean ', dc, ' removed: ', signal
end program
