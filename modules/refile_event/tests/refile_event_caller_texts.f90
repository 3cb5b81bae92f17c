! Texts of other lengths than the fixed ones: shorter texts are read as
! blank-padded and written only within their own length; longer ones are
! padded; event lines of another length are addressed by their own length.
program refile_event_caller_texts
  use refile_fixture
  implicit none
  character(len=*), parameter :: full_name = 'tree_texts/REA/NE___/2008/09/28-0015-45L.S200809'
  character(len=80) :: event(3), want(5), data(max_lines)
  character(len=90) :: wide_data(max_lines)
  character(len=100) :: name_buffer
  character(len=120) :: long_name
  character(len=10) :: base_buffer
  character(len=8) :: long_base
  character(len=20) :: time_buffer
  character(len=8) :: operator_buffer, action_buffer

  event(1) = typed_line(' 2008 0928 0015 45.3 L', '1')
  event(2) = ' BERG SZ IP        0015 48.52'
  event(3) = ' '
  want(1) = event(1)
  want(3) = ' STAT SP IPHASW D HRMM SECON CODA AMPLIT PERI AZIMU VELO AIN AR TRES W  DIS CAZ7'
  want(4:5) = event(2:3)

  ! Shorter texts inside larger buffers: nothing beyond them is read or
  ! written. The database name "NE " stands as NE___ in the name.
  call start_tree('tree_texts')
  call make_directory_of(full_name)
  call open_event_file('event_texts.txt', event, 3)
  name_buffer = repeat('#', 100)
  base_buffer = 'NE #######'
  time_buffer = '26-12###############'
  operator_buffer = 'xy######'
  action_buffer = 'N#######'
  data = ' '
  call refile_event(event_unit, name_buffer(1:20), base_buffer(1:3), time_buffer(1:5), &
                    operator_buffer(1:2), data, action_buffer(1:1))
  call check_text('short new_file', name_buffer(1:20), full_name(1:20))
  call check_text('beyond short new_file', name_buffer(21:100), repeat('#', 80))
  call check_text('short base_name', base_buffer, 'NE_#######')
  want(2) = id_line('N', '26-12', 'xy  ', ' ', '20080928001545', ' S')
  call check_file('short texts', full_name, want, 5)

  ! Longer texts: new_file padded, blanks of positions 2-5 of the database
  ! name turned into "_" and the rest left; event lines of 90 characters.
  call start_tree('tree_texts')
  call make_directory_of('tree_texts/REA/AB___/2008/09/x')
  call open_event_file('event_texts.txt', event, 3)
  long_name = repeat('#', 120)
  long_base = 'AB'
  wide_data = repeat('#', 90)
  call refile_event(event_unit, long_name, long_base, '26-12-10 01:40', 'xyz', wide_data, 'NEW')
  call check_text('long new_file', long_name, &
                  'tree_texts/REA/AB___/2008/09/28-0015-45L.S200809' // repeat(' ', 72))
  call check_text('long base_name', long_base, 'AB___   ')
  call check_text('wide line 1', wide_data(1), event(1) // repeat(' ', 10))
  call check_text('wide line 2', wide_data(2), event(2) // repeat(' ', 10))
  call check_text('wide line 3', wide_data(3), repeat(' ', 90))
  want(2) = id_line('NEW', '26-12-10 01:40', 'xyz ', ' ', '20080928001545', ' S')
  call check_file('long texts', 'tree_texts/REA/AB___/2008/09/28-0015-45L.S200809', want, 5)
  call finish_checks()
end program
