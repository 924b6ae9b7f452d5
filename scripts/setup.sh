#!/usr/bin/env bash
# Installs what building, testing and running Vocapan needs on Debian 12, from Debian's
# own packages. Safe to run again: apt-get skips what is already installed.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git
  libgtest-dev
  libsdl2-dev libsdl2-ttf-dev fonts-liberation
  espeak-ng sox
  xvfb xdotool x11-utils
  socat util-linux strace
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 zip
)

sudo_if_needed=()
if [[ $(id -u) -ne 0 ]]; then sudo_if_needed=(sudo); fi

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  "${sudo_if_needed[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo_if_needed[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
else
  echo "setup: every package is installed"
fi
