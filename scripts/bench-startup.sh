#!/usr/bin/env bash
# How long the real panel takes to start, beside an older build in the same run: against the
# simulated radio on a virtual display of its own, with no BRLTTY and no screen reader, each
# build started ROUNDS times, taking turns. Per start: the seconds from the launch to the
# radio's first command, and to the start of "connected", the end of the radio's start-up
# (from the radio's log and the panel's timed sound log). Prints each start, then the medians.
#
# usage: scripts/bench-startup.sh --before BIN_DIR [ROUNDS]   (ROUNDS: 5 unless given)
set -euo pipefail
cd "$(dirname "$0")/.."
before=""
rounds=5
# Read without shifting: the scenario library starts the script again with its arguments.
arguments=("$@")
for ((i = 0; i < ${#arguments[@]}; i++)); do
  case ${arguments[i]} in
    --before) before=$(cd "${arguments[i + 1]:-}" && pwd) && i=$((i + 1)) ;;
    [0-9]*) rounds=${arguments[i]} ;;
    *) echo "usage: scripts/bench-startup.sh --before BIN_DIR [ROUNDS]" >&2; exit 2 ;;
  esac
done
[[ -x $before/vocapan ]] || { echo "bench-startup: --before names no folder holding vocapan" >&2; exit 2; }
scripts/build.sh vocapan ftxsim prompts >/dev/null
export BIN_DIR=$PWD/build/bin WAVE_DIR=$PWD/build/wave
source tests/integration/lib.sh
start_display
start_radio 5 --log-epoch
write_configuration 0 0 0
export VOCAPAN_SOUND_LOG="$work/sound.log" VOCAPAN_SOUND_LOG_TIMES=1
unset BRLAPI_HOST SPEECHD_ADDRESS

# Starts the panel in $1 once; prints the seconds to its first command and to "connected".
start_once() {
  local started pid first connected
  rm -f "$work/sound.log"
  started=$(now)
  (cd "$work" && exec "$1/vocapan" >/dev/null 2>&1) &
  pid=$!
  for _ in $(seq 600); do grep -q 'connected\.wav$' "$work/sound.log" 2>/dev/null && break; sleep 0.05; done
  connected=$(grep -m1 'connected\.wav$' "$work/sound.log" | cut -d' ' -f1) || fail "$1/vocapan never said connected"
  first=$(tr -d '\r' <"$work/radio.log" | awk -v t="$started" '$1 > t { print $1; exit }')
  kill -TERM "$pid"
  wait "$pid" || true
  awk -v s="$started" -v f="$first" -v c="$connected" 'BEGIN { printf "%.3f %.3f\n", f - s, c - s }'
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

: >"$work/before.times"
: >"$work/now.times"
for round in $(seq "$rounds"); do
  times=$(start_once "$before")
  echo "$times" >>"$work/before.times"
  echo "round $round, before: first command after ${times% *} s, connected after ${times#* } s"
  times=$(start_once "$BIN_DIR")
  echo "$times" >>"$work/now.times"
  echo "round $round, this build: first command after ${times% *} s, connected after ${times#* } s"
done
for build in before now; do
  label=$build
  [[ $build == now ]] && label="this build"
  echo "median, $label: first command after $(cut -d' ' -f1 "$work/$build.times" | median) s," \
    "connected after $(cut -d' ' -f2 "$work/$build.times" | median) s"
done
