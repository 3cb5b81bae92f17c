! Calls demean_ as the package's programs do: by reference, through an
! implicit interface.
program demean_caller
  use checks
  implicit none
  external demean
  real :: s(4), dc, big(3), ref
  integer :: nmean, i

  ! Mean over all samples: nmean 0 is replaced by nsamp.
  s = [1.0, 2.0, 3.0, 6.0]
  nmean = 0
  call demean(s, nmean, dc, 4)
  call check_int('nmean 0 becomes nsamp', nmean, 4)
  call check_real('dc over all', dc, 3.0, 0.0)
  call check_real('s1', s(1), -2.0, 0.0)
  call check_real('s2', s(2), -1.0, 0.0)
  call check_real('s3', s(3), 0.0, 0.0)
  call check_real('s4', s(4), 3.0, 0.0)

  ! Mean over a leading part, removed from every sample.
  s = [1.0, 2.0, 3.0, 6.0]
  nmean = 2
  call demean(s, nmean, dc, 4)
  call check_int('nmean kept', nmean, 2)
  call check_real('dc over 2', dc, 1.5, 0.0)
  call check_real('s4 lowered by 1.5', s(4), 4.5, 0.0)
  call check_real('s1 lowered by 1.5', s(1), -0.5, 0.0)

  ! Negative nmean: no mean is taken.
  s = [1.0, 2.0, 3.0, 6.0]
  nmean = -3
  dc = 99.0
  call demean(s, nmean, dc, 4)
  call check_real('dc for negative nmean', dc, 0.0, 0.0)
  call check_real('unchanged', s(4), 6.0, 0.0)

  ! No samples at all.
  nmean = 0
  dc = 99.0
  call demean(s, nmean, dc, 0)
  call check_int('nmean stays 0', nmean, 0)
  call check_real('dc 0 for no samples', dc, 0.0, 0.0)
  call check_real('nothing touched', s(1), 1.0, 0.0)

  ! Single precision, each sample divided before it is added: 1/3 + 2/3 + 4/3
  ! rounds to 2.33333349, while (1+2+4)/3 would give 2.33333325.
  big = [1.0, 2.0, 4.0]
  ref = 0.0
  do i = 1, 3
    ref = big(i) / 3.0 + ref
  end do
  nmean = 3
  call demean(big, nmean, dc, 3)
  call check_true('same single-precision order', dc == ref)
  call check_true('not the rounding of sum/n', dc /= 7.0 / 3.0)
  call check_real('sample lowered by that mean', big(3), 4.0 - ref, 0.0)
  call finish_checks()
end program
