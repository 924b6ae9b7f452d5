#!/usr/bin/env bash
# Keys typed on the real keyboard reach the panel with their Windows codes: a numeric-pad
# digit with Num Lock on is logged as the pad key; a letter or digit typed with Shift acts as
# without it; F held reads once, and F answers every press, whenever in the poll cycle it
# comes; and Q, once the radio is connected, ends the transmission and the session after the
# next frequency reports.
source "$(dirname "$0")/lib.sh"
start_display
start_radio 5
write_configuration 1 0 1

start_panel 240
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

# F held for a second with the keyboard's auto-repeat reads once; Shift+B 6 then selects 20 m
# as B 6 does, and Shift+F reads the new frequency.
mark
xdotool keydown f
sleep 1
xdotool keyup f
xdotool key --delay 150 shift+b 6
expect_heard 7 point 1 mhz lsb band 40 metres 20 metres preamp 1 on
expect_sent_in_order BS005 FA014200000 MD02
mark
xdotool key shift+f
expect_heard 1 4 point 2 mhz usb

# Forty presses of F at moments spread over the poll cycle, each answered by the readout.
mark
for press in $(seq 40); do
  sleep "0.$((RANDOM % 10))$((RANDOM % 10))"
  xdotool key f
  for _ in $(seq 200); do (($(heard_since_mark | grep -c '^usb$') >= press)) && break; sleep 0.05; done
  (($(heard_since_mark | grep -c '^usb$') >= press)) || fail "F press $press was not answered: $(heard_since_mark | tail -n 12)"
done
# shellcheck disable=SC2046 # each word of the readouts is one expected line
expect_lines "$(heard_since_mark)" $(for _ in $(seq 40); do echo 1 4 point 2 mhz usb; done)

mark
quit_panel
grep -q $'^\\*Q\r$' "$work/debug.dat" || fail "Q was not logged: $(grep '^\*' "$work/debug.dat")"
grep -q " TX0;" "$work/radio.log" || fail "the radio never heard TX0;"
# Heard words come from the prompt folder; the S-meter figure keeps being drawn silently.
expect_lines "$(heard_since_mark)" quit
# The session ends on the second frequency report after TX0;: the second read that holds one,
# wherever in the read (a late S-meter answer can come first).
after_quit=$(sed -n '/TX=TX0;/,$p' "$work/debug.dat" | grep -c '^RX=.*FA[0-9]')
[[ $after_quit -eq 2 ]] || fail "the session ended after $after_quit frequency reports: $(sed -n '/TX=TX0;/,$p' "$work/debug.dat")"
echo "PASS"
