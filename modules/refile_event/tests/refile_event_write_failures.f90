! Every write of the new file fails: each status goes to the package's
! status routine and the rewrite goes on to the end, closing the file.
program refile_event_write_failures
  use refile_fixture
  implicit none
  character(len=*), parameter :: target_name = 'tree_fail/REA/NET__/2008/09/28-0015-45L.S200809'
  character(len=80) :: event(4), data(max_lines), new_file
  character(len=5) :: base_name
  logical :: opened_after
  integer :: ios
  character(len=80) :: line

  call start_tree('tree_fail')
  call make_directory_of(target_name)
  standin_read_only = .true.
  event(1) = typed_line(' 2008 0928 0015 45.3 L', '1')
  event(2) = typed_line(' A COMMENT', '3')
  event(3) = ' BERG SZ IP        0015 48.52'
  event(4) = ' '
  call open_event_file('event_fail.txt', event, 4)
  base_name = 'NET'
  call refile_event(event_unit, new_file, base_name, '26-12-10 01:40', 'xyz', data, 'NEW')
  ! Header, new ID line, other header lines, phase header, phase lines.
  call check_int('status checks', standin_codes, 5)
  call check_int('failed statuses', standin_bad_codes, 5)
  call check_int('files closed', standin_closes, 1)
  call check_text('new_file', new_file, typed_line(target_name, ' '))
  call check_true('old file deleted', .not. file_exists('event_fail.txt'))
  open(34, file=target_name, status='old', iostat=ios)
  call check_int('new file opens', ios, 0)
  read(34, '(a)', iostat=ios) line
  call check_true('new file empty', is_iostat_end(ios))
  close(34)
  inquire(unit=event_unit, opened=opened_after)
  call check_true('event unit closed', .not. opened_after)
  call finish_checks()
end program
