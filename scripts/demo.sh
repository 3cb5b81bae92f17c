#!/usr/bin/env bash
# Runs the main job on the bundled example.
set -euo pipefail
build="${1:-build}"
cd "$(dirname "$0")/.."
"$build/modules/tests/modules_link_together_prog"
