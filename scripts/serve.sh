#!/usr/bin/env bash
# Builds everything (as scripts/run.sh does) and starts the selection service on the built-in
# sample catalogue: the page at http://127.0.0.1:8080/, the API under /api/v1/. Arguments go to
# tundrix-server (--listen HOST:PORT, --threads N, --data DIR). Ctrl+C ends it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/build.sh"
build=${TUNDRIX_BUILD_DIR:-$top/build}
exec "$build/bin/tundrix-server" "$@"
