! Every exported routine called through the interface module seismo_modules,
! with no EXTERNAL or type declaration of its own: the calls compile only
! when the interfaces accept them, and the results show that each interface
! passes what the routine takes (by reference or by value, 32 or 64 bits,
! hidden lengths).
program interface_caller
  use, intrinsic :: iso_c_binding, only: c_null_char
  use, intrinsic :: iso_fortran_env, only: int64
  use seismo_modules
  use checks
  implicit none
  external redirect_stdin

  call event_files()
  call magnitudes()
  call paths()
  call texts()
  call system_helpers()
  call small_utilities()
  call finish_checks()

contains

  subroutine event_files()
    include 'event_database_areas.inc'
    character(len=80) :: lines(200), new_file, line
    character(len=5) :: base_name
    integer :: unit
    rea_new_format_flag = 0
    new_nordic_flag = 0
    standin_top_directory = ' '
    open(newunit=unit, file='interface_event.txt', status='replace')
    write(unit, '(a)') ' 2008 0928 0015 45.3 L' // repeat(' ', 57) // '1'
    write(unit, '(a)') ' BERG SZ IP       0015 48.52'
    write(unit, '(a)') ''
    close(unit)
    call execute_command_line('rm -f 28-0015-45L.S200809')
    open(21, file='interface_event.txt', status='old')
    base_name = ',,'
    call refile_event(21, new_file, base_name, '26-12-10 01:40', 'ops', lines, 'NEW')
    call check_text('refile_event: new file', trim(new_file), '28-0015-45L.S200809')
    call check_text('refile_event: base name', base_name, ',,___')
    open(newunit=unit, file=trim(new_file), status='old')
    read(unit, '(a)') line
    read(unit, '(a)') line
    close(unit, status='delete')
    call check_text('refile_event: ID line', line(58:76), 'ID:20080928001545 S')
  end subroutine

  subroutine magnitudes()
    include 'mbn_common.inc'
    real :: m, stc, src, mean, dev
    integer :: unit
    open(newunit=unit, file='interface_mbn.par', status='replace')
    write(unit, '(a)') 'SCALE MBPN' // repeat(' ', 30) // '     1.000   100.000     0.000'
    write(unit, '(a)') 'GROUP VEL PN' // repeat(' ', 28) // '     6.000     8.000'
    write(unit, '(a)') 'STATION CORRECTION  BER' // repeat(' ', 17) // '     0.250    -0.500'
    write(unit, '(a)') 'SOURCE CORRECTION   NORTH' // repeat(' ', 15) // &
      '     0    900      0    900    125   250'
    close(unit)
    open(newunit=unit, file='interface_mbn.par', status='old')
    call read_mbn(unit)
    close(unit, status='delete')
    call check_int('read_mbn: stations', station_count, 1)
    call check_real('get_station_correction', get_station_correction('BER', 2), -0.5, 0.0)
    call check_real('get_source_correction', get_source_correction(45.0, 10.0, 1), 0.125, 0.0)
    call check_real('get_source_correction outside', get_source_correction(95.0, 10.0, 1), &
                    -999.0, 0.0)
    ! Amplitude 100 at distance 10 with a = 1, b = 100, c = 0: 2 - 1 + corrections.
    m = compute_mbn(100.0, 1.0, 45.0, 10.0, 10.0, 7.0, 'BER  ', stc, src, 0.0)
    call check_real('compute_mbn', m, (1.0 + 0.25) + 0.125, 0.0)
    call check_real('compute_mbn: station correction', stc, 0.25, 0.0)
    call check_real('compute_mbn: source correction', src, 0.125, 0.0)
    call av([1.0, 2.0, 6.0], 3, mean)
    call check_real('av', mean, 3.0, 0.0)
    call sd([1.0, 2.0, 6.0], 3, 3.0, dev)
    call check_real('sd', dev, sqrt(14.0 / 3.0), 0.0)
  end subroutine

  subroutine paths()
    include 'event_reading_area.inc'
    character(len=5) :: stations(4)
    real :: lat(4), lon(4)
    integer :: nstations, npath, unit
    character(len=40) :: line
    call event_reading_clear()
    hyp_lat(1) = 60.5
    hyp_lon(1) = 5.25
    rea_nphase = 2
    rea_stat(1:2) = ['BERG ', 'KONO ']
    rea_phase(1:2) = ['PN      ', 'SG      ']
    rea_weight(1:2) = ['  ', '  ']
    nstations = 0
    open(newunit=unit, file='interface_paths.txt', status='replace')
    call path_stations(unit, ['P       '], 1, [1], 0.0, npath, 2, stations, lat, lon, nstations)
    close(unit)
    call check_int('path_stations: paths', npath, 1)
    call check_int('path_stations: stations', nstations, 1)
    call check_text('path_stations: station', stations(1), 'BERG ')
    open(newunit=unit, file='interface_paths.txt', status='old')
    read(unit, '(a)') line
    call check_text('path_stations: layout 2', trim(line), '>>')
    close(unit, status='delete')
  end subroutine

  subroutine texts()
    character(len=30) :: stamp
    character(len=8) :: padded
    integer :: i, n
    real :: r
    double precision :: d
    character(len=4) :: word
    call check_double('atoangle', atoangle('10:30:36'), 10.51d0, 1d-12)
    call check_double('atoanglexx by value', atoanglexx('-0:30' // c_null_char), -0.5d0, 0d0)
    ! The interface's hypot, not the intrinsic: a double result that keeps
    ! the single-precision 0.1.
    call check_double('hypot', hypot(0.1, 0.0), dble(0.1), 0d0)
    call check_double('hypot 3 4', hypot(3.0, 4.0), 5d0, 0d0)
    ! The intrinsic would give the single-precision square root of 2.
    call check_double('hypot 1 1 in double precision', hypot(1.0, 1.0), sqrt(2d0), 0d0)
    stamp = repeat('#', 30)
    call datetime(stamp)
    call check_text('datetime: columns beyond the stamp', stamp(25:30), '######')
    call check_text('datetime: blank in column 4', stamp(4:4), ' ')
    padded = 'ab' // char(0) // 'cdefg'
    call rpad(padded)
    call check_text('rpad', padded, 'ab      ')
    ! Targets of three different types in one program unit, and a text.
    n = sscanf3('12 2.5 7.25' // char(0), '%d %f %lf' // char(0), i, r, d)
    call check_int('sscanf3: count', n, 3)
    call check_int('sscanf3: integer', i, 12)
    call check_real('sscanf3: real', r, 2.5, 0.0)
    call check_double('sscanf3: double', d, 7.25d0, 0d0)
    word = '####'
    n = sscanf3('abc' // char(0), '%3c' // char(0), word, i, r)
    call check_int('sscanf3: characters', n, 1)
    call check_text('sscanf3: text target', word, 'abc#')
  end subroutine

  subroutine system_helpers()
    character(len=16), save :: entry
    character(len=8) :: value
    character(len=80) :: names(6), dir
    character(len=5) :: buffer
    character(len=3) :: key
    character(len=8) :: bytes
    integer :: n, fd, unit
    integer(int64) :: ticks
    entry = 'SEISMO_IFACE=7' // char(0)
    call check_int('putenvsun', putenvsun(entry), 0)
    call get_environment_variable('SEISMO_IFACE', value)
    call check_text('putenvsun: value', trim(value), '7')
    call check_int('systemc', systemc('exit 3; ignored', 6), 768)

    call execute_command_line('rm -rf iface_dir && mkdir iface_dir && touch iface_dir/b iface_dir/a')
    dir = 'iface_dir'
    names = repeat('#', 80)
    call getfiles(dir, 9, names, size(names), n)
    call check_int('getfiles: count', n, 4)
    call check_text('getfiles: third', names(3)(1:2), 'a' // char(0))
    call check_text('getfiles: rest untouched', names(5)(1:1), '#')
    names(1:3) = [character(len=80) :: 'b', 'B', ' x']
    call sortfi(names, 3)
    call check_text('sortfi', names(1)(1:2) // names(2)(1:1) // names(3)(1:1), ' xBb')
    call execute_command_line('rm -rf iface_dir')

    ticks = clock()
    call check_true('clock: 64-bit ticks, not negative', ticks >= 0_int64)

    open(newunit=unit, file='interface_bytes.bin', access='stream', status='replace')
    write(unit) 'seismic'
    close(unit)
    fd = new_open('interface_bytes.bin' // c_null_char, 0)
    call check_true('new_open by value', fd >= 0)
    bytes = '########'
    call check_int('new_read by value: count', new_read(fd, bytes, 4), 4)
    call check_text('new_read: bytes', bytes, 'seis####')
    call check_int('new_read: rest', new_read(fd, bytes, 8), 3)

    ! Standard input from the same file, read from its start.
    call redirect_stdin('interface_bytes.bin' // char(0))
    buffer = '#####'
    call readn(buffer, 3_int64)
    call check_text('readn: 64-bit count', buffer, 'sei##')
    key = 'XYZ'
    call readonekey(key)
    call check_text('readonekey', key, 'sYZ')
    open(newunit=unit, file='interface_bytes.bin', status='old')
    close(unit, status='delete')
  end subroutine

  subroutine small_utilities()
    real :: s(3), dc
    integer :: nmean, file_type, unit
    s = [2.0, 4.0, 9.0]
    nmean = 0
    call demean(s, nmean, dc, 3)
    call check_int('demean: nmean', nmean, 3)
    call check_real('demean: sample', s(3), 4.0, 0.0)
    call check_int('textlen', textlen('AB   '), 2)
    open(newunit=unit, file='interface_probe.txt', status='replace')
    write(unit, '(a)') ''
    rewind(unit)
    call evformat_probe(unit, file_type)
    call check_int('evformat_probe', file_type, 0)
    close(unit, status='delete')
  end subroutine
end program
