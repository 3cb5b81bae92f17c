! compute_mbn on tables filled by the calling program, then end to end from
! a parameter file. The messages on standard output are captured and
! compared with what list-directed output of the same items gives.
program magnitude_caller
  use checks
  use mbn_test_support
  use, intrinsic :: ieee_arithmetic, only: ieee_value, ieee_quiet_nan, ieee_is_nan
  implicit none
  include 'mbn_common.inc'
  real, external :: compute_mbn

  ! One reading and what it must give: phase 0 (rejected), 1 (Pn) or 2 (Sn);
  ! whether the epicentre lies in the source region; whether the
  ! high-frequency Sn scale is used.
  type reading
    character(len=40) :: label
    real :: amplitude, period, c1, c2, distance, velocity
    character(len=5) :: station
    real :: switch
    integer :: phase
    logical :: inside, high_frequency
  end type
  type(reading), allocatable :: readings(:)
  character(len=120) :: expected(40), got(40)
  integer :: nexpected, ngot, i
  real :: nan, m, stc, src, want_stc, want_src

  nan = ieee_value(nan, ieee_quiet_nan)

  ! Nothing read: every window is [0, 0], so only a velocity of 0 is Pn and
  ! its magnitude is 0 * log10(0 / distance), not a number.
  call clear_tables()
  m = compute_mbn(10.0, 1.0, 0.0, 0.0, 100.0, 0.0, 'TEST ', stc, src, 0.0)
  call check_true('no parameters, velocity 0: not a number', ieee_is_nan(m))
  m = compute_mbn(10.0, 1.0, 0.0, 0.0, 100.0, 0.5, 'TEST ', stc, src, 0.0)
  call check_real('no parameters, velocity 0.5', m, -999.0, 0.0)

  scale_mbpn = [1.0, 100.0, 0.0]
  scale_mbsn = [1.2, 150.0, 0.3]
  scale_mbsnhf = [0.8, 90.0, -0.1]
  gvel_pn = [6.0, 8.0]
  gvel_sn = [3.0, 4.5]
  station_count = 1
  station_code(1) = 'TEST '
  station_corr(1, :) = [0.15, -0.25]
  source_count = 1
  source_box(1, :) = [0.0, 20.0, 50.0, 70.0]
  source_corr(1, :) = [0.05, 0.07]

  allocate(readings, source=[ &
    reading('worked example a=1 b=100 c=0', 100.0, 1.0, 0.0, 90.0, 10.0, 7.0, 'NONE ', 0.0, &
            1, .false., .false.), &
    reading('Pn with both corrections', 3.5, 0.8, 60.0, 10.0, 250.0, 7.0, 'TEST ', 0.0, &
            1, .true., .false.), &
    reading('Pn low bound', 42.0, 1.0, 55.0, 5.0, 180.0, 6.0, 'TEST ', 0.0, 1, .true., .false.), &
    reading('Pn high bound', 42.0, 1.0, 55.0, 5.0, 180.0, 8.0, 'TEST ', 0.0, 1, .true., .false.), &
    reading('Sn low bound', 42.0, 1.0, 55.0, 5.0, 180.0, 3.0, 'TEST ', 0.0, 2, .true., .false.), &
    reading('Sn high bound', 42.0, 1.0, 55.0, 5.0, 180.0, 4.5, 'TEST ', 0.0, 2, .true., .false.), &
    reading('between the windows', 42.0, 1.0, 55.0, 5.0, 180.0, 5.0, 'TEST ', 0.0, &
            0, .true., .false.), &
    reading('above both windows', 42.0, 1.0, 55.0, 5.0, 180.0, 8.01, 'TEST ', 0.0, &
            0, .true., .false.), &
    reading('velocity not a number', 42.0, 1.0, 55.0, 5.0, 180.0, nan, 'TEST ', 0.0, &
            0, .true., .false.), &
    reading('period 2.0 passes', 42.0, 2.0, 55.0, 5.0, 180.0, 7.0, 'TEST ', 0.0, &
            1, .true., .false.), &
    reading('period not a number passes', 42.0, nan, 55.0, 5.0, 180.0, 7.0, 'TEST ', 0.0, &
            1, .true., .false.), &
    reading('period 2.01 too long', 42.0, 2.01, 55.0, 5.0, 180.0, 7.0, 'TEST ', 0.0, &
            0, .true., .false.), &
    reading('period 7.5 too long, Sn', 42.0, 7.5, 55.0, 5.0, 180.0, 4.0, 'TEST ', 1.0, &
            0, .true., .false.), &
    reading('amplitude 10 at distance b, Sn', 10.0, 1.0, 55.0, 5.0, 150.0, 4.0, 'TEST ', 0.0, &
            2, .true., .false.), &
    reading('Sn switch 0', 42.0, 0.5, 55.0, 5.0, 180.0, 4.0, 'TEST ', 0.0, 2, .true., .false.), &
    reading('Sn switch 1', 42.0, 0.5, 55.0, 5.0, 180.0, 4.0, 'TEST ', 1.0, 2, .true., .true.), &
    reading('Sn switch not a number', 42.0, 0.5, 55.0, 5.0, 180.0, 4.0, 'TEST ', nan, &
            2, .true., .true.), &
    reading('Sn switch -0.0', 42.0, 0.5, 55.0, 5.0, 180.0, 4.0, 'TEST ', -0.0, &
            2, .true., .false.), &
    reading('Pn ignores the switch', 42.0, 0.5, 55.0, 5.0, 180.0, 7.0, 'TEST ', 1.0, &
            1, .true., .false.), &
    reading('Sn outside every region', 42.0, 0.5, 80.0, 5.0, 180.0, 4.0, 'TEST ', 0.0, &
            2, .false., .false.), &
    reading('Sn hf, unknown station, no region', 42.0, 0.5, 55.0, 25.0, 180.0, 4.0, 'XXXX ', &
            2.0, 2, .false., .true.)])

  nexpected = 0
  call capture_output('mbn_messages.txt', .true.)
  do i = 1, size(readings)
    call run_reading(readings(i))
  end do
  call capture_output('', .false.)
  call captured_lines('mbn_messages.txt', got, ngot)
  call check_int('message lines', ngot, nexpected)
  do i = 1, min(ngot, nexpected)
    call check_text('message line', trim(got(i)), trim(expected(i)))
  end do

  ! The worked examples in numbers.
  m = compute_mbn(100.0, 1.0, 0.0, 90.0, 10.0, 7.0, 'NONE ', stc, src, 0.0)
  call check_real('worked example gives 1', m, 1.0, 0.0)
  m = compute_mbn(10.0, 1.0, 55.0, 5.0, 150.0, 4.0, 'TEST ', stc, src, 0.0)
  ! log10(10) = 1 and log10(b / b) = 0, then the corrections and c in the
  ! module's order.
  call check_real('amplitude 10 at b: 1 + c + corrections', m, ((1.0 - 0.25) + 0.07) + 0.3, 0.0)

  ! Overlapping windows: a velocity in both is Pn, with the Pn corrections.
  gvel_sn = [3.0, 7.0]
  m = compute_mbn(42.0, 1.0, 55.0, 5.0, 180.0, 6.5, 'TEST ', stc, src, 1.0)
  call check_real('overlap: Pn station correction', stc, 0.15, 0.0)
  call check_real('overlap: Pn source correction', src, 0.05, 0.0)
  call check_real('overlap: Pn scale', m, &
    formula(42.0, 180.0, scale_mbpn, 0.15, 0.05, .true.), 0.0)

  call end_to_end()
  deallocate(readings)
  call finish_checks()

