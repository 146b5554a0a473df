#!/usr/bin/env bash
# Builds the Debian package tundrix_<version>_amd64.deb into the current folder and prints its
# path (the only line on standard output; the build talks on standard error). The build in
# build/ is made first when it is missing or stale; after scripts/test.sh nothing is compiled
# again and only the package is written.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
out=$PWD
# dpkg-shlibdeps (dpkg-dev) names the libraries the package depends on.
"$top/scripts/bootstrap.sh" dpkg-dev >&2
"$top/scripts/build.sh" >&2
build=${TUNDRIX_BUILD_DIR:-$top/build}
rm -rf "$build/package"
(cd "$build" && cpack -G DEB -B "$build/package" >&2)
deb=$(find "$build/package" -maxdepth 1 -name 'tundrix_*.deb')
mv "$deb" "$out/"
echo "$out/$(basename "$deb")"
