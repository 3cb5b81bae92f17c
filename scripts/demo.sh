#!/usr/bin/env bash
# Converts the bundled three-component YCF example to miniSEED with DRUMLIN,
# stream by stream, lists the records that came out, read back with
# libmseed, draws them with msd_plot, and ingests the example into an SDS
# archive.
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(cd "${1:-build}" && pwd)"
drumlin="$build/converter/driver/DRUMLIN"
lister="$build/converter/tools/msd_list"
plotter="$build/viewer/msd_plot"
out="$build/demo-output"

rm -rf "$out"
echo "== DRUMLIN examples/DM01_20240501.YCF /o:$out /i:examples/DM01_export.ini /streams"
"$drumlin" examples/DM01_20240501.YCF "/o:$out" /i:examples/DM01_export.ini /streams
echo
echo "== miniSEED records (libmseed): one run per component on each side of the break"
"$lister" "$out/DM01_20240501.msd"

# The default mode, for comparison: it compares every block with the block
# before it, whatever its stream.
gaps=$("$drumlin" examples/DM01_20240501.YCF "/o:$out/default" /i:examples/DM01_export.ini |
       grep -c "Gap in time-series" || true)
records=$(( $(stat -c %s "$out/default/DM01_20240501.msd") / 4096 ))
by_stream=$(( $(stat -c %s "$out/DM01_20240501.msd") / 4096 ))
echo
echo "== Without /streams the same file gives $gaps gap warnings (every step back in time" \
     "from one component to the next) and $records records where /streams writes $by_stream."

# The same recording into an SDS archive: one day file per component, where
# the field's archive readers look for it.
archive="$build/demo-archive"
rm -rf "$archive"
echo
echo "== DRUMLIN examples/DM01_20240501.YCF /sds:$archive /i:examples/DM01_export.ini /streams"
"$drumlin" examples/DM01_20240501.YCF "/sds:$archive" /i:examples/DM01_export.ini /streams
echo
echo "== Day files of the archive (a second run adds nothing: every record is there already)"
"$drumlin" examples/DM01_20240501.YCF "/sds:$archive" /i:examples/DM01_export.ini /streams |
  grep '^Archived'
(cd "$archive" && find . -type f | sort | sed 's|^\./|   |')

# What a seismologist would look at first: the waveforms with their gap, and
# which days of which stream the archive holds.
echo
echo "== msd_plot: the quick look of the converted example, and the archive's availability"
"$plotter" -o "$out/DM01_20240501.png" "$out/DM01_20240501.msd" | sed 's/^/   /'
"$plotter" --availability -o "$build/demo-archive.png" "$archive" | grep '^wrote' | sed 's/^/   /'
echo "   Open $out/DM01_20240501.png and $build/demo-archive.png to see them."
