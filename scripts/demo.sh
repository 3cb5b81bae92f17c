#!/usr/bin/env bash
# Converts the bundled YCF example to miniSEED with DRUMLIN and lists the
# records that came out, read back with libmseed.
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(cd "${1:-build}" && pwd)"
drumlin="$build/converter/driver/DRUMLIN"
lister="$build/converter/tools/msd_list"
out="$build/demo-output"

rm -rf "$out"
echo "== DRUMLIN compares every block with the one before it, so with the three"
echo "   components interleaved each step back in time is reported as a gap."
echo "== DRUMLIN examples/DM01_20240501.YCF /o:$out /i:examples/DM01_export.ini"
"$drumlin" examples/DM01_20240501.YCF "/o:$out" /i:examples/DM01_export.ini
echo
echo "== miniSEED records (libmseed)"
"$lister" "$out/DM01_20240501.msd"
