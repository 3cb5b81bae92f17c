! Shared helpers of the refile_event caller programs: event files written by
! the test itself, a database tree below the working directory, and the
! lines of the rewritten file read back for checking.
module refile_fixture
  use checks
  implicit none
  include 'event_database_areas.inc'
  integer, parameter :: max_lines = 200
  integer, parameter :: event_unit = 21
  external refile_event

contains

  ! An 80-character line: text in columns 1.., type in column 80.
  function typed_line(text, line_type) result(line)
    character(len=*), intent(in) :: text, line_type
    character(len=80) :: line
    line = text
    line(80:80) = line_type
  end function

  ! An ID line as the package writes it, with every field given.
  function id_line(action, action_time, operator_col31_34, status, id, col75) result(line)
    character(len=*), intent(in) :: action, action_time, operator_col31_34, status, id, col75
    character(len=80) :: line
    line = ' ACTION:'
    line(9:11) = action
    line(13:26) = action_time
    line(28:30) = 'OP:'
    line(31:34) = operator_col31_34
    line(36:42) = 'STATUS:'
    line(43:57) = status
    line(58:60) = 'ID:'
    line(61:74) = id
    line(75:76) = col75
    line(80:80) = 'I'
  end function

  ! Starts an empty database tree below the working directory and makes it
  ! the installation's top directory.
  subroutine start_tree(top)
    character(len=*), intent(in) :: top
    call execute_command_line('rm -rf ' // top)
    call execute_command_line('mkdir -p ' // top // '/REA')
    standin_top_directory = top
    rea_new_format_flag = 0
    new_nordic_flag = 0
    fil_com_words = 7
    standin_read_only = .false.
    call reset_calls()
  end subroutine

  subroutine reset_calls()
    standin_opens = 0
    standin_closes = 0
    standin_codes = 0
    standin_bad_codes = 0
    standin_increments = 0
  end subroutine

  ! Creates the directory that will hold the file named path.
  subroutine make_directory_of(path)
    character(len=*), intent(in) :: path
    integer :: slash
    slash = index(path, '/', back=.true.)
    if (slash > 1) call execute_command_line('mkdir -p ' // path(1:slash - 1))
  end subroutine

  ! Writes an event file (each line without its trailing blanks) and opens
  ! it for reading on event_unit.
  subroutine open_event_file(name, lines, n)
    character(len=*), intent(in) :: name
    character(len=80), intent(in) :: lines(:)
    integer, intent(in) :: n
    integer :: i
    open(event_unit, file=name, status='replace')
    do i = 1, n
      write(event_unit, '(a)') trim(lines(i))
    end do
    close(event_unit)
    open(event_unit, file=name, status='old')
  end subroutine

  logical function file_exists(name)
    character(len=*), intent(in) :: name
    inquire(file=trim(name), exist=file_exists)
  end function

  ! Checks that the file holds exactly the expected lines, each read as 80
  ! characters and each record exactly 80 characters long.
  subroutine check_file(label, name, want, n)
    character(len=*), intent(in) :: label, name
    character(len=80), intent(in) :: want(:)
    integer, intent(in) :: n
    character(len=81) :: got
    character(len=12) :: tag
    integer :: i, ios, size_read
    call check_true(label // ': new file exists', file_exists(name))
    if (.not. file_exists(name)) return
    open(31, file=trim(name), status='old')
    do i = 1, n
      write(tag, '(a,i0)') ' line ', i
      read(31, '(a)', advance='no', size=size_read, iostat=ios) got
      call check_true(label // tag // ' present', ios == 0 .or. is_iostat_eor(ios))
      if (.not. (ios == 0 .or. is_iostat_eor(ios))) exit
      call check_int(label // tag // ' length', size_read, 80)
      call check_text(label // tag, got(1:80), want(i))
      if (ios == 0) read(31, '(a)')
    end do
    read(31, '(a)', advance='no', size=size_read, iostat=ios) got
    call check_true(label // ': no line after the last', is_iostat_end(ios))
    close(31)
  end subroutine

end module refile_fixture
