#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing. Further package
# names on the command line are installed too (the package build asks for its tools that way).
set -euo pipefail

packages=(
  cmake g++ ninja-build pkg-config
  qt6-base-dev qt6-pdf-dev libqt6sql6-sqlite qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev libcpp-httplib-dev libjemalloc-dev
  fonts-dejavu-core xvfb xauth poppler-utils python3
  chromium firefox-esr nodejs
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
