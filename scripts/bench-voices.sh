#!/usr/bin/env bash
# How long the F readout of 7.1 MHz LSB lasts in each recorded voice. The real panel runs
# against the simulated radio on a virtual display, with line 14 absent, then "voice=2" and
# "voice=3"; once it is connected F is typed, and the readout's length is the sum of the
# recorded lengths (soxi) of the prompt files the panel played for it, from its sound log.
#
# Usage: scripts/bench-voices.sh   (builds what it needs first)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh vocapan ftxsim prompts >/dev/null
export BIN_DIR=$PWD/build/bin WAVE_DIR=$PWD/build/wave
source tests/integration/lib.sh
cp -r build/wave2 build/wave3 "$work/"
start_display

# Prints the seconds the readout lasts with line 14 given as $1 (none when empty).
readout_seconds() {
  rm -f "$work/COM5" "$work/sound.log" "$work/radio.log"
  start_radio 5 >&2
  local radio=${pids[-1]} played
  write_configuration 0 0 0
  [[ -z $1 ]] || printf '%s\r\n' net=0 knob=0 "$1" >>"$work/vocapan.cfg"
  start_panel 90 >&2
  wait_until_connected
  xdotool windowfocus --sync "$window"
  mark
  xdotool key f
  for _ in $(seq 400); do tail -n +$((heard_mark + 1)) "$work/sound.log" | grep -q 'lsb\.wav$' && break; sleep 0.05; done
  played=$(tail -n +$((heard_mark + 1)) "$work/sound.log" | sed -n '1,/lsb\.wav$/p' | tail -n 5)
  xdotool key q
  wait "$panel" || fail "the panel did not end after Q"
  kill "$radio"
  echo "$1: $(tr '\n' ' ' <<<"$played")" >&2
  (cd "$work" && tr '\\' / <<<"$played" | xargs soxi -D) | awk '{ total += $1 } END { printf "%.3f", total }'
}

first=$(readout_seconds "")
second=$(readout_seconds voice=2)
third=$(readout_seconds voice=3)
ratio() { awk -v a="$1" -v b="$first" 'BEGIN { printf "%.2f", a / b }'; }
echo "F readout of 7.1 MHz LSB: voice=1 $first s, voice=2 $second s ($(ratio "$second")), voice=3 $third s ($(ratio "$third"))"
