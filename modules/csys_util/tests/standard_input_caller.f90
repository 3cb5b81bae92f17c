! Raw characters and single keys from standard input taken from files.
program standard_input_caller
  use checks
  implicit none
  external readn, readonekey, redirect_stdin
  character(len=5) :: buffer
  character(len=3) :: key
  character(len=1), parameter :: ff = char(255)

  ! Two characters left, three asked for: the third position gets 0xFF.
  call make_input('two.bin', 'ab')
  call redirect_stdin('two.bin' // char(0))
  buffer = '#####'
  call readn(buffer, 3_8)
  call check_text('end of input after two', buffer, 'ab' // ff // '##')
  buffer = '#####'
  call readn(buffer, 2_8)
  call check_text('at end of input', buffer, ff // ff // '###')

  call make_input('seven.bin', 'PQRSTUV')
  call redirect_stdin('seven.bin' // char(0))
  buffer = '#####'
  call readn(buffer, 0_8)
  call check_text('n=0 reads nothing', buffer, '#####')
  call readn(buffer, 2_8)
  call check_text('two of seven', buffer, 'PQ###')
  ! A count beyond the text's length fills the text only and leaves the
  ! rest of the input for later reads.
  buffer = '#####'
  call readn(buffer(1:1), 3_8)
  call check_text('count beyond the text', buffer, 'R####')
  key = 'ABC'
  call readonekey(key)
  call check_text('waiting key, first position only', key, 'SBC')
  buffer = '#####'
  call readn(buffer, 5_8)
  call check_text('rest of the input', buffer, 'TUV' // ff // ff)
  key = 'ABC'
  call readonekey(key)
  call check_text('key at end of input', key, ff // 'BC')

  ! The count is 64 bits wide: 2**32 + 2 is not 2. Capped at the text's
  ! length, it fills all five positions.
  call make_input('wide.bin', 'ABCDEFG')
  call redirect_stdin('wide.bin' // char(0))
  buffer = '#####'
  call readn(buffer, 4294967298_8)
  call check_text('64-bit count', buffer, 'ABCDE')
  call finish_checks()

contains

  subroutine make_input(path, content)
    character(len=*), intent(in) :: path, content
    integer :: unit
    open(newunit=unit, file=path, access='stream', form='unformatted', status='replace')
    write(unit) content
    close(unit)
  end subroutine
end program
