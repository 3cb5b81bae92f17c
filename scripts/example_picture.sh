#!/usr/bin/env bash
# Draws the quick look of the bundled example recording (the miniSEED file
# that DRUMLIN makes of examples/DM01_20240501.YCF with /streams), the
# picture kept in docs/images/DM01_20240501.png. `make picture` runs it.
#
#   scripts/example_picture.sh [build-folder] [picture]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
picture="${2:-docs/images/DM01_20240501.png}"
"$build/viewer/msd_plot" --width 1600 --height 820 -o "$picture" \
  examples/DM01_20240501_streams.msd
