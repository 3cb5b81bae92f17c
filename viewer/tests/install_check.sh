#!/usr/bin/env bash
# msd_plot and msd_list as a package maintainer gets them where libmseed and
# PLplot are installed: the tree configured without the tests (and without
# GoogleTest), the two programs built and their component installed into a
# prefix of their own, then run from there.
#
#   install_check.sh SOURCE_DIR WORK_DIR [cmake options...]
set -euo pipefail
src=$(cd "$1" && pwd)
work=$2
shift 2
prefix=$work/prefix
export LC_ALL=C

fail() {
  echo "FAIL: $*"
  exit 1
}

rm -rf "${work:?}"
mkdir -p "$work"
cmake -S "$src" -B "$work/build" -DBUILD_TESTING=OFF -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" "$@" >"$work/configure.txt"
cmake --build "$work/build" --target msd_plot msd_list --parallel 2 >"$work/build.txt"
cmake --install "$work/build" --component viewer
tests=$(cd "$work/build" && ctest -N | sed -n 's/^Total Tests: //p')
[ "${tests:-0}" = 0 ] || fail "a build without testing registers $tests tests"

for f in bin/msd_plot bin/msd_list share/man/man1/msd_plot.1 share/man/man1/msd_list.1; do
  [ -f "$prefix/$f" ] || fail "$f is not installed"
done
for p in msd_plot msd_list; do
  page=$(man -M "$prefix/share/man" -w 1 "$p") || fail "man finds no page for $p"
  MANWIDTH=80 man -M "$prefix/share/man" 1 "$p" 2>warnings.txt | grep -q -w "$p" ||
    fail "the page $page does not name $p"
  [ ! -s warnings.txt ] || fail "$page: $(cat warnings.txt)"
  rm -f warnings.txt
done

# The installed programs at work on the bundled example.
"$prefix/bin/msd_plot" --version | grep -q '^msd_plot ' || fail "msd_plot --version"
"$prefix/bin/msd_plot" -o "$work/example.png" "$src/examples/DM01_20240501_streams.msd" \
  >"$work/plot.txt" || fail "the installed msd_plot fails on the example"
[ "$(grep -c ' gap ' "$work/plot.txt")" = 3 ] || fail "msd_plot printed: $(cat "$work/plot.txt")"
[ -s "$work/example.png" ] || fail "no picture"
"$prefix/bin/msd_list" "$src/examples/DM01_20240501_streams.msd" | tail -1 |
  grep -q '17 records, 31500 samples' || fail "msd_list does not list the example"
echo "installed msd_plot and msd_list: passed"
