! A parameter file with more station and source lines than the tables hold:
! each surplus line is ignored with one warning line, and nothing beyond the
! tables changes.
program table_overflow_caller
  use checks
  use mbn_test_support
  implicit none
  include 'mbn_common.inc'
  real, external :: get_station_correction, get_source_correction
  integer, parameter :: nstations = 101, nregions = 22
  character(len=80) :: lines(nstations + nregions)
  character(len=120) :: messages(10)
  character(len=5) :: code
  character(len=20) :: name
  character(len=20) :: values
  integer :: i, nmessages

  do i = 1, nstations
    write(code, '(a,i3.3)') 'S', i
    write(values, '(2i10)') i, -i
    lines(i) = keyword_line('STATION CORRECTION', code, values)
  end do
  do i = 1, nregions
    write(name, '(a,i2.2)') 'REGION ', i
    lines(nstations + i) = keyword_line('SOURCE CORRECTION', name, &
      source_columns([10 * i, 10 * i + 5, -10 * i, -10 * i + 5, i, -i]))
  end do
  call write_file('mbn_overflow.par', lines)

  ! The bytes behind the tables belong to the calling program.
  mbn2_reserved = 424242
  call capture_output('mbn_overflow.txt', .true.)
  call read_parameters('mbn_overflow.par')
  call capture_output('', .false.)

  call check_int('station count stops at 99', station_count, 99)
  call check_int('source count stops at 20', source_count, 20)
  call check_text('last station kept', station_code(99), 'S099 ')
  call check_real('last station sn', station_corr(99, 2), -0.099, 0.0)
  call check_text('first station untouched', station_code(1), 'S001 ')
  call check_real('first station sn untouched', station_corr(1, 2), -0.001, 0.0)
  call check_real('first bound untouched', source_box(1, 1), 1.0, 0.0)
  call check_text('last region kept', source_name(20)(1:20), 'REGION 20' // repeat(' ', 11))
  call check_real('last region sn', source_corr(20, 2), -0.02, 0.0)
  call check_true('area behind the tables untouched', all(mbn2_reserved == 424242))
  call check_real('surplus station not found', get_station_correction('S100 ', 1), 0.0, 0.0)
  call check_real('surplus region not found', get_source_correction(-21.0, 21.0, 1), &
                  -999.0, 0.0)

  call captured_lines('mbn_overflow.txt', messages, nmessages)
  call check_int('one warning per surplus line', nmessages, 4)
  call check_true('warning names S100', index(messages(1), 'S100') > 0)
  call check_true('warning names S101', index(messages(2), 'S101') > 0)
  call check_true('warning names region 21', index(messages(3), 'REGION 21') > 0)
  call check_true('warning names region 22', index(messages(4), 'REGION 22') > 0)
  do i = 1, min(nmessages, 4)
    call check_true('list-directed line starts with a blank', messages(i)(1:1) == ' ')
  end do
  call finish_checks()
end program
