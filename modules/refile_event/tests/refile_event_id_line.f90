! An event with and without an ID line, with the new or the old phase header
! selected: the ID line second or updated in place with the "OLDACT" comment
! after the header lines, type-7 lines dropped, exactly one phase header.
program refile_event_id_line
  use refile_fixture
  implicit none
  character(len=80), parameter :: new_header = &
    ' STAT COM NTLO IPHASE   W HHMM SS.SSS   PAR1  PAR2 AGA OPE  AIN  RES W  DIS CAZ7'
  character(len=80), parameter :: old_header = &
    ' STAT SP IPHASW D HRMM SECON CODA AMPLIT PERI AZIMU VELO AIN AR TRES W  DIS CAZ7'
  character(len=*), parameter :: target_name = 'tree_id/REA/NET__/2008/09/28-0015-45L.S200809'
  logical, parameter :: with_id(4) = [.false., .false., .true., .true.]
  integer, parameter :: nordic_choice(4) = [0, 1, 0, 1]
  character(len=80) :: main, comment, old_id, new_id, pattern_id, phase1, phase2
  character(len=80) :: event(max_lines), data(max_lines), want(max_lines)
  character(len=80) :: new_file
  character(len=5) :: base_name
  character(len=40) :: label
  integer :: c, n, nwant, id_index

  main = typed_line(' 2008 0928 0015 45.3 L  61.000   5.000 10.0  TES  1', '1')
  comment = typed_line(' A FELT EVENT IN THE NORTH', '3')
  old_id = id_line('UPD', '08-09-29 10:11', 'abcX', 'OK', '19990101000000', 'L ')
  ! The updated ID line keeps column 34 and the status, gets the new action,
  ! time, operator and ID, a blank column 75 and "S" in column 76.
  new_id = id_line('NEW', '26-12-10 01:40', 'xyzX', 'OK', '20080928001545', ' S')
  pattern_id = id_line('NEW', '26-12-10 01:40', 'xyz ', ' ', '20080928001545', ' S')
  phase1 = ' BERG SZ IP        0015 48.52'
  phase2 = ' KONO SZ ES        0016 02.1'

  do c = 1, 4
    write(label, '(a,l1,a,i0)') 'id ', with_id(c), ' new_nordic ', nordic_choice(c)
    call start_tree('tree_id')
    call make_directory_of(target_name)
    new_nordic_flag = nordic_choice(c)

    ! Header lines: main, comment, [ID line], two phase headers (type 7).
    n = 0
    call add(event, n, main)
    call add(event, n, comment)
    if (with_id(c)) call add(event, n, old_id)
    call add(event, n, new_header)
    call add(event, n, old_header)
    call add(event, n, phase1)
    call add(event, n, phase2)
    call add(event, n, ' ')
    id_index = merge(3, 0, with_id(c))

    nwant = 0
    call add(want, nwant, main)
    if (.not. with_id(c)) call add(want, nwant, pattern_id)
    call add(want, nwant, comment)
    if (with_id(c)) then
      call add(want, nwant, new_id)
      call add(want, nwant, old_id(1:1) // 'OLDACT' // old_id(8:79) // '3')
    end if
    call add(want, nwant, merge(new_header, old_header, nordic_choice(c) /= 0))
    call add(want, nwant, phase1)
    call add(want, nwant, phase2)
    call add(want, nwant, ' ')

    call open_event_file('event_id.txt', event, n)
    new_file = 'previous'
    base_name = 'NET'
    data = ' '
    call refile_event(event_unit, new_file, base_name, '26-12-10 01:40', 'xyz', data, 'NEW')

    call check_text(trim(label) // ': new_file', new_file, typed_line(target_name, ' '))
    call check_text(trim(label) // ': base_name', base_name, 'NET__')
    call check_true(trim(label) // ': old file deleted', .not. file_exists('event_id.txt'))
    call check_int(trim(label) // ': fil_com$ word 2', fil_com_words(2), 0)
    call check_int(trim(label) // ': fil_com$ word 1 untouched', fil_com_words(1), 7)
    call check_file(trim(label), target_name, want, nwant)
    ! One status check per step: header, [new ID line], other header lines,
    ! phase header, phase lines.
    call check_int(trim(label) // ': status checks', standin_codes, merge(4, 5, with_id(c)))
    call check_int(trim(label) // ': files opened', standin_opens, 1)
    call check_int(trim(label) // ': files closed', standin_closes, 1)
    if (with_id(c)) call check_text(trim(label) // ': caller''s ID line', data(id_index), new_id)
    call check_text(trim(label) // ': caller''s header', data(1), main)
  end do
  call finish_checks()

contains

  subroutine add(lines, n, line)
    character(len=80), intent(inout) :: lines(:)
    integer, intent(inout) :: n
    character(len=*), intent(in) :: line
    n = n + 1
    lines(n) = line
  end subroutine

end program
