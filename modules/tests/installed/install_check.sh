#!/usr/bin/env bash
# The object modules as a package maintainer gets them: the tree configured
# and built without the test dependencies, installed into a prefix of its
# own, and every check made from the installed files alone.
#
#   install_check.sh STEP SOURCE_DIR WORK_DIR [cmake options...]
#
# STEP "build" configures, builds and installs (the other steps need it);
# the other steps each check one thing of the installation in WORK_DIR.
set -euo pipefail

step=$1
src=$(cd "$2" && pwd)
work=$3
shift 3
here=$src/modules/tests/installed
prefix=$work/prefix
export PKG_CONFIG_PATH=$prefix/lib/pkgconfig
export LC_ALL=C

modules=(bodywave_mag csys_util ctext_util demean evformat_probe path_stations refile_event
  textlen)

fail() {
  echo "FAIL: $*"
  exit 1
}

# A clean folder for one step, as the current directory.
enter() {
  rm -rf "${work:?}/$1"
  mkdir -p "$work/$1"
  cd "$work/$1"
}

# Runs a program and compares its standard output with an expected file.
expect_output() {
  local expected=$1
  shift
  "$@" >output.txt
  diff -u "$expected" output.txt || fail "$* printed other lines than $expected"
}

case $step in
build)
  rm -rf "${work:?}"
  mkdir -p "$work/no_packages"
  # No GoogleTest (find_package refuses it) and no libmseed (pkg-config
  # knows no package at all): neither may be needed.
  PKG_CONFIG_LIBDIR=$work/no_packages PKG_CONFIG_PATH='' \
    cmake -S "$src" -B "$work/build" -DBUILD_TESTING=OFF -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_FLAGS=-g -DCMAKE_CXX_FLAGS=-g -DCMAKE_Fortran_FLAGS=-g \
    -DCMAKE_INSTALL_PREFIX="$prefix" "$@"
  cmake --build "$work/build" --parallel 2
  cmake --install "$work/build"
  # Nothing of the tests was configured or built.
  tests=$(cd "$work/build" && ctest -N | sed -n 's/^Total Tests: //p')
  [ "${tests:-0}" = 0 ] || fail "a build without testing registers $tests tests"
  if find "$work/build" -name '*_tests' -type f -perm -u+x | grep .; then
    fail "a build without testing builds test programs"
  fi
  ;;

