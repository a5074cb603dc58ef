#!/usr/bin/env bash
# Installs the Debian packages the station needs to build, run and test; only the missing ones.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config clang-format
  qt6-base-dev qt6-qpa-plugins libgl-dev
  libfbclient2 firebird-dev firebird3.0-server-core firebird3.0-utils firebird3.0-server
  libasound2-dev libasound2-plugins alsa-utils
  fonts-crosextra-carlito fonts-liberation2 fonts-noto-core fonts-wine
  xvfb xauth xdotool imagemagick xcompmgr
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
