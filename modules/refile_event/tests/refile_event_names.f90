! File name and ID from the main header's time: century rule, whole seconds
! truncated, blanks in fields, implied decimal, blank event type, database
! names with blanks and the working directory (",,").
program refile_event_names
  use refile_fixture
  implicit none
  integer, parameter :: ncase = 6
  character(len=22), parameter :: headers(ncase) = [character(len=22) :: &
    '   98 0101 0203 04.5 L', &
    ' 2008 0928 0015 45.9 L', &
    ' 2008  9 5  1 5  459 L', &
    ' 2008 0928 0015 45.3  ', &
    ' 2008 0928 0015 45.3 L', &
    ' 2008 0928 0015 45.3 D']
  character(len=5), parameter :: bases(ncase) = [character(len=5) :: &
    'NET', 'NET', 'NET', 'NET', ',,', 'AB CD']
  character(len=5), parameter :: bases_after(ncase) = [character(len=5) :: &
    'NET__', 'NET__', 'NET__', 'NET__', ',,___', 'AB_CD']
  character(len=50), parameter :: names(ncase) = [character(len=50) :: &
    'tree_names/REA/NET__/1998/01/01-0203-04L.S199801', &
    'tree_names/REA/NET__/2008/09/28-0015-45L.S200809', &
    'tree_names/REA/NET__/2008/09/05-0105-45L.S200809', &
    'tree_names/REA/NET__/2008/09/28-0015-450.S200809', &
    '28-0015-45L.S200809', &
    'tree_names/REA/AB_CD/2008/09/28-0015-45D.S200809']
  character(len=14), parameter :: ids(ncase) = [character(len=14) :: &
    '19980101020304', '20080928001545', '20080905010545', '20080928001545', &
    '20080928001545', '20080928001545']
  character(len=40), parameter :: full_top = 'tree_names_top_directory_of_forty_chars_'
  character(len=80) :: event(3), want(5), data(max_lines), new_file
  character(len=5) :: base_name
  character(len=16) :: label
  integer :: c

  do c = 1, ncase
    write(label, '(a,i0)') 'case ', c
    call start_tree('tree_names')
    call execute_command_line('rm -f ' // trim(names(c)))
    call make_directory_of(trim(names(c)))
    event(1) = typed_line(headers(c), '1')
    event(2) = ' BERG SZ IP        0015 48.52'
    event(3) = ' '
    want(1) = event(1)
    want(2) = id_line('UPD', '26-12-10 01:40', 'ops ', ' ', ids(c), ' S')
    want(3) = ' STAT SP IPHASW D HRMM SECON CODA AMPLIT PERI AZIMU VELO AIN AR TRES W  DIS CAZ7'
    want(4:5) = event(2:3)

    call open_event_file('event_names.txt', event, 3)
    base_name = bases(c)
    data = ' '
    call refile_event(event_unit, new_file, base_name, '26-12-10 01:40', 'ops', data, 'UPD')
    call check_text(trim(label) // ': new_file', new_file, typed_line(names(c), ' '))
    call check_text(trim(label) // ': base_name', base_name, bases_after(c))
    call check_true(trim(label) // ': old file deleted', .not. file_exists('event_names.txt'))
    call check_file(trim(label), trim(names(c)), want, 5)
  end do

  ! A top directory that fills all 40 characters of its text is used whole.
  call start_tree(full_top)
  call make_directory_of(full_top // '/REA/NET__/2008/09/x')
  event(1) = typed_line(' 2008 0928 0015 45.3 L', '1')
  call open_event_file('event_names.txt', event, 3)
  base_name = 'NET'
  call refile_event(event_unit, new_file, base_name, '26-12-10 01:40', 'ops', data, 'UPD')
  call check_text('full top directory', new_file, &
                  typed_line(full_top // '/REA/NET__/2008/09/28-0015-45L.S200809', ' '))
  call check_true('full top directory: file written', &
                  file_exists(full_top // '/REA/NET__/2008/09/28-0015-45L.S200809'))
  call finish_checks()
end program
