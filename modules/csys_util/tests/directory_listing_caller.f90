! Directory listings into arrays of 80-byte name records.
program directory_listing_caller
  use checks
  implicit none
  external getfiles, capture_stdout_begin, capture_stdout_end, dir_entry_name
  character(len=80) :: names(10)
  character(len=10) :: dir
  character(len=7) :: exact
  character(len=100) :: long_name
  character(len=200) :: captured(10)
  character(len=200) :: line
  character(len=80) :: listed(4)
  character(len=*), parameter :: message_head = "---- ERROR: Out of variable space, '"
  character(len=*), parameter :: message_tail = "' will not be listed"
  integer :: n, lines, i, j, kept

  call execute_command_line('rm -rf gf_dir gf_long && mkdir gf_dir gf_long' // &
    ' && touch gf_dir/b gf_dir/a')

  ! Every entry, dot entries included, sorted; the path ends after dirlen.
  dir = 'gf_dir/zzz'
  call listing(dir, 6, 10)
  call check_int('two files: n', n, 4)
  call check_true('two files: .', names(1) == nul_record('.'))
  call check_true('two files: ..', names(2) == nul_record('..'))
  call check_true('two files: a', names(3) == nul_record('a'))
  call check_true('two files: b', names(4) == nul_record('b'))
  call check_true('two files: rest untouched', all(names(5:) == repeat('#', 80)))
  call check_text('NUL after the path', dir(7:7), char(0))
  call check_text('after the NUL untouched', dir(8:10), 'zzz')
  call check_int('two files: no message', lines, 0)

  ! Capacity 2: the first two entries in the directory's own order are kept
  ! (sorted), each further entry gets one message line.
  dir = 'gf_dir'
  call listing(dir, 6, 2)
  call check_int('maxn 2: n', n, 2)
  call check_int('maxn 2: message lines', lines, 2)
  do i = 1, 4
    call dir_entry_name('gf_dir' // char(0), i, listed(i))
  end do
  kept = 0
  do i = 1, 2
    do j = 1, 2
      if (names(i) == nul_record(trim(listed(j)))) kept = kept + 1
    end do
  end do
  call check_int('maxn 2: the first two in directory order', kept, 2)
  call check_true('maxn 2: kept ones sorted', llt(names(1), names(2)))
  do i = 3, 4
    call check_text('maxn 2: message', trim(captured(i - 2)), &
                    message_head // trim(listed(i)) // message_tail)
  end do

  ! A path that does not exist: nothing stored, nothing printed.
  dir = 'gf_none'
  call listing(dir, 7, 10)
  call check_int('missing path: n', n, 0)
  call check_int('missing path: no output', lines, 0)
  call check_true('missing path: names untouched', all(names == repeat('#', 80)))

  ! The caller's text has no room for the terminator: the listing works on
  ! a copy, the text beyond stays as it was and the count stops at the text.
  exact = 'gf_dirQ'
  call listing(exact(1:6), 6, 10)
  call check_int('dirlen equal to the length: n', n, 4)
  call check_text('dirlen equal to the length: text untouched', exact, 'gf_dirQ')
  call listing(exact(1:6), 9, 10)
  call check_int('dirlen beyond the length: n', n, 4)
  call check_text('dirlen beyond the length: text untouched', exact, 'gf_dirQ')

  ! Long names are cut after 80 bytes; bytes compare unsigned; a prefix
  ! sorts first.
  long_name = repeat('0123456789', 10)
  call execute_command_line('cd gf_long && touch ' // long_name // &
    ' Z a ab "$(printf ''\303\251'')"')
  dir = 'gf_long'
  call listing(dir, 7, 10)
  call check_int('long names: n', n, 7)
  call check_true('long names: .', names(1) == nul_record('.'))
  call check_true('long names: ..', names(2) == nul_record('..'))
  call check_text('long names: 100 bytes cut to 80', names(3), long_name(1:80))
  call check_true('long names: Z', names(4) == nul_record('Z'))
  call check_true('long names: a', names(5) == nul_record('a'))
  call check_true('long names: ab', names(6) == nul_record('ab'))
  call check_true('long names: byte 195 last', names(7) == nul_record(char(195) // char(169)))

  call execute_command_line('rm -rf gf_dir gf_long')
  call finish_checks()

contains

  function nul_record(name) result(record)
    character(len=*), intent(in) :: name
    character(len=80) :: record
    record = repeat(char(0), 80)
    record(1:len(name)) = name
  end function

  ! Runs getfiles with names filled with '#' and collects what it prints.
  subroutine listing(path, dirlen, maxn)
    character(len=*), intent(inout) :: path
    integer, intent(in) :: dirlen, maxn
    integer :: unit, status
    names = repeat('#', 80)
    flush(6)
    call capture_stdout_begin('getfiles_out.txt' // char(0))
    call getfiles(path, dirlen, names, maxn, n)
    call capture_stdout_end()
    lines = 0
    open(newunit=unit, file='getfiles_out.txt', status='old')
    do
      read(unit, '(a)', iostat=status) line
      if (status /= 0) exit
      lines = lines + 1
      if (lines <= size(captured)) captured(lines) = line
    end do
    close(unit, status='delete')
  end subroutine
end program
