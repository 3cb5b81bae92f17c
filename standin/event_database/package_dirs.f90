! Stand-ins for the package's installation queries.

subroutine topdir(top)
  implicit none
  character(len=*), intent(out) :: top
  include 'event_database_areas.inc'
  if (standin_top_directory == ' ') then
    top = '.'
  else
    top = standin_top_directory
  end if
end subroutine

subroutine dir_char(dchar)
  implicit none
  character(len=*), intent(out) :: dchar
  dchar = '/'
end subroutine

subroutine get_def_base(base)
  implicit none
  character(len=*), intent(out) :: base
  base = 'TEST_'
end subroutine
