! Hour and minute blank in the main header: the origin time is rebuilt from
! the earliest phase, read in the layout that rea_new_format names; without
! phase lines the time stays as read and the header is not changed.
program refile_event_origin
  use refile_fixture
  implicit none
  integer, parameter :: ncase = 4
  character(len=*), parameter :: blank_time_header = ' 2008 0928F     12.0 L'
  ! Phase lines: times 10:05:03.25, 09:59:58.5 (the earliest), 10:00:00.0.
  ! In the new layout hour, minute and seconds stand in columns 27-37.
  character(len=80), parameter :: new_phases(3) = [character(len=80) :: &
    ' BERG SZ  IP       A      1005  3.250', &
    ' KONO SZ  IP       A      0959 58.500', &
    ' HRV  SZ  IP       A      1000  0.000']
  ! In the old layout they stand in columns 19-22 and 24-28.
  character(len=80), parameter :: old_phases(3) = [character(len=80) :: &
    ' BERG SZ IP       1005  3.25', &
    ' KONO SZ IP       0959 58.5', &
    ' HRV  SZ IP       1000  0.0']
  ! Seconds without a decimal point: one implied decimal (585 is 58.5).
  character(len=80), parameter :: implied_phases(3) = [character(len=80) :: &
    ' BERG SZ IP       1005    33', &
    ' KONO SZ IP       0959   585', &
    ' HRV  SZ IP       1000     0']
  character(len=12), parameter :: names(ncase) = [character(len=12) :: &
    'new layout', 'old layout', 'implied dec', 'no phases']
  integer, parameter :: layout_flag(ncase) = [1, 0, 0, 1]
  character(len=80) :: event(max_lines), want(max_lines), data(max_lines), header
  character(len=80) :: new_file, want_header, want_name
  character(len=14) :: want_id
  character(len=5) :: base_name
  integer :: c, i, n

  header = typed_line(blank_time_header, '1')
  do c = 1, ncase
    call start_tree('tree_origin')
    rea_new_format_flag = layout_flag(c)
    if (c == 4) then
      ! Time as read: hour and minute 0, seconds 12.0; header unchanged.
      want_name = 'tree_origin/REA/NET__/2008/09/28-0000-12L.S200809'
      want_id = '20080928000012'
      want_header = header
    else
      want_name = 'tree_origin/REA/NET__/2008/09/28-0959-58L.S200809'
      want_id = '20080928095958'
      ! Columns 1-20 rewritten (column 11 blank, fields blank-padded).
      want_header = typed_line(' 2008  928  959 58.5' // blank_time_header(21:), '1')
    end if
    call make_directory_of(want_name)

    event(1) = header
    n = 1
    do i = 1, 3
      if (c == 4) exit
      n = n + 1
      select case (c)
      case (1)
        event(n) = new_phases(i)
      case (2)
        event(n) = old_phases(i)
      case (3)
        event(n) = implied_phases(i)
      end select
    end do
    n = n + 1
    event(n) = ' '

    want(1:n) = event(1:n)
    want(1) = want_header
    ! The new ID line follows the header; then the phase header (new layout
    ! when new_nordic is set: it is 0 here, so the old one).
    want(2) = id_line('NEW', '26-12-10 01:40', 'xyz ', ' ', want_id, ' S')
    want(3) = ' STAT SP IPHASW D HRMM SECON CODA AMPLIT PERI AZIMU VELO AIN AR TRES W  DIS CAZ7'
    want(4:n + 2) = event(2:n)

    call open_event_file('event_origin.txt', event, n)
    base_name = 'NET'
    data = ' '
    call refile_event(event_unit, new_file, base_name, '26-12-10 01:40', 'xyz', data, 'NEW')
    call check_text(trim(names(c)) // ': new_file', new_file, want_name)
    call check_text(trim(names(c)) // ': caller''s header', data(1), want_header)
    call check_file(trim(names(c)), want_name, want, n + 2)
  end do
  call finish_checks()
end program
