#!/usr/bin/env bash
# Times each rigctl call (Hamlib model 1049) through the panel's relay port and straight to a
# simulated radio, side by side in one run (the middle of three tries of each), and fails when
# a relayed call takes more than 0.05 s longer than the same call straight to the radio.
#
# Usage: scripts/bench-relay.sh [BUILD_DIR]   (default build/; needs Xvfb, socat, rigctl)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
export BIN_DIR=$build/bin WAVE_DIR=$build/wave
source "$root/tests/integration/lib.sh"

start_display
start_radio 5
"$BIN_DIR/ftxsim" --link "$work/direct" 2>"$work/direct.err" &
pids+=($!)
start_relay_pair 7 "$work/logger"
for _ in $(seq 100); do [[ -e $work/direct ]] && break; sleep 0.05; done
write_configuration 1 0 0 7
start_panel 300
wait_until_connected
sleep 1  # the announcement of the connection has ended

# Seconds one rigctl call takes against the port in $1; its answer goes to $work/answer.
time_call() {
  local port=$1 started
  shift
  started=$(date +%s%N)
  timeout 20 rigctl -m 1049 -r "$port" -s 38400 "$@" >"$work/answer" 2>&1 || echo "(failed)" >>"$work/answer"
  awk -v ns=$(($(date +%s%N) - started)) 'BEGIN { printf "%.3f", ns / 1e9 }'
}

# The middle of three timings, so that one pause of the busy machine does not decide.
median() { printf '%s\n' "$@" | sort -n | sed -n 2p; }

worst=0
printf '%-16s %8s %8s %8s  %s\n' call direct relay longer "answer through the relay"
for call in "f" "F 14074000" "f" "m" "M USB 2400" "m" "l STRENGTH" "t"; do
  read -ra words <<<"$call"
  directs=() relays=()
  for _ in 1 2 3; do
    directs+=("$(time_call "$work/direct" "${words[@]}")")
    relays+=("$(time_call "$work/logger" "${words[@]}")")
    answer=$(tr '\n' ' ' <"$work/answer")
    [[ $answer != *failed* ]] || fail "'$call' failed through the relay: $answer"
  done
  direct=$(median "${directs[@]}")
  relay=$(median "${relays[@]}")
  longer=$(awk -v a="$relay" -v b="$direct" 'BEGIN { printf "%.3f", a - b }')
  printf '%-16s %8s %8s %8s  %s\n' "$call" "$direct" "$relay" "$longer" "$answer"
  worst=$(awk -v a="$longer" -v w="$worst" 'BEGIN { print (a > w) ? a : w }')
done

xdotool windowfocus --sync "$window" key q
wait "$panel" || true
echo "most a relayed call took longer: $worst s"
awk -v w="$worst" 'BEGIN { exit !(w <= 0.05) }' || fail "a relayed call took more than 0.05 s longer"
echo "PASS"
