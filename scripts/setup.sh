#!/usr/bin/env bash
# Installs every Debian package the project needs to build, run and test.
# Safe to run again: it only installs what is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  libboost-regex-dev libboost-dev libcurl4-openssl-dev libpugixml-dev libzip-dev zip libsodium-dev
  libcpp-httplib-dev libsqlite3-dev nlohmann-json3-dev
  googletest libgtest-dev libbenchmark-dev
  clang clang-format libclang-rt-dev
  xvfb xauth xdotool imagemagick fonts-wqy-microhei fonts-arphic-uming
  qt6-translations-l10n
  locales
  lintian desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all packages present"
  exit 0
fi

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