contains

  ! The magnitude by its formula, each step in single precision and in the
  ! module's order, so that the module's result must equal it exactly.
  real function formula(amplitude, distance, scale, stc, src, add_src)
    real, intent(in) :: amplitude, distance, scale(3), stc, src
    logical, intent(in) :: add_src
    real :: t1, t2
    t1 = log10(amplitude)
    t2 = log10(scale(2) / distance)
    formula = t1 - scale(1) * t2
    formula = formula + stc
    if (add_src) formula = formula + src
    formula = formula + scale(3)
  end function

  subroutine run_reading(r)
    type(reading), intent(in) :: r
    real :: m, stc, src, want
    real :: scale(3)
    stc = 99.0
    src = 99.0
    m = compute_mbn(r%amplitude, r%period, r%c1, r%c2, r%distance, r%velocity, r%station, &
                    stc, src, r%switch)
    if (r%period > 2.0) then
      nexpected = nexpected + 1
      write(expected(nexpected), *) ' period too long for mbn T= ', r%period
    end if
    if (r%high_frequency) then
      nexpected = nexpected + 1
      write(expected(nexpected), *) ' using hf version of mbsn for next reading '
    end if
    want_stc = 0.0
    want_src = 0.0
    if (r%phase == 0) then
      want = -999.0
    else
      if (r%station == 'TEST ') want_stc = station_corr(1, r%phase)
      want_src = -999.0
      if (r%inside) want_src = source_corr(1, r%phase)
      if (r%phase == 1) then
        scale = scale_mbpn
      else if (r%high_frequency) then
        scale = scale_mbsnhf
      else
        scale = scale_mbsn
      end if
      want = formula(r%amplitude, r%distance, scale, want_stc, want_src, r%inside)
    end if
    call check_real(trim(r%label) // ': magnitude', m, want, 0.0)
    call check_real(trim(r%label) // ': station correction', stc, want_stc, 0.0)
    call check_real(trim(r%label) // ': source correction', src, want_src, 0.0)
  end subroutine

  ! A parameter file read by read_mbn, then readings of both phases.
  subroutine end_to_end()
    real :: m, stc, src
    call clear_tables()
    call write_file('mbn_end_to_end.par', [character(len=80) :: &
      '# mbn for the test network', &
      keyword_line('SCALE MBPN ', '', '     0.830   120.000     3.500'), &
      keyword_line('SCALE MBSN ', '', '     0.900   130.000     3.300'), &
      keyword_line('SCALE MBSNHF ', '', '     1.100   140.000     3.100'), &
      keyword_line('GROUP VEL PN', '', '     6.500     8.600'), &
      keyword_line('GROUP VEL SN', '', '     3.200     4.800'), &
      keyword_line('STATION CORRECTION', 'HFS', '     0.120    -0.080'), &
      keyword_line('SOURCE CORRECTION', 'BARENTS SEA', source_columns([700, 800, 100, 500, -100, 200])), &
      keyword_line('SOURCE CORRECTION', 'ELSEWHERE', source_columns([-900, 900, -1800, 1800, 0, 0]))])
    call read_parameters('mbn_end_to_end.par')
    ! Epicentre at coordinate 1 = 30, coordinate 2 = 75: the Barents Sea.
    m = compute_mbn(250.0, 0.4, 30.0, 75.0, 900.0, 7.9, 'HFS  ', stc, src, 0.0)
    call check_real('file: Pn station correction', stc, 0.12, 0.0)
    call check_real('file: Pn source correction', src, -0.1, 0.0)
    call check_real('file: Pn magnitude', m, &
      formula(250.0, 900.0, [0.83, 120.0, 3.5], 0.12, -0.1, .true.), 0.0)
    ! Elsewhere, and a station without an entry.
    m = compute_mbn(80.0, 0.6, 30.0, -20.0, 400.0, 3.6, 'NRA0 ', stc, src, 0.0)
    call check_real('file: Sn station correction', stc, 0.0, 0.0)
    call check_real('file: Sn source correction', src, 0.0, 0.0)
    call check_real('file: Sn magnitude', m, &
      formula(80.0, 400.0, [0.9, 130.0, 3.3], 0.0, 0.0, .true.), 0.0)
  end subroutine
end program
