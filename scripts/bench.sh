#!/usr/bin/env bash
# DRUMLIN benchmarks, run by `make bench` after the build. Every figure is a
# ratio of medians of runs made side by side in this run, the two sides
# taking turns at going first; every timed run of either side writes a new
# output file (the output and its folder's contents are removed before it,
# and `sync` runs between timed runs, outside the timed part, so that no run
# pays for the writeback of another). Inputs are made by our own YCF writer
# in a temporary folder that is removed at the end.
#
#   scripts/bench.sh [build-folder]      BENCH_RUNS=n sets the runs per side (5)
set -euo pipefail
export LC_ALL=C
cd "$(dirname "$0")/.."
build="$(cd "${1:-build}" && pwd)"
runs="${BENCH_RUNS:-5}"
bench="$build/bench"
drumlin="$build/converter/driver/DRUMLIN"
msd_list="$build/converter/tools/msd_list"
peer="$bench/ycf_mseed_peer"
cmake --build "$build" -j2 --target DRUMLIN msd_list steim1_pack_bench ycf_bench_file \
  ycf_mseed_peer peak_memory_run >/dev/null
command -v parallel >/dev/null || { echo "bench: GNU parallel is missing (make bootstrap)" >&2; exit 1; }

work="$(mktemp -d "${TMPDIR:-/tmp}/drumlin-bench.XXXXXX")"
trap 'rm -rf "$work"' EXIT

cpu="$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
mem_gb=$(awk '/^MemTotal:/ { printf "%.0f", $2 / 1048576 }' /proc/meminfo)
fs=$(findmnt -no FSTYPE -T "$work" 2>/dev/null || stat -f -c %T "$work")
os=$(. /etc/os-release 2>/dev/null && echo "$PRETTY_NAME" || uname -s)
echo "Machine: ${cpu:-unknown CPU}, $(nproc) cores, ${mem_gb} GB, $os, $fs at $work," \
  "$(date -u '+%Y-%m-%d %H:%M UTC')"
echo "Load average before the runs: $(cut -d" " -f1-3 /proc/loadavg)"
echo "Runs per side: $runs; times in seconds, median (fastest-slowest)"

# ---- timing -----------------------------------------------------------------

# timed PREP CMD: PREP (untimed), sync, then CMD timed; sets took_us.
timed() {
  eval "$1"
  sync
  local t0=$EPOCHREALTIME
  eval "$2" >/dev/null
  local t1=$EPOCHREALTIME
  took_us=$((${t1/./} - ${t0/./}))
}

