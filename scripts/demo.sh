#!/usr/bin/env bash
# Runs the panel against the simulated radio: installs and builds what is missing, lays out
# a working folder demo/ (configuration, prompts, COM5 linked to the simulated radio),
# starts ftxsim there and then the panel. Quit the panel with Q or its close button.
# Without a display the panel runs on a virtual one, so only its voice and the radio's
# log show what it does.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)

scripts/setup.sh demo
VOCAPAN_TESTS=OFF scripts/build.sh vocapan ftxsim prompts

demo="$top/demo"
mkdir -p "$demo"
rm -rf "$demo/wave"
cp -r build/wave "$demo/wave"
# The panel's configuration, by line: port, speed, SWR option, tuner, power off on quit,
# the repeater shifts of 10 m, 6 m, 2 m and 70 cm, relay port (none), debug transcript (on).
printf '%s\r\n' "com=5" "speed=38400" "swr=0" "tun=1" "pwroff=0" "rep10=-100" "rep6=-1000" \
  "rep2=-0600" "rep70=-5000" "relay=0" "debug=1" > "$demo/vocapan.cfg"

cleanup() {
  [[ -n ${radio_pid:-} ]] && kill "$radio_pid" 2>/dev/null || true
  [[ -n ${display_pid:-} ]] && kill "$display_pid" 2>/dev/null || true
}
trap cleanup EXIT

build/bin/ftxsim --link "$demo/COM5" --log "$demo/radio.log" &
radio_pid=$!
for _ in $(seq 50); do [[ -e $demo/COM5 ]] && break; sleep 0.1; done

if [[ -z ${DISPLAY:-} ]]; then
  Xvfb :77 -noreset >/dev/null 2>&1 &
  display_pid=$!
  export DISPLAY=:77
  echo "demo: no display found; the panel runs on a virtual display (:77)"
fi

echo "demo: the panel is running in $demo; the radio's log is $demo/radio.log"
(cd "$demo" && "$top/build/bin/vocapan")
echo "demo: the panel has ended; the traffic is in $demo/debug.dat"
