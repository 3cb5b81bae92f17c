#!/usr/bin/env bash
# DRUMLIN benchmarks: Steim-1 packing against libmseed, whole-file conversion
# against cp of the same file, and peak resident memory on a small and a
# large input. Every figure is a ratio of two runs made side by side here.
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(cd "${1:-build}" && pwd)"
bench="$build/bench"
drumlin="$build/converter/driver/DRUMLIN"
cmake --build "$build" --target steim1_pack_bench ycf_bench_file peak_memory_run DRUMLIN -j2 >/dev/null

work="$(mktemp -d "${TMPDIR:-/tmp}/drumlin-bench.XXXXXX")"
trap 'rm -rf "$work"' EXIT

cpu="$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
echo "Machine: ${cpu:-unknown CPU}, $(nproc) cores, $(date -u '+%Y-%m-%d %H:%M UTC')"
echo

echo "== Steim-1 packing, 20 million samples per stream, best of 5 alternating rounds"
"$bench/steim1_pack_bench"
echo

now() { date +%s.%N; }
elapsed() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", b - a }'; }

echo "== Whole-file conversion against cp (page cache warmed by one untimed run of each; best of 3)"
"$bench/ycf_bench_file" "$work/big.YCF" 256 quiet
size_mb=$(( $(stat -c %s "$work/big.YCF") / 1048576 ))
mkdir -p "$work/out"
cp "$work/big.YCF" "$work/copy.YCF"
"$drumlin" "$work/big.YCF" "/o:$work/out" >/dev/null
best_cp=999999; best_conv=999999; best_dd=999999
for _ in 1 2 3; do
  rm -f "$work/copy.YCF"; sync
  t0=$(now); cp "$work/big.YCF" "$work/copy.YCF"; t1=$(now)
  t=$(elapsed "$t0" "$t1"); best_cp=$(awk -v a="$best_cp" -v b="$t" 'BEGIN { print (b < a) ? b : a }')
  # cp copies inside the kernel (copy_file_range); dd with 1 MB blocks shows
  # the copy through user space, reading and writing like DRUMLIN does.
  rm -f "$work/copy.YCF"; sync
  t0=$(now); dd if="$work/big.YCF" of="$work/copy.YCF" bs=1M status=none; t1=$(now)
  t=$(elapsed "$t0" "$t1"); best_dd=$(awk -v a="$best_dd" -v b="$t" 'BEGIN { print (b < a) ? b : a }')
  rm -rf "$work/out"; mkdir -p "$work/out"; sync
  t0=$(now); "$drumlin" "$work/big.YCF" "/o:$work/out" >/dev/null; t1=$(now)
  t=$(elapsed "$t0" "$t1"); best_conv=$(awk -v a="$best_conv" -v b="$t" 'BEGIN { print (b < a) ? b : a }')
done
rm -f "$work/copy.YCF"
awk -v s="$size_mb" -v c="$best_cp" -v d="$best_conv" -v u="$best_dd" 'BEGIN {
  printf "Input %d MB: cp %.3f s (%.0f MB/s), DRUMLIN %.3f s (%.0f MB/s), time ratio DRUMLIN/cp %.2f\n",
         s, c, s / c, d, s / d, d / c
  printf "             dd bs=1M %.3f s (%.0f MB/s), time ratio DRUMLIN/dd %.2f\n", u, s / u, d / u }'
echo

echo "== Peak resident memory of DRUMLIN"
"$bench/ycf_bench_file" "$work/small.YCF" 1 quiet
rm -rf "$work/out"; mkdir -p "$work/out"
small_kb=$("$bench/peak_memory_run" "$drumlin" "$work/small.YCF" "/o:$work/out" | tail -1)
rm -rf "$work/out"; mkdir -p "$work/out"
big_kb=$("$bench/peak_memory_run" "$drumlin" "$work/big.YCF" "/o:$work/out" | tail -1)
awk -v a="$small_kb" -v b="$big_kb" 'BEGIN {
  printf "Peak RSS: 1 MB input %d kB, 256 MB input %d kB, ratio large/small %.2f\n", a, b, b / a }'