median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END {
  print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# compare RUNS PREP_A CMD_A PREP_B CMD_B: one untimed run of each side (the
# page cache warmed; left out with warm=0), then RUNS timed runs of each,
# the sides alternating which goes first. Sets med_a and med_b, the medians
# in seconds, and side_a and side_b, each median with the fastest and the
# slowest run.
compare() {
  local n=$1 i
  local -a ta=() tb=()
  if [ "${warm:-1}" = 1 ]; then
    eval "$2"; eval "$3" >/dev/null
    eval "$4"; eval "$5" >/dev/null
  fi
  for ((i = 0; i < n; i++)); do
    if ((i % 2 == 0)); then
      timed "$2" "$3"; ta+=("$took_us")
      timed "$4" "$5"; tb+=("$took_us")
    else
      timed "$4" "$5"; tb+=("$took_us")
      timed "$2" "$3"; ta+=("$took_us")
    fi
  done
  med_a=$(median "${ta[@]}" | awk '{ printf "%.3f", $1 / 1e6 }')
  med_b=$(median "${tb[@]}" | awk '{ printf "%.3f", $1 / 1e6 }')
  side_a="$med_a ($(spread "${ta[@]}"))"
  side_b="$med_b ($(spread "${tb[@]}"))"
}
spread() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END {
  printf "%.3f-%.3f", v[1] / 1e6, v[NR] / 1e6 }'; }

summary=()
# verdict VALUE OP GOAL: PASS when VALUE OP GOAL holds; OP is <=, >= or
# "in" with a GOAL of LOW-HIGH.
verdict() { awk -v v="$1" -v g="$3" -v op="$2" 'BEGIN {
  if (op == "in") { split(g, r, "-"); ok = v >= r[1] && v <= r[2] }
  else ok = (op == "<=") ? v <= g : v >= g
  print ok ? "PASS" : "MISS" }'; }
# figure TEXT VALUE OP GOAL: prints one figure with its goal and verdict.
figure() {
  local v; v=$(verdict "$2" "$3" "$4")
  local line; line=$(printf '%-56s %6.2f   goal %-2s %-9s %s' "$1" "$2" "$3" "$4" "$v")
  echo "$line"
  summary+=("$line")
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
fresh() { rm -rf "$1" && mkdir -p "$1"; }  # an empty output folder
# files FOLDER COUNT: the last timed run left COUNT files there, none empty.
files() {
  local made empty
  made=$(find "$1" -type f | wc -l); empty=$(find "$1" -type f -empty | wc -l)
  [ "$made" -eq "$2" ] && [ "$empty" -eq 0 ] ||
    { echo "bench: $1 holds $made files ($empty empty), expected $2" >&2; exit 1; }
}

# ---- inputs -----------------------------------------------------------------

for kind in quiet mixed noisy; do "$bench/ycf_bench_file" "$work/$kind.YCF" 256 "$kind"; done
"$bench/ycf_bench_file" "$work/mixed3.YCF" 256 mixed 3
"$bench/ycf_bench_file" "$work/small.YCF" 1 mixed
# 48 hourly files of a three-component digitiser (1200 blocks an hour).
"$bench/ycf_bench_file" "$work/hours.YCF" 57 mixed 3
mkdir "$work/hours"
(cd "$work/hours" && split -b $((1200 * 1024)) -d -a 2 --additional-suffix=.YCF ../hours.YCF h)
rm "$work/hours.YCF"
# 2000 files of 64 KB: 125 MB of mixed data cut at every 64th block.
"$bench/ycf_bench_file" "$work/folder.YCF" 125 mixed
mkdir "$work/many"
(cd "$work/many" && split -b 65536 -d -a 4 --additional-suffix=.YCF ../folder.YCF part)
rm "$work/folder.YCF"
sync

# ---- whole-file conversion against cp -------------------------------------------

echo
echo "== Conversion of 256 MB against cp of the same file (DRUMLIN time / cp time)"
declare -A goal=([quiet]=1.5 [mixed]=2.0 [noisy]=3.0)
for kind in quiet mixed noisy; do
  compare "$runs" 'fresh "$work/out"' '"$drumlin" "$work/$kind.YCF" "/o:$work/out"' \
    'rm -f "$work/copy.YCF"' 'cp "$work/$kind.YCF" "$work/copy.YCF"'
  files "$work/out" 1
  echo "   $kind: DRUMLIN $side_a, cp $side_b"
  figure "$kind (DRUMLIN / cp)" "$(ratio "$med_a" "$med_b")" "<=" "${goal[$kind]}"
done
rm -rf "$work/out" "$work/copy.YCF"

echo
echo "== 2000 files of 64 KB: one DRUMLIN run on the folder against cp -r of it"
compare "$runs" 'rm -rf "$work/many.msd"' '"$drumlin" "$work/many/*.YCF" "/o:$work/many.msd"' \
  'rm -rf "$work/many.copy"' 'cp -r "$work/many" "$work/many.copy"'
files "$work/many.msd" 2000
echo "   DRUMLIN $side_a, cp -r $side_b"
figure "2000 files of 64 KB (DRUMLIN / cp -r)" "$(ratio "$med_a" "$med_b")" "<=" 1.3
rm -rf "$work/many.msd" "$work/many.copy"

echo
echo "== /streams on 3 interleaved streams against the default mode on 1 stream, 256 MB mixed"
compare "$runs" 'fresh "$work/out3"' '"$drumlin" "$work/mixed3.YCF" "/o:$work/out3" /streams' \
  'fresh "$work/out1"' '"$drumlin" "$work/mixed.YCF" "/o:$work/out1"'
files "$work/out3" 1
echo "   /streams $side_a, default mode $side_b"
figure "/streams, 3 streams (/streams / default, 1 stream)" "$(ratio "$med_a" "$med_b")" "<=" 1.1
rm -rf "$work/out3" "$work/out1"

# ---- archive ingestion --------------------------------------------------------------

# bytes FOLDER: the bytes of every file below it.
bytes() { find "$1" -type f -printf '%s\n' | awk '{ s += $1 } END { print s + 0 }'; }
# same_bytes ARCHIVE OUTPUTS: the archive's day files hold as many bytes as
# the plain outputs, none hidden beside them.
same_bytes() {
  [ "$(bytes "$1")" -eq "$(bytes "$2")" ] && [ -z "$(find "$1" -name '.*' -type f)" ] ||
    { echo "bench: $1 holds $(bytes "$1") bytes, the plain outputs $(bytes "$2")" >&2; exit 1; }
}

echo
echo "== Archive ingestion (/sds:) against the plain conversion of the same inputs, run the same way"
compare "$runs" 'rm -rf "$work/arch"' '"$drumlin" "$work/mixed.YCF" "/sds:$work/arch" /net:XX' \
  'fresh "$work/out"' '"$drumlin" "$work/mixed.YCF" "/o:$work/out" /net:XX'
same_bytes "$work/arch" "$work/out"
echo "   one run, 256 MB mixed ($(find "$work/arch" -type f | wc -l) day files):" \
  "/sds: $side_a, /o: $side_b"
figure "one run (/sds: / plain)" "$(ratio "$med_a" "$med_b")" "<=" 1.3
hourly() {  # hourly DESTINATION-SWITCH: one run per hourly file, as a cron job makes them
  for f in "$work"/hours/h*.YCF; do "$drumlin" "$f" "$1" /streams /net:XX || return 1; done
}
compare "$runs" 'rm -rf "$work/arch"' 'hourly "/sds:$work/arch"' \
  'fresh "$work/out"' 'hourly "/o:$work/out"'
same_bytes "$work/arch" "$work/out"
echo "   one run per hourly file, 48 files ($(find "$work/arch" -type f | wc -l) day files):" \
  "/sds: $side_a, /o: $side_b"
figure "one run per hourly file (/sds: / plain)" "$(ratio "$med_a" "$med_b")" "<=" 1.5
# The archive is made by the warming run and holds everything from then on.
rm -rf "$work/arch"
compare "$runs" ':' '"$drumlin" "$work/mixed.YCF" "/sds:$work/arch" /net:XX' \
  'fresh "$work/out"' '"$drumlin" "$work/mixed.YCF" "/o:$work/out" /net:XX'
same_bytes "$work/arch" "$work/out"
echo "   again over an archive that holds everything: /sds: $side_a, /o: $side_b"
figure "second run over a full archive (/sds: / plain)" "$(ratio "$med_a" "$med_b")" "<=" 1.2
rm -rf "$work/arch"
# Memory against the length of the recording (days, day files' sizes): 32 MB
# (3 days) and 256 MB (28 days), both long enough for the larger batches
# (an hourly input's batches are a quarter of theirs: 1 MB less, by design);
# then the second run, which reads the day files back.
head -c $((32 * 1024 * 1024)) "$work/mixed.YCF" >"$work/mixed32.YCF"
short_kb=$("$bench/peak_memory_run" "$drumlin" "$work/mixed32.YCF" "/sds:$work/arch" /net:XX | tail -1)
rm -rf "$work/arch"
long_kb=$("$bench/peak_memory_run" "$drumlin" "$work/mixed.YCF" "/sds:$work/arch" /net:XX | tail -1)
again_kb=$("$bench/peak_memory_run" "$drumlin" "$work/mixed.YCF" "/sds:$work/arch" /net:XX | tail -1)
small_kb=$("$bench/peak_memory_run" "$drumlin" "$work/small.YCF" "/sds:$work/arch" /net:XX | tail -1)
echo "   peak memory: 32 MB: $short_kb kB, 256 MB: $long_kb kB, 256 MB again: $again_kb kB," \
  "1 MB: $small_kb kB"
figure "archive peak memory (256 MB input / 32 MB input)" "$(ratio "$long_kb" "$short_kb")" in 0.90-1.10
rm -rf "$work/arch" "$work/out" "$work/mixed32.YCF"

# ---- end to end against a converter on libmseed -------------------------------

echo
echo "== End to end against the libmseed peer (ycf_mseed_peer: msr_pack, 4096-byte Steim-1)"
for kind in quiet mixed noisy; do
  compare "$runs" 'fresh "$work/peer"' '"$peer" "$work/$kind.YCF" "$work/peer/$kind.msd"' \
    'fresh "$work/out"' '"$drumlin" "$work/$kind.YCF" "/o:$work/out"'
  echo "   $kind: peer $side_a, DRUMLIN $side_b"
  figure "$kind (peer time / DRUMLIN time)" "$(ratio "$med_a" "$med_b")" ">=" 10
  if [ "$kind" = mixed ]; then
    # The peer's records must parse, and hold every sample DRUMLIN's hold.
    peer_total=$("$msd_list" "$work/peer/mixed.msd" | tail -1)
    ours_total=$("$msd_list" "$work/out/mixed.msd" | tail -1)
    if [ "${peer_total#* records, }" = "${ours_total#* records, }" ]; then
      echo "   check: both outputs parse with libmseed; peer$peer_total, DRUMLIN$ours_total"
    else
      echo "   CHECK FAILED: peer$peer_total, DRUMLIN$ours_total" >&2
      exit 1
    fi
  fi
done
rm -rf "$work/peer" "$work/out"

echo
echo "== Record packing, 20 million samples: our record path against msr_pack (medians of 5)"
"$bench/steim1_pack_bench" | sed 's/^/   /'

# ---- memory -----------------------------------------------------------------------

echo
echo "== Peak resident memory of DRUMLIN, 1 MB and 256 MB mixed input"
fresh "$work/out"
small_kb=$("$bench/peak_memory_run" "$drumlin" "$work/small.YCF" "/o:$work/out" | tail -1)
fresh "$work/out"
big_kb=$("$bench/peak_memory_run" "$drumlin" "$work/mixed.YCF" "/o:$work/out" | tail -1)
rm -rf "$work/out"
echo "   1 MB: $small_kb kB, 256 MB: $big_kb kB"
figure "peak memory (256 MB input / 1 MB input)" "$(ratio "$big_kb" "$small_kb")" in 0.90-1.10

# ---- scaling out ------------------------------------------------------------------

echo
echo "== parallel -j2 on the 2000-file folder against one DRUMLIN process (no goal)"
# One job per file, each name's wildcard characters escaped for DRUMLIN.
per_file='find "$work/many" -maxdepth 1 -name "*.YCF" -printf "%f\n" | sed "s/[][*?\\\\]/\\\\&/g" |
  parallel -j2 "$drumlin" "$work/many/{}" "/o:$work/par.msd"'
# Ten jobs, one pattern each: the names ending in 0, in 1, ...
per_digit='parallel -q -j2 "$drumlin" "$work/many/*{}.YCF" "/o:$work/par.msd" ::: 0 1 2 3 4 5 6 7 8 9'
one='"$drumlin" "$work/many/*.YCF" "/o:$work/one.msd"'
# (Three runs and no warming run: this side takes over ten seconds a run,
# and the folder is in the page cache from the figures above.)
warm=0 compare 3 'rm -rf "$work/par.msd"' "$per_file" 'rm -rf "$work/one.msd"' "$one"
files "$work/par.msd" 2000
echo "   one job per file (2000 jobs, medians of 3): parallel -j2 $side_a, one DRUMLIN $side_b," \
  "speed-up $(ratio "$med_b" "$med_a")"
compare "$runs" 'rm -rf "$work/par.msd"' "$per_digit" 'rm -rf "$work/one.msd"' "$one"
files "$work/par.msd" 2000
echo "   one job per last digit of the name (10 jobs): parallel -j2 $side_a, one DRUMLIN $side_b," \
  "speed-up $(ratio "$med_b" "$med_a")"
# The one-machine form of docs/parallel.md on names with every wildcard character and a
# blank: each file converted once, to its own output (untimed).
mkdir "$work/names"
for name in 'a[1]' 'b*' 'c?' 'd\e' 'f g' 'back' 'a1'; do cp "$work/small.YCF" "$work/names/$name.YCF"; done
(cd "$work" && find names -maxdepth 1 -name '*.YCF' -printf '%f\n' | sed 's/[][*?\\]/\\&/g' |
  parallel -j2 --halt soon,fail=1 "$drumlin" names/{} /o:names.msd) >"$work/names.txt"
[ "$(grep -c '^Converting ' "$work/names.txt")" -eq 7 ] && files "$work/names.msd" 7 ||
  { echo "bench: the escaped names were not each converted once" >&2; exit 1; }
for name in 'a[1]' 'b*' 'c?' 'd\e' 'f g' 'back' 'a1'; do
  [ -s "$work/names.msd/$name.msd" ] || { echo "bench: no output for $name.YCF" >&2; exit 1; }
done
echo "   check: one job per file converts names with [ ] * ? \\ and a blank, each once"
# What parallel itself costs: the same ten jobs doing nothing.
idle=()
for ((i = 0; i < runs; i++)); do
  timed : 'parallel -j2 true ::: 0 1 2 3 4 5 6 7 8 9'; idle+=("$took_us")
done
echo "   parallel -j2 itself, ten jobs of true: $(median "${idle[@]}" | awk '{ printf "%.3f", $1 / 1e6 }')"

echo
echo "== Goals (load average after the runs: $(cut -d" " -f1-3 /proc/loadavg))"
printf '%s\n' "${summary[@]}"

bash scripts/bench_plot.sh "$build"
