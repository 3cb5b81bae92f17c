! A file without an event: nothing changes, the file stays and stays open.
program refile_event_empty_file
  use refile_fixture
  implicit none
  character(len=80) :: event(1), data(max_lines), new_file
  character(len=5) :: base_name
  logical :: still_open

  call start_tree('tree_empty')
  call open_event_file('event_empty.txt', event, 0)
  new_file = 'previous'
  base_name = 'NET'
  call refile_event(event_unit, new_file, base_name, '26-12-10 01:40', 'xyz', data, 'NEW')
  inquire(unit=event_unit, opened=still_open)
  call check_true('event file kept', file_exists('event_empty.txt'))
  call check_true('event file still open', still_open)
  call check_text('new_file unchanged', new_file, typed_line('previous', ' '))
  call check_text('base_name unchanged', base_name, 'NET  ')
  call check_int('no file opened', standin_opens, 0)
  call check_int('no write checked', standin_codes, 0)
  call check_int('fil_com$ word 2 cleared', fil_com_words(2), 0)
  close(event_unit, status='delete')
  call finish_checks()
end program
