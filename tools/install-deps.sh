#!/usr/bin/env bash
# Installs what the build, the tests, the map host and the QGIS plugin need
# (QGIS 3 and its Qt 5 development files), from Debian's
# packages only. Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-dev pkg-config
  libgtest-dev libgmock-dev googletest libbenchmark-dev libicu-dev
  qt6-base-dev libgl-dev
  libgdal-dev gdal-bin libshp-dev libsqlite3-dev
  xvfb xauth
  qgis python3-qgis libqgis-dev qtbase5-dev
  # The postgis tests start a private server of their own (tools/pgcluster).
  postgresql-15 postgresql-15-postgis-3
)

# The Windows cross build and its check under Wine (windows/check-wine.sh)
# are optional: --windows adds what they need, --windows32 also the 32-bit
# compiler and Wine (which needs the i386 architecture).
if [[ "${1:-}" == "--windows" || "${1:-}" == "--windows32" ]]; then
  packages+=(g++-mingw-w64-x86-64-posix mingw-w64-tools libwine-dev wine wine64)
fi
if [[ "${1:-}" == "--windows32" ]]; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    sudo_cmd=""
    [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
    $sudo_cmd dpkg --add-architecture i386
    $sudo_cmd apt-get update -qq
  fi
  packages+=(g++-mingw-w64-i686-posix wine32:i386)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
