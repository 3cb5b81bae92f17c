! A time field that is not a number stops the program with the runtime's
! message: the argument names the field (header, seconds or phase). With
! "oldact" the new file cannot be written, and the comment line made from the
! previous ID line, written without a status, stops the program.
program refile_event_bad_time
  use refile_fixture
  implicit none
  character(len=80) :: event(4), data(max_lines), new_file
  character(len=5) :: base_name
  character(len=16) :: field
  integer :: n

  call get_command_argument(1, field)
  call start_tree('tree_bad')
  call make_directory_of('tree_bad/REA/NET__/2008/09/x')
  event(1) = typed_line(' 2008 0928 0015 45.3 L', '1')
  event(2) = ' BERG SZ IP        0015 48.52'
  event(3) = ' '
  n = 3
  select case (field)
  case ('header')
    event(1)(9:10) = '2X'
  case ('seconds')
    event(1)(17:20) = '4#.3'
  case ('phase')
    event(1)(12:15) = ' '
    event(2)(19:20) = 'ab'
  case ('oldact')
    standin_read_only = .true.
    event(4) = event(3)
    event(3) = event(2)
    event(2) = id_line('UPD', '08-09-29 10:11', 'abc', ' ', '19990101000000', ' ')
    n = 4
  end select
  call open_event_file('event_bad.txt', event, n)
  base_name = 'NET'
  call refile_event(event_unit, new_file, base_name, '26-12-10 01:40', 'xyz', data, 'NEW')
  write(*, '(a)') 'the program went on after the bad field'
end program
