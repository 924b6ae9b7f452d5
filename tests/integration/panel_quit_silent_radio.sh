#!/usr/bin/env bash
# Q ends the session within 2 s with the memories saved when the radio has stopped answering
# (its process frozen: the port stays open, nothing comes back).
source "$(dirname "$0")/lib.sh"
start_display
start_radio 5
write_configuration 1 0 1
start_panel 120
wait_until_connected
rm -f "$work/savmem.dat"

xdotool windowfocus --sync "$window"
kill -STOP "$radio"
started=$(date +%s%N)
xdotool key q
wait "$panel" || fail "the panel did not end after Q"
took=$((($(date +%s%N) - started) / 1000000))
kill -CONT "$radio"
echo "ended $took ms after Q"
((took <= 2000)) || fail "the session ended only $took ms after Q"
[[ -s $work/savmem.dat ]] || fail "the memories were not saved"
echo "PASS"
