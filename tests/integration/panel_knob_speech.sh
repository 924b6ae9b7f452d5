#!/usr/bin/env bash
# The operator turns the simulated radio's own dial from 14.074 through 14.075 to 14.076 MHz,
# a step every 100 ms, and stops. With knob=1 on line 13 the panel says the new band and
# 14.076 once; without line 13 it says nothing and sends the radio exactly what it sends
# without the feature, while with it the mode question only rides on the frequency poll.
source "$(dirname "$0")/lib.sh"
start_display

knob_after_ms=20000 # the start-up, with its prompts, is over well before the dial turns

# One session with the lines after line 11 given as $1; leaves what the radio heard in
# $work/$2.commands and what the operator heard after "connected" in $work/$2.heard.
session() {
  local later_lines=$1 name=$2
  rm -f "$work"/COM5 "$work"/radio.log "$work"/sound.log "$work"/savmem.dat "$work"/memory.txt
  local started=$SECONDS
  start_radio 5 --knob 14074000,14075000,14076000 --knob-step-ms 100 --knob-after-ms $knob_after_ms
  write_configuration 0 0 0
  printf '%s' "$later_lines" >>"$work/vocapan.cfg"

  start_panel 120
  wait_until_connected
  ((SECONDS - started < knob_after_ms / 1000)) || fail "the start-up took longer than the wait before the dial turns"
  # The dial stops 200 ms after it starts; the panel needs about half a second more, and its
  # words take a few seconds.
  sleep $((knob_after_ms / 1000 - (SECONDS - started) + 6))
  "$BIN_DIR/x_close_window" "$window"
  wait "$panel" || fail "the panel did not end after the close request"
  kill "$radio"

  awk '{ print $3 }' "$work/radio.log" | tr -d '\r' >"$work/$name.commands"
  grep '^wave' "$work/sound.log" | sed -e 's/^wave\\//' -e 's/\.wav$//' |
    sed -n '/^connected$/,$p' | tail -n +2 >"$work/$name.heard"
}

session $'net=0\r\nknob=1\r\n' on
session "" off

expect_lines "$(cat "$work/on.heard")" 20 metres 1 4 point 0 7 6 mhz
[[ ! -s $work/off.heard ]] || fail "without line 13 the panel spoke: $(cat "$work/off.heard")"

# Without line 13 the radio is never asked its mode; with it, only right after "FA;".
grep -qx 'MD0;' "$work/off.commands" && fail "without line 13 the mode was asked"
misplaced=$(awk '$0 == "MD0;" && previous != "FA;" { n++ } { previous = $0 } END { print n + 0 }' "$work/on.commands")
[[ $misplaced -eq 0 ]] || fail "the mode was asked outside the frequency poll $misplaced times"
asked=$(grep -cx 'MD0;' "$work/on.commands")
((asked >= 5)) || fail "with line 13 the mode was asked only $asked times"

# Leaving the mode questions out, both sessions sent the same commands in the same order.
grep -vx 'MD0;' "$work/on.commands" >"$work/on.without-mode"
length=$(wc -l <"$work/off.commands")
on_length=$(wc -l <"$work/on.without-mode")
((on_length < length)) && length=$on_length
((length > 100)) || fail "too few commands: $(cat "$work/off.commands")"
expect_lines "$(head -n "$length" "$work/on.without-mode")" "$(head -n "$length" "$work/off.commands")"
echo "PASS (the mode asked $asked times)"
