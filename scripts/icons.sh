#!/usr/bin/env bash
# Renders the program's icon into the PNG sizes kept beside it in packaging/icons/: 16 pixels
# from small.svg, every larger size from the full drawing. Run it after changing either drawing
# and commit the pictures; the build and the package take them as they are.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/bootstrap.sh" librsvg2-bin
icons=$top/packaging/icons
rsvg-convert -w 16 -h 16 "$icons/small.svg" -o "$icons/16x16.png"
for size in 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" "$icons/io.github.tundrix.Tundrix.svg" -o "$icons/${size}x${size}.png"
done
