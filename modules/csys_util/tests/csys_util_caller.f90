! Environment, shell, name sorting and processor time called from Fortran by
! reference, with the hidden text lengths the compiler appends.
program csys_util_caller
  use checks
  implicit none
  integer, external :: putenvsun, systemc
  integer(8), external :: clock
  external sortfi

  call environment()
  call shell()
  call sorting()
  call processor_time()
  call finish_checks()

contains

  subroutine environment()
    character(len=16), save :: entry
    character(len=8) :: value
    integer :: status
    entry = 'XYZ=1' // char(0)
    call check_int('putenvsun result', putenvsun(entry), 0)
    call get_environment_variable('XYZ', value, status=status)
    call check_int('XYZ set', status, 0)
    call check_text('XYZ value', trim(value), '1')
    ! The environment holds the caller's text itself; the new value keeps
    ! its terminator.
    entry(5:7) = '42' // char(0)
    call get_environment_variable('XYZ', value)
    call check_text('XYZ follows the caller''s text', trim(value), '42')
  end subroutine

  subroutine shell()
    character(len=40) :: command
    character(len=7) :: short
    character(len=8) :: line
    integer :: unit
    command = 'exit 3'
    call check_int('exit 3, len 40', systemc(command, 40), 768)
    command = 'exit 35; exit 7'
    call check_int('only the first len characters', systemc(command, 6), 768)
    call check_int('exit 0', systemc('exit 0', 6), 0)
    ! A count beyond the text's length reads no further than the text.
    short = 'exit 35'
    call check_int('len beyond the text', systemc(short(1:6), 40), 768)
    call check_int('NUL ends the command', systemc('exit 2' // char(0) // '5', 8), 512)
    call check_int('len 0 runs an empty command', systemc('exit 9', 0), 0)
    call check_int('negative len runs an empty command', systemc('exit 9', -4), 0)
    command = 'echo ran > systemc_out.txt'
    call check_int('output command', systemc(command, 26), 0)
    line = '?'
    open(newunit=unit, file='systemc_out.txt', status='old')
    read(unit, '(a)') line
    close(unit, status='delete')
    call check_text('the command ran', trim(line), 'ran')
  end subroutine

  subroutine sorting()
    ! The expected order, each with what puts it there.
    character(len=80), parameter :: sorted(7) = [character(len=80) :: &
      ' x', '1', 'B', 'a', 'ab', 'b', char(200) // 'q']
    character(len=32), parameter :: why(7) = [character(len=32) :: &
      'blank first', 'digit', 'upper case', 'a', 'ab after a', 'b', &
      'byte 200 compares unsigned']
    character(len=80) :: names(7), few(3)
    character(len=48) :: label
    integer :: i
    names = [character(len=80) :: 'b', 'B', '1', ' x', 'a', char(200) // 'q', 'ab']
    call sortfi(names, 7)
    do i = 1, size(sorted)
      write(label, '(a,i0,a,a)') 'position ', i, ': ', trim(why(i))
      call check_text(trim(label), names(i), sorted(i))
    end do
    few = [character(len=80) :: 'b', 'a', '0']
    call sortfi(few, 2)
    call check_text('n=2: first', trim(few(1)), 'a')
    call check_text('n=2: second', trim(few(2)), 'b')
    call check_text('n=2: third untouched', trim(few(3)), '0')
    few = [character(len=80) :: 'b', 'a', '0']
    call sortfi(few, 0)
    call check_text('n=0: first untouched', trim(few(1)), 'b')
    call check_text('n=0: second untouched', trim(few(2)), 'a')
  end subroutine

  subroutine processor_time()
    integer(8) :: c1, c2
    real :: t1, t2
    ! Processor time is spent by asking for it until 0.3 s have gone.
    c1 = clock()
    call cpu_time(t1)
    do
      call cpu_time(t2)
      if (t2 - t1 >= 0.3) exit
    end do
    c2 = clock()
    call check_true('clock not negative', c1 >= 0)
    ! Ticks of a microsecond, measuring processor time as cpu_time does.
    call check_true('clock advances in microseconds', &
                    abs(dble(c2 - c1) / 1d6 - dble(t2 - t1)) < 0.1d0)
  end subroutine
end program
