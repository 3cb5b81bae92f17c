! The text, angle and time helpers called from Fortran by reference, with the
! hidden text lengths the compiler appends.
program ctext_util_caller
  use checks
  implicit none
  double precision, external :: atoangle, hypot
  integer, external :: sscanf3
  external datetime, rpad

  call angles()
  call stamps()
  call norms()
  call padding()
  call scans()
  call finish_checks()

contains

  subroutine angles()
    character(len=10) :: padded
    character(len=8) :: full
    character(len=0) :: empty
    padded = '45:30'
    call check_double('45:30 padded to 10', atoangle(padded), 45.5d0, 1d-12)
    full = '10:30:36'
    call check_double('10:30:36', atoangle(full), 10.51d0, 1d-12)
    ! Only the hidden length is read: the seconds lie beyond it.
    call check_double('10:30 of 10:30:36', atoangle(full(1:5)), 10.5d0, 1d-12)
    call check_double('-0:30', atoangle('-0:30'), -0.5d0, 1d-12)
    call check_double('blank before the minus', atoangle(' -5:30'), -4.5d0, 1d-12)
    call check_double('leading blanks, no sign', atoangle('  12:30'), 12.5d0, 1d-12)
    call check_double('blank-only', atoangle('        '), 0d0, 0d0)
    call check_double('empty', atoangle(empty), 0d0, 0d0)
  end subroutine

  ! The ctime layout built independently from the Fortran clock.
  function expected_stamp(v) result(stamp)
    integer, intent(in) :: v(8)
    character(len=24) :: stamp
    character(len=3), parameter :: days(0:6) = &
      ['Sun', 'Mon', 'Tue', 'Wed', 'Thu', 'Fri', 'Sat']
    character(len=3), parameter :: months(12) = ['Jan', 'Feb', 'Mar', 'Apr', &
      'May', 'Jun', 'Jul', 'Aug', 'Sep', 'Oct', 'Nov', 'Dec']
    integer :: y, m, k
    ! Zeller's congruence, shifted so that 0 is Sunday.
    y = v(1)
    m = v(2)
    if (m < 3) then
      m = m + 12
      y = y - 1
    end if
    k = mod(v(3) + (13 * (m + 1)) / 5 + y + y / 4 - y / 100 + y / 400, 7)
    k = mod(k + 6, 7)
    write(stamp, '(a3,1x,a3,i3,1x,i2.2,":",i2.2,":",i2.2,1x,i4)') &
      days(k), months(v(2)), v(3), v(5), v(6), v(7), v(1)
  end function

  ! Fills a text of the given length with '#', asks for the stamp and checks
  ! that columns 1 to n hold the stamp and the rest is untouched. The clock
  ! may tick between the two readings: a few attempts are allowed.
  subroutine check_stamp(label, length, n)
    character(len=*), intent(in) :: label
    integer, intent(in) :: length, n
    character(len=length) :: text
    integer :: v1(8), v2(8), attempt
    character(len=24) :: want
    logical :: matched
    matched = .false.
    do attempt = 1, 5
      text = repeat('#', length)
      call date_and_time(values=v1)
      call datetime(text)
      call date_and_time(values=v2)
      if (any(v1(1:7) /= v2(1:7))) cycle
      want = expected_stamp(v1)
      if (text(1:n) == want(1:n)) then
        matched = .true.
        exit
      end if
    end do
    call check_true(label // ': stamp columns', matched)
    if (n < length) call check_text(label // ': columns beyond', text(n + 1:), &
                                    repeat('#', length - n))
  end subroutine

  subroutine stamps()
    character(len=1) :: one
    call check_stamp('30 columns', 30, 24)
    call check_stamp('25 columns', 25, 24)
    call check_stamp('24 columns', 24, 23)
    call check_stamp('10 columns', 10, 9)
    call check_stamp('2 columns', 2, 1)
    one = '#'
    call datetime(one)
    call check_text('1 column untouched', one, '#')
  end subroutine

  subroutine norms()
    call check_double('3 and 4', hypot(3.0, 4.0), 5d0, 0d0)
    call check_double('-3 and 4', hypot(-3.0, 4.0), 5d0, 0d0)
    ! The single-precision 0.1 carried unchanged into the double result.
    call check_double('0.1 and 0', hypot(0.1, 0.0), dble(0.1), 0d0)
    ! No overflow although the squares exceed the single-precision range.
    call check_double('1e30 and 1e30', hypot(1e30, 1e30), &
                      sqrt(2d0) * dble(1e30), 1d16)
  end subroutine

  subroutine padding()
    character(len=8) :: t
    t = 'abc' // char(0) // 'wxyz'
    call rpad(t)
    call check_text('NUL in position 4', t, 'abc     ')
    t = char(0) // 'bcdefgh'
    call rpad(t)
    call check_text('NUL first', t, '        ')
    t = 'abcdefgh'
    call rpad(t)
    call check_text('no NUL', t, 'abcdefgh')
    ! Only the hidden length is touched.
    t = 'ab' // char(0) // 'defgh'
    call rpad(t(1:5))
    call check_text('substring', t, 'ab   fgh')
  end subroutine

  subroutine scans()
    integer :: i, k
    real :: r
    double precision :: d
    character(len=*), parameter :: fmt = '%d %f %lf' // char(0)
    i = -1; r = -1.0; d = -1d0
    k = sscanf3('12 2.5 7.25' // char(0), fmt, i, r, d)
    call check_int('three items: count', k, 3)
    call check_int('three items: integer', i, 12)
    call check_real('three items: real', r, 2.5, 0.0)
    call check_double('three items: double', d, 7.25d0, 0d0)
    i = -1; r = -1.0; d = -1d0
    k = sscanf3('-4 0.5' // char(0), fmt, i, r, d)
    call check_int('two items: count', k, 2)
    call check_int('two items: integer', i, -4)
    call check_real('two items: real', r, 0.5, 0.0)
    call check_double('two items: third unchanged', d, -1d0, 0d0)
    i = -1
    k = sscanf3('x1' // char(0), fmt, i, r, d)
    call check_int('no match', k, 0)
    call check_int('no match: unchanged', i, -1)
    k = sscanf3('   ' // char(0), fmt, i, r, d)
    call check_int('end before first conversion', k, -1)
    ! The NUL ends the text even inside a longer buffer.
    i = -1; r = -1.0
    k = sscanf3('9' // char(0) // ' 3.5 1.0', fmt, i, r, d)
    call check_int('NUL ends the text: count', k, 1)
    call check_real('NUL ends the text: real unchanged', r, -1.0, 0.0)
  end subroutine
end program
