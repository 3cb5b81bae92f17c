! The unit is open for writing only: the probe's read fails, and with no
! status on the read the runtime stops the program.
program evformat_probe_read_error
  implicit none
  external evformat_probe
  integer :: file_type
  open(21, file='probe_write_only.txt', status='replace', action='write')
  write(21, '(a)') ' 2008 0928 0015 45.3 L'
  call evformat_probe(21, file_type)
  print *, 'not reached: the read should have stopped the program'
end program
