#!/usr/bin/env bash
# install-deps.sh: every Debian package Fendwall needs to build, run, test and package.
# Idempotent: packages already present are left alone.
set -euo pipefail
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi
pkgs=(
  build-essential cmake pkg-config
  libsdl2-dev libsdl2-mixer-dev libgl-dev libglu1-mesa-dev
  libfreetype-dev libfontconfig-dev fonts-liberation2
  libgl1-mesa-dri
  googletest libbenchmark-dev clang libclang-rt-14-dev
  xvfb xauth xdotool x11-utils openbox libx11-dev imagemagick xfonts-base
  weston libdecor-0-plugin-1-cairo
  libvorbis-dev libogg-dev sox zlib1g-dev libpng-dev libasound2-dev wmctrl
  clang-tidy cppcheck valgrind
  linux-perf time
  dpkg-dev file lintian desktop-file-utils groff-base
  appstream
)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
