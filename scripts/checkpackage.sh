#!/usr/bin/env bash
# Checks a built package as CI does: the desktop entry and the metainfo validate, lintian finds
# no error, and the programs unpacked from it (dpkg-deb -x, nothing installed) work on the
# catalogue unpacked beside them, which must be the build's catalogue byte for byte.
#
#   scripts/checkpackage.sh tundrix_<version>_amd64.deb
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
deb=$(realpath "${1:?usage: scripts/checkpackage.sh PACKAGE.deb}")
"$top/scripts/bootstrap.sh" desktop-file-utils appstream lintian inotify-tools
build=${TUNDRIX_BUILD_DIR:-$top/build}
id=io.github.tundrix.Tundrix

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"
usr=$work/root/usr
data=$usr/share/tundrix/data

echo "== desktop entry and metainfo"
desktop-file-validate "$usr/share/applications/$id.desktop"
appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml"

echo "== the unpacked catalogue is the build's"
# Both trees are read once, file against file; the build's stamp file is not shipped.
diff -r --no-dereference --exclude=.generated "$build/data" "$data"

echo "== the unpacked tundrix-cli finds the unpacked catalogue"
cd "$work"
query=(select --kind out --refrigerant 0 --brands 1,2,3,4 --level 2 --to -10 --ambient 30
  --capacity 10)
LC_ALL=C "$usr/bin/tundrix-cli" "${query[@]}" >unpacked.json
LC_ALL=C "$build/bin/tundrix-cli" --data "$build/data" "${query[@]}" >built.json
grep -q '"count": *[1-9]' unpacked.json || { echo "no unit selected"; exit 1; }
cmp unpacked.json built.json

echo "== the unpacked tundrix shows its main window on the unpacked catalogue"
# inotify reports which catalogue files the program opens; it must still be running (its
# main window shown, the event loop turning) when timeout ends it.
inotifywait -m -r -e open -o opened.log "$data" 2>watch.err &
watcher=$!
until grep -qs 'Watches established' watch.err; do sleep 0.2; done
status=0
QT_QPA_PLATFORM=offscreen timeout 15 "$usr/bin/tundrix" 2>tundrix.err || status=$?
kill "$watcher"
cat tundrix.err
[ "$status" -eq 124 ] || { echo "tundrix ended early with status $status"; exit 1; }
grep -q 'condensators.dat' opened.log || { echo "tundrix did not read the unpacked catalogue"; exit 1; }
if grep -Ei 'not loaded|could not|cannot|failed' tundrix.err; then exit 1; fi

echo "== lintian"
lintian --fail-on error "$deb"
echo "package checked: $(basename "$deb")"