files)
  for f in bin/DRUMLIN lib/libseismo_modules.a lib/pkgconfig/seismo-modules.pc \
    include/seismo/mbn_common.inc include/seismo/seismo_modules.f90 \
    include/seismo/seismo_modules.mod share/man/man1/DRUMLIN.1 \
    share/seismo-modules/unit_io.f90; do
    [ -f "$prefix/$f" ] || fail "$f is not installed"
  done
  for m in "${modules[@]}"; do
    [ -f "$prefix/lib/seismo/$m.o" ] || fail "lib/seismo/$m.o is not installed"
  done
  # Without libmseed and PLplot the record viewers are left out, pages too.
  for f in bin/msd_plot bin/msd_list share/man/man1/msd_plot.1 share/man/man1/msd_list.1; do
    [ ! -e "$prefix/$f" ] || fail "$f is installed without its libraries"
  done
  # The archive holds the eight modules, one member each.
  members=$(ar t "$prefix/lib/libseismo_modules.a" | sort | tr '\n' ' ')
  want=$(printf '%s.o\n' "${modules[@]}" | sort | tr '\n' ' ')
  [ "$members" = "$want" ] || fail "archive members [$members], want [$want]"
  # No C or C++ header: the modules have no C interface.
  headers=$(find "$prefix" -name '*.h' -o -name '*.hpp')
  [ -z "$headers" ] || fail "headers installed: $headers"
  # pkg-config: version, include folder, link line.
  version=$(pkg-config --modversion seismo-modules)
  [ "$version" = "$1" ] || fail "pkg-config version $version, want $1"
  cflags=$(pkg-config --cflags seismo-modules | sed 's/ *$//')
  [ "$cflags" = "-I$prefix/include/seismo" ] || fail "pkg-config --cflags gives [$cflags]"
  libs=$(pkg-config --libs seismo-modules | sed 's/ *$//')
  [ "$libs" = "-L$prefix/lib -lseismo_modules" ] || fail "pkg-config --libs gives [$libs]"
  # The installed objects name no place of the trees they were built from
  # (the prefix itself may lie inside the source tree).
  for f in "$prefix"/lib/seismo/*.o "$prefix/lib/libseismo_modules.a"; do
    if grep -q -a -F -e "$src/modules/" -e "$work/build/" "$f"; then
      fail "$f names the build tree: $(strings "$f" | grep -F -e "$src/modules/" -e "$work/build/" |
        head -3)"
    fi
  done
  ;;

fixed_form)
  # mag.f INCLUDEs mbn_common.inc and links through pkg-config.
  enter fixed_form
  cp "$prefix"/share/doc/seismo-modules/examples/{mag.f,mbn.par} .
  # shellcheck disable=SC2046
  gfortran -std=legacy -o mag mag.f $(pkg-config --cflags --libs seismo-modules)
  expect_output "$here/expected/mag.out" ./mag
  # The include file reads the same in free form.
  printf '%s\n' 'program areas' "  include 'mbn_common.inc'" '  print *, station_count' \
    'end program' >areas.f90
  # shellcheck disable=SC2046
  gfortran -Wall -Werror -o areas areas.f90 $(pkg-config --cflags --libs seismo-modules)
  [ "$(./areas | tr -d ' ')" = 0 ] || fail "free-form include: the tables are not zero at start"
  ;;

free_form)
  # helpers.f90 uses the interface module and calls hypot without EXTERNAL.
  enter free_form
  cp "$prefix"/share/doc/seismo-modules/examples/helpers.f90 .
  # shellcheck disable=SC2046
  gfortran -Wall -Werror -o helpers helpers.f90 $(pkg-config --cflags --libs seismo-modules)
  expect_output "$here/expected/helpers.out" ./helpers
  ;;

common_areas)
  # upd.f declares the common areas refile_event needs and links the loose
  # object with the stand-ins of the package's routines.
  enter common_areas
  cp -r "$prefix"/share/doc/seismo-modules/examples/{upd.f,package_standins} .
  gfortran -fdollar-ok -Ipackage_standins -o upd upd.f package_standins/*.f90 \
    "$prefix/lib/seismo/refile_event.o"
  expect_output "$here/expected/upd.out" ./upd
  ;;

wrong_calls)
  enter wrong_calls
  cflags=$(pkg-config --cflags seismo-modules)
  # shellcheck disable=SC2086
  gfortran -fsyntax-only -DWRONG=0 $cflags "$here/wrong_calls.F90" ||
    fail "the right calls do not compile"
  # Each wrong call, and the compiler's words for it.
  while IFS='|' read -r case refusal; do
    # shellcheck disable=SC2086
    if gfortran -fsyntax-only -DWRONG="$case" $cflags "$here/wrong_calls.F90" >out.txt 2>&1; then
      fail "wrong call $case compiles"
    fi
    grep -q -E "$refusal" out.txt || fail "wrong call $case: no [$refusal] in: $(cat out.txt)"
    echo "wrong call $case refused: $(grep -m1 -E "$refusal" out.txt)"
  done <<'EOF'
1|Type mismatch in argument 'x' .*REAL\(8\) to REAL\(4\)
2|Missing actual argument for argument 'nsamp'
3|Type mismatch in argument 'n' .*INTEGER\(4\) to INTEGER\(8\)
4|Non-variable expression in variable definition context .*INTENT = OUT/INOUT
5|Type mismatch in argument 'amplitude' .*INTEGER\(4\) to REAL\(4\)
6|Non-variable expression in variable definition context .*INTENT = OUT/INOUT
7|Type mismatch in argument 'flags' .*INTEGER\(8\) to INTEGER\(4\)
8|More actual than formal arguments in procedure call
EOF
  ;;

manual)
  # Every routine the archive exports has a manual page in section 3f and
  # an interface in the installed module; DRUMLIN has its page.
  enter manual
  man_dir=$prefix/share/man
  routines=$(nm -g --defined-only "$prefix/lib/libseismo_modules.a" |
    awk '$2 == "T" { sub(/_$/, "", $3); print $3 }' | sort -u)
  [ -n "$routines" ] || fail "the archive exports no routine"
  missing=0
  for r in $routines DRUMLIN; do
    section=3
    [ "$r" = DRUMLIN ] && section=1
    if ! page=$(man -M "$man_dir" -w "$section" "$r" 2>/dev/null); then
      echo "FAIL: no manual page for $r"
      missing=1
      continue
    fi
    # The page names the routine, and renders without a warning.
    text=$(MANWIDTH=80 man -M "$man_dir" "$section" "$r" 2>warnings.txt)
    grep -q -w "$r" <<<"$text" || {
      echo "FAIL: the page $page does not name $r"
      missing=1
    }
    if [ -s warnings.txt ]; then
      echo "FAIL: $page: $(cat warnings.txt)"
      missing=1
    fi
    if [ "$r" != DRUMLIN ] &&
      ! grep -q -i -E "(function|subroutine) +$r *\(" "$prefix/include/seismo/seismo_modules.f90"; then
      echo "FAIL: no interface for $r in seismo_modules.f90"
      missing=1
    fi
    echo "$r: $page"
  done
  [ "$missing" = 0 ] || exit 1
  ;;

readme)
  # The link lines of docs/fortran-modules.md, run as they stand, with PREFIX set.
  enter readme
  awk '/<!-- link lines: begin -->/ { on = 1 } /<!-- link lines: end -->/ { on = 0 }
       on && /^```/ { block = !block; next } on && block { print }' "$src/docs/fortran-modules.md" >lines.sh
  [ -s lines.sh ] || fail "docs/fortran-modules.md has no link lines between its markers"
  cat lines.sh
  PREFIX=$prefix bash -euo pipefail lines.sh || fail "the link lines of docs/fortran-modules.md fail"
  ;;

fatal_message)
  # A fatal I/O error in a module names the installed calling layer, and the
  # backtrace reaches the caller's line.
  enter fatal_message
  cp "$here/probe_write_only.f90" .
  # shellcheck disable=SC2046
  gfortran -g -o probe probe_write_only.f90 $(pkg-config --cflags --libs seismo-modules)
  if ./probe >out.txt 2>&1; then fail "the read on a write-only unit did not stop the program"; fi
  cat out.txt
  layer=$prefix/share/seismo-modules/unit_io.f90
  line=$(sed -n "s|^At line \([0-9]*\) of file $layer .*|\1|p" out.txt)
  [ -n "$line" ] || fail "the message does not name $layer"
  sed -n "${line}p" "$layer" | grep -q -i 'read *(' || fail "line $line of $layer is no read"
  call_line=$(grep -n 'call evformat_probe' probe_write_only.f90 | cut -d: -f1)
  grep -q "probe_write_only.f90:$call_line" out.txt ||
    fail "the backtrace does not reach probe_write_only.f90:$call_line"
  if grep -F -e "$src/modules/" -e "$work/build/" out.txt; then
    fail "the message names the build tree"
  fi
  ;;

*)
  fail "unknown step $step"
  ;;
esac
echo "$step: passed"
