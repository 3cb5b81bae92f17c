! A file of the target name exists already: one message line per attempt on
! standard output, the next ID and name from the package, the existing files
! left as they were. An event stored under its own target name is written
! back under that name, since the old file is deleted first.
program refile_event_collision
  use refile_fixture
  implicit none
  integer, parameter :: ncase = 3
  character(len=*), parameter :: db = 'tree_clash/REA/NET__/2008/09/'
  character(len=5), parameter :: bases(ncase) = [character(len=5) :: 'NET', ',,', 'NET']
  ! Files present before the call (blank: none), the file the event is read
  ! from, and the expected outcome.
  character(len=50), parameter :: taken(2, ncase) = reshape([character(len=50) :: &
    db // '28-0015-45L.S200809', db // '28-0015-46L.S200809', &
    '28-0015-45L.S200809', ' ', &
    ' ', ' '], [2, ncase])
  character(len=50), parameter :: sources(ncase) = [character(len=50) :: &
    'event_clash.txt', 'event_clash.txt', db // '28-0015-45L.S200809']
  character(len=50), parameter :: names(ncase) = [character(len=50) :: &
    db // '28-0015-47L.S200809', '28-0015-46L.S200809', db // '28-0015-45L.S200809']
  character(len=14), parameter :: ids(ncase) = [character(len=14) :: &
    '20080928001547', '20080928001546', '20080928001545']
  integer, parameter :: attempts(ncase) = [3, 2, 1]
  character(len=80) :: event(3), want(5), data(max_lines), new_file, line
  character(len=5) :: base_name
  character(len=16) :: label
  integer :: c, k, nmessages, ios

  do c = 1, ncase
    write(label, '(a,i0)') 'case ', c
    call start_tree('tree_clash')
    call execute_command_line('mkdir -p ' // db)
    call execute_command_line('rm -f 28-0015-4?L.S200809')
    do k = 1, 2
      if (taken(k, c) /= ' ') call write_sentinel(trim(taken(k, c)), k)
    end do
    event(1) = typed_line(' 2008 0928 0015 45.3 L', '1')
    event(2) = ' BERG SZ IP        0015 48.52'
    event(3) = ' '
    want(1) = event(1)
    want(2) = id_line('NEW', '26-12-10 01:40', 'xyz ', ' ', ids(c), ' S')
    want(3) = ' STAT SP IPHASW D HRMM SECON CODA AMPLIT PERI AZIMU VELO AIN AR TRES W  DIS CAZ7'
    want(4:5) = event(2:3)
    call open_event_file(trim(sources(c)), event, 3)
    base_name = bases(c)
    data = ' '

    ! Standard output goes to a file for the call.
    open(6, file='messages.txt', status='replace')
    call refile_event(event_unit, new_file, base_name, '26-12-10 01:40', 'xyz', data, 'NEW')
    close(6)
    open(6, file='/dev/stdout', status='old', action='write')

    nmessages = 0
    open(32, file='messages.txt', status='old')
    do
      read(32, '(a)', iostat=ios) line
      if (ios /= 0) exit
      nmessages = nmessages + 1
      call check_text(trim(label) // ': message', trim(line), '  Creating a new id for event')
    end do
    close(32)
    call check_int(trim(label) // ': messages', nmessages, attempts(c) - 1)
    call check_int(trim(label) // ': ID increments', standin_increments, attempts(c) - 1)
    call check_int(trim(label) // ': files opened', standin_opens, attempts(c))
    call check_int(trim(label) // ': files closed', standin_closes, attempts(c))
    call check_text(trim(label) // ': new_file', new_file, typed_line(names(c), ' '))
    call check_file(trim(label), trim(names(c)), want, 5)
    do k = 1, 2
      if (taken(k, c) /= ' ') call check_sentinel(trim(label), trim(taken(k, c)), k)
    end do
  end do
  call finish_checks()

contains

  subroutine write_sentinel(name, k)
    character(len=*), intent(in) :: name
    integer, intent(in) :: k
    open(33, file=name, status='replace')
    write(33, '(a,i0)') 'EXISTING EVENT ', k
    close(33)
  end subroutine

  subroutine check_sentinel(label, name, k)
    character(len=*), intent(in) :: label, name
    integer, intent(in) :: k
    character(len=80) :: got, want_line
    integer :: ios
    write(want_line, '(a,i0)') 'EXISTING EVENT ', k
    got = 'missing'
    open(33, file=name, status='old', iostat=ios)
    if (ios == 0) read(33, '(a)', iostat=ios) got
    close(33)
    call check_text(label // ': existing file kept ' // name, got, want_line)
  end subroutine

end program
