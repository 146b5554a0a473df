#!/usr/bin/env bash
# Builds the program and writes pictures of the windows into docs/screenshots/, taken on the
# sample catalogue without a display.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/build.sh"
build=${TUNDRIX_BUILD_DIR:-$top/build}
QT_QPA_PLATFORM=offscreen "$build/bin/tundrix-screenshots" --data "$build/data" \
  --out "$top/docs/screenshots"
