! A module's read on a unit open for writing only: the program stops with
! the runtime's message, which names the installed calling layer, and its
! backtrace goes on through the module to the call below.
program probe_write_only
  use seismo_modules, only: evformat_probe
  implicit none
  integer :: file_type
  open(21, file='probe_write_only.txt', status='replace', action='write')
  call evformat_probe(21, file_type)
  print *, 'not reached', file_type
end program
