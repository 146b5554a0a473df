#!/usr/bin/env bash
# Builds everything and starts the program on the sample catalogue in build/data.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/build.sh"
build=${TUNDRIX_BUILD_DIR:-$top/build}
if [ -x "$build/bin/tundrix" ]; then
  exec "$build/bin/tundrix" "$@"
fi
# Until the desktop program exists the command line front end is what starts.
if [ $# -eq 0 ]; then
  exec "$build/bin/tundrix-cli" --help
fi
exec "$build/bin/tundrix-cli" "$@"
