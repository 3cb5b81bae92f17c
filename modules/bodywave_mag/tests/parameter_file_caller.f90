! read_mbn on parameter files written here, the tables checked through the
! common areas as the package's programs declare them.
program parameter_file_caller
  use checks
  use mbn_test_support
  implicit none
  include 'mbn_common.inc'
  external read_mbn
  character(len=80) :: lines(21), line, first
  character(len=40) :: source_values
  integer :: ios
  logical :: is_open

  ! Source columns 41-80: 55.0, 60.5, -5.0, 1.0 (one implied decimal), then
  ! 0.025 (three implied decimals) and -0.150.
  source_values = '   550   60.5   -5.0     10     25-0.150'

  lines(1) = '# regional magnitude parameters'
  lines(2) = ' '
  lines(3) = keyword_line('SCALE MBPN ', '', '     1.100     2.200    -0.300')
  ! Blanks ignored, 25 with three implied decimals, a D exponent, and a
  ! signed exponent alone after implied decimals (0.015 * 10).
  lines(4) = keyword_line('SCALE MBSN ', '', '   2 5    2.5D1        15+1')
  lines(5) = keyword_line('SCALE MBSNHF ', '', '     0.900    3.0E+0       .5')
  ! Keywords that must not match: a character after MBSN or after HF, lower
  ! case, column 2.
  lines(6) = keyword_line('SCALE MBSNX', '', '     9.000     9.000     9.000')
  lines(7) = keyword_line('SCALE MBSNHFX', '', '     9.000     9.000     9.000')
  lines(8) = keyword_line('scale mbpn ', '', '     9.000     9.000     9.000')
  lines(9) = keyword_line(' SCALE MBPN ', '', '     9.000     9.000     9.000')
  lines(10) = keyword_line('GROUP VEL PN', '', '     6.000     8.500')
  lines(11) = keyword_line('GROUP VEL SN', '', '     3.000     4.800')
  lines(12) = keyword_line('group vel sn', '', '     9.000     9.000')
  lines(13) = keyword_line('STATION CORRECTION', 'BER', '     0.100    -0.200')
  lines(14) = keyword_line('STATION CORRECTION', '', '     9.000     9.000')
  lines(15) = keyword_line('STATION CORRECTION', 'KONO', '')
  ! A record that ends in column 50: the Sn field reads as blank.
  lines(16) = keyword_line('STATION CORRECTION', 'SHRTX', '      0.30')
  lines(17) = keyword_line(' STATION CORRECTION', 'COL2', '     9.000     9.000')
  lines(18) = keyword_line('SOURCE CORRECTION', 'NORTH SEA AND BEYOND', source_values)
  line = keyword_line('SOURCE CORRECTION', '', source_values)
  call put(line, 22, 'NAMELESS')
  lines(19) = line
  lines(20) = keyword_line('source correction', 'LOWER', source_values)
  lines(21) = keyword_line('SOURCE CORRECTIONX', 'SECOND REGION', &
    '  -100    -50    100    200   -125  5000')
  call write_file('mbn_first.par', lines)
  call read_parameters('mbn_first.par')

  call check_reals3('scale mbpn', scale_mbpn, [1.1, 2.2, -0.3])
  call check_reals3('scale mbsn', scale_mbsn, [0.025, 25.0, 0.15])
  call check_reals3('scale mbsnhf', scale_mbsnhf, [0.9, 3.0, 0.5])
  call check_real('gvel pn low', gvel_pn(1), 6.0, 0.0)
  call check_real('gvel pn high', gvel_pn(2), 8.5, 0.0)
  call check_real('gvel sn low', gvel_sn(1), 3.0, 0.0)
  call check_real('gvel sn high', gvel_sn(2), 4.8, 0.0)

  call check_int('station count', station_count, 3)
  call check_text('station 1 code', station_code(1), 'BER  ')
  call check_real('station 1 pn', station_corr(1, 1), 0.1, 0.0)
  call check_real('station 1 sn', station_corr(1, 2), -0.2, 0.0)
  call check_text('station 2 code', station_code(2), 'KONO ')
  call check_real('blank values pn', station_corr(2, 1), 0.0, 0.0)
  call check_real('blank values sn', station_corr(2, 2), 0.0, 0.0)
  call check_text('station 3 code', station_code(3), 'SHRTX')
  call check_real('short record pn', station_corr(3, 1), 0.3, 0.0)
  call check_real('short record sn', station_corr(3, 2), 0.0, 0.0)

  ! "SOURCE CORRECTIONX" still begins with the 17-column keyword.
  call check_int('source count', source_count, 2)
  call check_text('source 1 name', source_name(1), 'NORTH SEA AND BEYOND' // repeat(' ', 60))
  call check_real('box 1 c2 low', source_box(1, 1), 55.0, 0.0)
  call check_real('box 1 c2 high', source_box(1, 2), 60.5, 0.0)
  call check_real('box 1 c1 low', source_box(1, 3), -5.0, 0.0)
  call check_real('box 1 c1 high', source_box(1, 4), 1.0, 0.0)
  call check_real('source 1 pn', source_corr(1, 1), 0.025, 0.0)
  call check_real('source 1 sn', source_corr(1, 2), -0.15, 0.0)
  call check_text('source 2 name', source_name(2), 'SECOND REGION' // repeat(' ', 67))
  call check_real('box 2 c2 low', source_box(2, 1), -10.0, 0.0)
  call check_real('box 2 c2 high', source_box(2, 2), -5.0, 0.0)
  call check_real('box 2 c1 low', source_box(2, 3), 10.0, 0.0)
  call check_real('box 2 c1 high', source_box(2, 4), 20.0, 0.0)
  call check_real('source 2 pn', source_corr(2, 1), -0.125, 0.0)
  call check_real('source 2 sn', source_corr(2, 2), 5.0, 0.0)

  ! A second file appends its entries and overwrites only the kinds it has.
  call write_file('mbn_second.par', [character(len=80) :: &
    keyword_line('SCALE MBPN ', '', '     4.000     5.000     6.000'), &
    keyword_line('STATION CORRECTION', 'BER', '     0.500     0.600'), &
    keyword_line('SOURCE CORRECTION', 'THIRD', '     0      0      0      0  1000  2000')])
  call read_parameters('mbn_second.par')
  call check_reals3('mbpn overwritten', scale_mbpn, [4.0, 5.0, 6.0])
  call check_reals3('mbsn kept', scale_mbsn, [0.025, 25.0, 0.15])
  call check_int('stations appended', station_count, 4)
  call check_text('appended code', station_code(4), 'BER  ')
  call check_real('appended sn', station_corr(4, 2), 0.6, 0.0)
  call check_real('first entry kept', station_corr(1, 1), 0.1, 0.0)
  call check_int('regions appended', source_count, 3)
  call check_text('appended region', source_name(3)(1:20), 'THIRD' // repeat(' ', 15))
  call check_real('appended region sn', source_corr(3, 2), 2.0, 0.0)

  ! An empty file changes nothing.
  call write_file('mbn_empty.par', [character(len=80) ::])
  call read_parameters('mbn_empty.par')
  call check_int('empty file stations', station_count, 4)
  call check_int('empty file regions', source_count, 3)

  ! Reading starts at the unit's current position and leaves the unit open
  ! at its end. A SCALE line with blank value columns sets all three to 0.
  call write_file('mbn_third.par', [character(len=80) :: &
    keyword_line('SCALE MBSNHF ', '', '     7.000     7.000     7.000'), &
    keyword_line('GROUP VEL SN', '', '     1.000     2.000'), &
    keyword_line('SCALE MBPN', '', '')])
  open(41, file='mbn_third.par', status='old', action='read')
  read(41, '(a)') first
  call read_mbn(41)
  inquire(41, opened=is_open)
  call check_true('unit left open', is_open)
  read(41, '(a)', iostat=ios) first
  call check_true('unit at its end', ios /= 0)
  close(41)
  call check_reals3('line before position not read', scale_mbsnhf, [0.9, 3.0, 0.5])
  call check_real('line after position read', gvel_sn(2), 2.0, 0.0)
  call check_reals3('blank scale values', scale_mbpn, [0.0, 0.0, 0.0])

  ! The same file twice doubles its entries.
  call clear_tables()
  call read_parameters('mbn_second.par')
  call read_parameters('mbn_second.par')
  call check_int('doubled stations', station_count, 2)
  call check_int('doubled regions', source_count, 2)
  call check_text('doubled code', station_code(2), 'BER  ')
  call finish_checks()

contains

  subroutine check_reals3(label, got, want)
    character(len=*), intent(in) :: label
    real, intent(in) :: got(3), want(3)
    integer :: i
    character(len=4) :: suffix
    do i = 1, 3
      write(suffix, '(a,i1)') ' #', i
      call check_real(label // suffix, got(i), want(i), 0.0)
    end do
  end subroutine
end program
