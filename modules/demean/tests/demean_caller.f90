! Calls demean_ as the package's programs do: by reference, through an
! implicit interface.
program demean_caller
  use checks
  implicit none
  external demean

  ! One call: the samples and counts passed, and what must come back.
  type demean_case
    character(len=40) :: label
    real :: samples(4)
    integer :: nmean, nsamp
    integer :: want_nmean
    real :: want_dc, want_samples(4)
  end type
  type(demean_case), parameter :: cases(*) = [ &
    ! Mean over all samples: nmean 0 is replaced by nsamp.
    demean_case('mean over all', [1.0, 2.0, 3.0, 6.0], 0, 4, &
                4, 3.0, [-2.0, -1.0, 0.0, 3.0]), &
    ! Mean over a leading part, removed from every sample.
    demean_case('mean over the first 2', [1.0, 2.0, 3.0, 6.0], 2, 4, &
                2, 1.5, [-0.5, 0.5, 1.5, 4.5]), &
    ! Negative nmean: no mean is taken.
    demean_case('negative nmean', [1.0, 2.0, 3.0, 6.0], -3, 4, &
                -3, 0.0, [1.0, 2.0, 3.0, 6.0]), &
    ! No samples at all.
    demean_case('no samples', [1.0, 2.0, 3.0, 6.0], 0, 0, &
                0, 0.0, [1.0, 2.0, 3.0, 6.0]), &
    ! The samples beyond nsamp are not touched.
    demean_case('first 3 of 4 samples', [1.0, 2.0, 3.0, 6.0], 0, 3, &
                3, 2.0, [-1.0, 0.0, 1.0, 6.0])]
  real :: s(4), dc, big(3), ref
  integer :: nmean, c, i
  character(len=64) :: label

  do c = 1, size(cases)
    s = cases(c)%samples
    nmean = cases(c)%nmean
    dc = 99.0
    call demean(s, nmean, dc, cases(c)%nsamp)
    call check_int(trim(cases(c)%label) // ': nmean', nmean, cases(c)%want_nmean)
    call check_real(trim(cases(c)%label) // ': dc level', dc, cases(c)%want_dc, 0.0)
    do i = 1, size(s)
      write(label, '(a,a,i0)') trim(cases(c)%label), ': sample ', i
      call check_real(trim(label), s(i), cases(c)%want_samples(i), 0.0)
    end do
  end do

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
