#!/usr/bin/env bash
# Keys typed on the real keyboard reach the panel with their Windows codes: a numeric-pad
# digit with Num Lock on is logged as the pad key, and Q, once the radio is connected, ends
# the transmission and the session after the next frequency reports.
source "$(dirname "$0")/lib.sh"
start_display
start_radio 5
write_configuration 1 0 1

start_panel 90
wait_until_connected

xdotool windowfocus --sync "$window"
# The virtual display starts with Num Lock off; with it on, the pad's 1 is the pad digit.
# The key is typed by its key code, so that xdotool does not touch Num Lock itself.
xdotool key Num_Lock
pad_one=$(xmodmap -pke | awk '!found && ($4 == "KP_End" || $5 == "KP_1") { print $2; found = 1 }')
[[ -n $pad_one ]] || fail "no key code for the pad's 1 in: $(xmodmap -pke | grep KP_)"
xdotool key "$pad_one"
for _ in $(seq 100); do grep -q $'^\\*a (1)\r$' "$work/debug.dat" && break; sleep 0.05; done
grep -q $'^\\*a (1)\r$' "$work/debug.dat" || fail "the pad's 1 was not logged as such: $(grep '^\*' "$work/debug.dat")"

xdotool key q
wait "$panel" || fail "the panel did not end after Q"
grep -q $'^\\*Q\r$' "$work/debug.dat" || fail "Q was not logged: $(grep '^\*' "$work/debug.dat")"
grep -q " TX0;" "$work/radio.log" || fail "the radio never heard TX0;"
# Heard words come from the prompt folder; the S-meter figure keeps being drawn silently.
heard=$(grep '^wave' "$work/sound.log")
[[ $(tail -n 1 <<<"$heard") == 'wave\quit.wav' ]] || fail "last words: $(tail -n 3 <<<"$heard")"
# The session ends on the second frequency report after TX0;: the second read that holds one,
# wherever in the read (a late S-meter answer can come first).
after_quit=$(sed -n '/TX=TX0;/,$p' "$work/debug.dat" | grep -c '^RX=.*FA[0-9]')
[[ $after_quit -eq 2 ]] || fail "the session ended after $after_quit frequency reports: $(sed -n '/TX=TX0;/,$p' "$work/debug.dat")"
echo "PASS"
