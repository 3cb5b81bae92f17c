#!/usr/bin/env bash
# msd_plot benchmark, run at the end of `make bench` (scripts/bench.sh). The
# quick look of a day of three components at 100 samples per second (three
# miniSEED files converted by DRUMLIN from YCF files of our own writer:
# microseismic noise, earthquakes, single-sample spikes) against libmseed
# alone decoding the same files (bench/mseed_decode_only). Both sides timed
# the same way: one untimed run of each first, then runs taking turns at
# going first; the figure is the ratio of the medians. Peak memory of the
# quick look of one hour and of the whole day shows that memory follows the
# picture, not the data.
#
#   scripts/bench_plot.sh [build-folder]     BENCH_RUNS=n sets the runs per side (5)
set -euo pipefail
export LC_ALL=C
cd "$(dirname "$0")/.."
build="$(cd "${1:-build}" && pwd)"
runs="${BENCH_RUNS:-5}"
msd_plot="$build/viewer/msd_plot"
decode="$build/bench/mseed_decode_only"
cmake --build "$build" -j2 --target msd_plot DRUMLIN ycf_day_file mseed_decode_only \
  peak_memory_run >/dev/null

work="$(mktemp -d "${TMPDIR:-/tmp}/msd-plot-bench.XXXXXX")"
trap 'rm -rf "$work"' EXIT

# timed CMD: sets took_us to CMD's wall time in microseconds.
timed() {
  local t0=$EPOCHREALTIME
  eval "$1" >/dev/null
  local t1=$EPOCHREALTIME
  took_us=$((${t1/./} - ${t0/./}))
}
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END {
  printf "%.3f", ((NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) / 1e6 }'; }
spread() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END {
  printf "%.3f-%.3f", v[1] / 1e6, v[NR] / 1e6 }'; }
verdict() { awk -v v="$1" -v g="$3" -v op="$2" 'BEGIN {
  print ((op == "<=") ? v <= g : v >= g) ? "PASS" : "MISS" }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

echo
echo "== msd_plot: quick look of a day, 3 components at 100 Hz, against libmseed decoding alone"
mkdir "$work/hour"
for c in Z N E; do
  "$build/bench/ycf_day_file" "$work/BN01$c.YCF" "$c" 24
  "$build/bench/ycf_day_file" "$work/hour/BN01$c.YCF" "$c" 1
done
"$build/converter/driver/DRUMLIN" "$work/*.YCF" "/o:$work/msd" /net:XX >/dev/null
"$build/converter/driver/DRUMLIN" "$work/hour/*.YCF" "/o:$work/msd/hour" /net:XX >/dev/null
rm "$work"/*.YCF "$work"/hour/*.YCF
day=("$work/msd/BN01Z.msd" "$work/msd/BN01N.msd" "$work/msd/BN01E.msd")
decoded=$("$decode" "${day[@]}")
[ "${decoded#* records, }" = "25920000 samples" ] ||
  { echo "bench_plot: the day's files hold $decoded, expected 25920000 samples" >&2; exit 1; }
echo "   input: $(du -ch "${day[@]}" | tail -1 | cut -f1) in 3 files, $decoded"

plot='rm -f "$work/day.png" && "$msd_plot" -o "$work/day.png" "${day[@]}"'
alone='"$decode" "${day[@]}"'
eval "$plot" >/dev/null
eval "$alone" >/dev/null
ta=()
tb=()
for ((i = 0; i < runs; i++)); do
  if ((i % 2 == 0)); then
    timed "$plot"; ta+=("$took_us")
    timed "$alone"; tb+=("$took_us")
  else
    timed "$alone"; tb+=("$took_us")
    timed "$plot"; ta+=("$took_us")
  fi
done
[ -s "$work/day.png" ] || { echo "bench_plot: no picture written" >&2; exit 1; }
med_a=$(median "${ta[@]}")
med_b=$(median "${tb[@]}")
echo "   msd_plot $med_a ($(spread "${ta[@]}")), libmseed alone $med_b ($(spread "${tb[@]}"))"
r=$(ratio "$med_a" "$med_b")
printf '%-56s %6.2f   goal <= %-6s %s\n' "quick look of a day (msd_plot / libmseed decoding)" "$r" 3 \
  "$(verdict "$r" "<=" 3)"

echo
echo "== msd_plot: peak resident memory, quick look of 3 components over an hour and over a day"
hour_kb=$("$build/bench/peak_memory_run" "$msd_plot" -o "$work/hour.png" "$work"/msd/hour/*.msd |
  tail -1)
day_kb=$("$build/bench/peak_memory_run" "$msd_plot" -o "$work/day.png" "${day[@]}" | tail -1)
echo "   an hour: $hour_kb kB; a day (24 times the samples): $day_kb kB; the same picture size"
r=$(ratio "$day_kb" "$hour_kb")
printf '%-56s %6.2f   goal <= %-6s %s\n' "peak memory (a day / an hour)" "$r" 1.1 \
  "$(verdict "$r" "<=" 1.1)"
