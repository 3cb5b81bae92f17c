! seismo_modules: explicit interfaces of every routine that the object
! modules export, so that the compiler checks each call's argument count,
! types, kinds and intents. A program that says
!
!   use seismo_modules
!
! (or `use seismo_modules, only: ...`) declares nothing else for these
! routines: no EXTERNAL, no function types. The module holds interfaces only;
! it adds nothing to link, the routines come from the object modules.
!
! What the interfaces settle beyond a plain call:
! - hypot is the modules' single-precision hypot_ (double result), not the
!   compiler's intrinsic of the same name;
! - readn's count and clock's result are 64-bit integers;
! - atoanglexx, new_open and new_read take their arguments by value under
!   their own names (bind(C)); texts passed to them end with c_null_char;
! - sscanf3 takes variables of any type for its three targets, so that one
!   program unit may scan into different types;
! - intent(inout) texts (getfiles' directory, refile_event's database name)
!   refuse literals, which the routines would write into;
! - putenvsun keeps the caller's text itself: pass a saved or global
!   variable, not an automatic one or a literal.
!
! The common areas /mbn1/ and /mbn2/ of bodywave_mag are declared by the
! include file mbn_common.inc, installed beside this module.
module seismo_modules
  use, intrinsic :: iso_c_binding, only: c_char, c_double, c_int
  use, intrinsic :: iso_fortran_env, only: int64
  implicit none
  private

  public :: refile_event
  public :: read_mbn, get_station_correction, get_source_correction
  public :: compute_mbn, av, sd
  public :: path_stations
  public :: atoanglexx, atoangle, datetime, hypot, rpad, sscanf3
  public :: putenvsun, systemc, readn, getfiles, clock, sortfi
  public :: new_open, new_read, readonekey
  public :: evformat_probe
  public :: demean, textlen

  interface

    ! refile_event: stores the event read from `unit` again under the name
    ! and ID of its origin time (see refile_event(3f)).
    subroutine refile_event(unit, new_file, base_name, action_time, operator_id, data, action)
      integer, intent(in) :: unit
      character(len=*), intent(inout) :: new_file
      character(len=*), intent(inout) :: base_name
      character(len=*), intent(in) :: action_time
      character(len=*), intent(in) :: operator_id
      character(len=*), intent(inout) :: data(*)
      character(len=*), intent(in) :: action
    end subroutine

    ! bodywave_mag: the mbn parameter file and the corrections.
    subroutine read_mbn(unit)
      integer, intent(in) :: unit
    end subroutine

    real function get_station_correction(station, phase)
      character(len=*), intent(in) :: station
      integer, intent(in) :: phase
    end function

    real function get_source_correction(coordinate1, coordinate2, phase)
      real, intent(in) :: coordinate1, coordinate2
      integer, intent(in) :: phase
    end function

    real function compute_mbn(amplitude, period, coordinate1, coordinate2, distance, &
                              group_velocity, station, station_corr, source_corr, high_frequency)
      real, intent(in) :: amplitude, period, coordinate1, coordinate2, distance
      real, intent(in) :: group_velocity
      character(len=*), intent(in) :: station
      real, intent(out) :: station_corr, source_corr
      real, intent(in) :: high_frequency
    end function

    subroutine av(values, n, average)
      real, intent(in) :: values(*)
      integer, intent(in) :: n
      real, intent(out) :: average
    end subroutine

    subroutine sd(values, n, mean, deviation)
      real, intent(in) :: values(*)
      integer, intent(in) :: n
      real, intent(in) :: mean
      real, intent(out) :: deviation
    end subroutine

    ! path_stations: epicentre-to-station paths of the event in the
    ! package's event reading area.
    subroutine path_stations(unit, phase_list, nlist, phase_len, min_weight, npath, mode, &
                             stations, station_lat, station_lon, nstations)
      integer, intent(in) :: unit
      character(len=8), intent(in) :: phase_list(*)
      integer, intent(in) :: nlist
      integer, intent(in) :: phase_len(*)
      real, intent(in) :: min_weight
      integer, intent(out) :: npath
      integer, intent(in) :: mode
      character(len=5), intent(inout) :: stations(*)
      real, intent(inout) :: station_lat(*), station_lon(*)
      integer, intent(inout) :: nstations
    end subroutine

    ! ctext_util: text, angle and time helpers.
    function atoanglexx(text) bind(C, name='atoanglexx') result(angle)
      import :: c_char, c_double
      character(kind=c_char), intent(in) :: text(*)
      real(c_double) :: angle
    end function

    double precision function atoangle(text)
      character(len=*), intent(in) :: text
    end function

    subroutine datetime(text)
      character(len=*), intent(inout) :: text
    end subroutine

    double precision function hypot(x, y)
      real, intent(in) :: x, y
    end function

    subroutine rpad(text)
      character(len=*), intent(inout) :: text
    end subroutine

    integer function sscanf3(text, format, a, b, c)
      character(len=*), intent(in) :: text, format
      type(*), intent(inout) :: a, b, c
    end function

    ! csys_util: shell, terminal, environment and directory helpers.
    integer function putenvsun(text)
      character(len=*), intent(in) :: text
    end function

    integer function systemc(command, len)
      character(len=*), intent(in) :: command
      integer, intent(in) :: len
    end function

    subroutine readn(buffer, n)
      import :: int64
      character(len=*), intent(inout) :: buffer
      integer(int64), intent(in) :: n
    end subroutine

    subroutine getfiles(dir, dirlen, names, maxn, n)
      character(len=*), intent(inout) :: dir
      integer, intent(in) :: dirlen
      character(len=80), intent(inout) :: names(*)
      integer, intent(in) :: maxn
      integer, intent(out) :: n
    end subroutine

    integer(int64) function clock()
      import :: int64
    end function

    subroutine sortfi(names, n)
      character(len=80), intent(inout) :: names(*)
      integer, intent(in) :: n
    end subroutine

    function new_open(path, flags) bind(C, name='new_open') result(fd)
      import :: c_char, c_int
      character(kind=c_char), intent(in) :: path(*)
      integer(c_int), value :: flags
      integer(c_int) :: fd
    end function

    function new_read(fd, buffer, count) bind(C, name='new_read') result(got)
      import :: c_int
      integer(c_int), value :: fd
      type(*), intent(inout) :: buffer(*)
      integer(c_int), value :: count
      integer(c_int) :: got
    end function

    subroutine readonekey(key)
      character(len=*), intent(inout) :: key
    end subroutine

    ! evformat_probe, demean, textlen.
    subroutine evformat_probe(unit, file_type)
      integer, intent(in) :: unit
      integer, intent(out) :: file_type
    end subroutine

    subroutine demean(signal, nmean, dc_level, nsamp)
      real, intent(inout) :: signal(*)
      integer, intent(inout) :: nmean
      real, intent(out) :: dc_level
      integer, intent(in) :: nsamp
    end subroutine

    integer function textlen(text)
      character(len=*), intent(in) :: text
    end function

  end interface

end module seismo_modules
