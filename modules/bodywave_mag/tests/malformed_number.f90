! A value field that is not a number stops the program with the runtime's
! message; so does a unit that cannot be read. The case is the argument.
program malformed_number
  use mbn_test_support
  implicit none
  external read_mbn
  character(len=16) :: which
  character(len=80) :: line

  call get_command_argument(1, which)
  select case (trim(which))
  case ('scale')
    line = keyword_line('SCALE MBPN ', '', '     1.0x0     2.000     3.000')
  case ('station')
    line = keyword_line('STATION CORRECTION', 'BER', '     0.100      1,5')
  case ('source')
    line = keyword_line('SOURCE CORRECTION', 'NORTH', '   550    600    -50     10     2A    10')
  case ('write_only')
    open(42, file='mbn_write_only.par', status='replace', action='write')
    write(42, '(a)') 'SCALE MBPN'
    call read_mbn(42)
    print *, 'not reached: reading a write-only unit should stop the program'
    stop
  case default
    error stop 'unknown case'
  end select
  call write_file('mbn_malformed_' // trim(which) // '.par', [line])
  call read_parameters('mbn_malformed_' // trim(which) // '.par')
  print *, 'not reached: the malformed field should have stopped the program'
end program
