! Run under a pseudo-terminal: waits for the line GO, reads one key and
! reports its code, whether the rest of the key text was kept, and the
! terminal modes afterwards. Prints digits and upper-case letters only, so
! that an echoed lower-case key would show in the output.
program single_key_child
  implicit none
  external readonekey, terminal_modes
  character(len=8) :: line
  character(len=3) :: key
  integer :: echo_on, canonical, kept
  read(5, '(a)') line
  key = 'QRS'
  call readonekey(key)
  call terminal_modes(echo_on, canonical)
  kept = merge(1, 0, key(2:3) == 'RS')
  write(6, '(a,i0,a,i0,a,i0,a,i0)') 'KEY ', ichar(key(1:1)), ' KEPT ', kept, &
    ' ECHO ', echo_on, ' ICANON ', canonical
end program
