! Small assertion library for the Fortran caller programs of the tests.
! Each failed check prints one line; finish_checks stops with a nonzero
! status when any check failed.
module checks
  implicit none
  private
  public :: check_int, check_real, check_double, check_text, check_true, finish_checks
  integer, save :: failures = 0
  integer, save :: total = 0
contains
  subroutine check_int(label, got, want)
    character(len=*), intent(in) :: label
    integer, intent(in) :: got, want
    total = total + 1
    if (got /= want) then
      failures = failures + 1
      write(*, '(a,a,a,i0,a,i0)') 'FAIL ', label, ': got ', got, ', want ', want
    end if
  end subroutine

  subroutine check_real(label, got, want, tolerance)
    character(len=*), intent(in) :: label
    real, intent(in) :: got, want, tolerance
    total = total + 1
    if (.not. (abs(got - want) <= tolerance)) then
      failures = failures + 1
      write(*, '(a,a,a,g0,a,g0)') 'FAIL ', label, ': got ', got, ', want ', want
    end if
  end subroutine

  subroutine check_double(label, got, want, tolerance)
    character(len=*), intent(in) :: label
    double precision, intent(in) :: got, want, tolerance
    total = total + 1
    if (.not. (abs(got - want) <= tolerance)) then
      failures = failures + 1
      write(*, '(a,a,a,g0,a,g0)') 'FAIL ', label, ': got ', got, ', want ', want
    end if
  end subroutine

  subroutine check_text(label, got, want)
    character(len=*), intent(in) :: label, got, want
    total = total + 1
    if (got /= want .or. len(got) /= len(want)) then
      failures = failures + 1
      write(*, '(a,a,a)') 'FAIL ', label, ':'
      write(*, '(a,a,a)') '  got  [', got, ']'
      write(*, '(a,a,a)') '  want [', want, ']'
    end if
  end subroutine

  subroutine check_true(label, condition)
    character(len=*), intent(in) :: label
    logical, intent(in) :: condition
    total = total + 1
    if (.not. condition) then
      failures = failures + 1
      write(*, '(a,a)') 'FAIL ', label
    end if
  end subroutine

  subroutine finish_checks()
    write(*, '(i0,a,i0,a)') total - failures, ' checks passed, ', failures, ' failed'
    if (failures > 0) error stop 1
  end subroutine
end module checks
