#!/usr/bin/env bash
# Installs what building, testing and running Vocapan needs on Debian 12, from Debian's
# own packages. Safe to run again: apt-get skips what is already installed.
#   scripts/setup.sh        everything: the build, every test, the Windows build and wine
#   scripts/setup.sh demo   only what the demo needs to build and run the panel
set -euo pipefail

# What building and running the panel, the finder and the simulated radio needs.
demo_packages=(
  build-essential cmake pkg-config git libboost-dev
  libsdl2-dev libsdl2-ttf-dev libpulse-dev fonts-liberation libspeechd-dev libbrlapi-dev
  espeak-ng sox
  xvfb xdotool
)
demo_commands=(cmake make g++ pkg-config espeak-ng sox Xvfb xdotool)

# What the tests and the Windows build need besides.
test_packages=(
  clang-format libgtest-dev clang-14 libclang-rt-14-dev
  x11-utils x11-xserver-utils
  iproute2
  socat util-linux strace libhamlib-utils speech-dispatcher ser2net brltty
  libxtst-dev flrig fldigi curl
  chromium chromium-driver python3-selenium
  wsjtx pulseaudio pulseaudio-utils python3
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 zip unzip
)
# wine runs the cross-built Windows programs in the tests; it needs its recommended packages.
wine_packages=(wine wine64)
# The commands the tests call, each of which one of the packages above brings; checked after
# the install, so that a tool that only happened to be on one machine is found missing here
# rather than half-way through a test run on the next.
test_commands=(
  git clang-format clang++-14 xwininfo xmodmap
  ft8sim paplay ip
  socat flock unshare strace timeout od rigctl rigctld fldigi curl speech-dispatcher ser2net brltty
  wsjtx pulseaudio pactl python3 chromium chromedriver
  x86_64-w64-mingw32-g++ x86_64-w64-mingw32-objdump zip unzip
  wine wineboot wineserver
)

packages=("${demo_packages[@]}")
commands=("${demo_commands[@]}")
if [[ ${1:-} != demo ]]; then
  packages+=("${test_packages[@]}")
  commands+=("${test_commands[@]}")
else
  wine_packages=()
fi

sudo_if_needed=()
if [[ $(id -u) -ne 0 ]]; then sudo_if_needed=(sudo); fi

missing_from() {
  local package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || echo "$package"
  done
}

mapfile -t missing < <(missing_from "${packages[@]}")
mapfile -t missing_wine < <(missing_from "${wine_packages[@]}")

if ((${#missing[@]} + ${#missing_wine[@]})); then
  echo "setup: installing ${missing[*]} ${missing_wine[*]}"
  "${sudo_if_needed[@]}" apt-get update
  export DEBIAN_FRONTEND=noninteractive
  if ((${#missing[@]})); then
    "${sudo_if_needed[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
  fi
  if ((${#missing_wine[@]})); then
    "${sudo_if_needed[@]}" apt-get install -y "${missing_wine[@]}"
  fi
else
  echo "setup: every package is installed"
fi

missing_commands=()
for command_name in "${commands[@]}"; do
  command -v "$command_name" >/dev/null || missing_commands+=("$command_name")
done
if ((${#missing_commands[@]})); then
  echo "setup: these commands are still missing after the install: ${missing_commands[*]}" >&2
  exit 1
fi
