#!/usr/bin/env bash
# A screen reader that dies or hangs changes nothing but the voice. With "voice=reader" and
# Debian's speech-dispatcher: killed with the transmitter keyed, Space still unkeys within
# 0.5 s, the panel lives on and says the next readout in the recorded voice; paused
# (SIGSTOP) mid-session, keys, the transmitter and the polls go on as before, and once it
# is resumed it gets the phrases again; paused before the panel starts, the panel starts in
# the recorded voice and goes over to the reader once it answers.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/speechd_lib.sh"
start_display
start_radio 5 --log-epoch
export SPEECHD_ADDRESS="unix_socket:$work/speechd.sock"
write_configuration 0 0 0 0 "net=0" "knob=0" "voice=reader"

# The prompt names played since the sound log had $1 lines.
played_since() { tail -n +"$(($1 + 1))" "$work/sound.log" | sed 's/.*\\//; s/\.wav$//' | grep -vx delay | tr '\n' ' '; }
wait_played() {
  for _ in $(seq 400); do [[ $(played_since "$1") == *"$2"* ]] && return 0; sleep 0.05; done
  fail "the recorded voice never said '$2'; it said: $(played_since "$1")"
}
# The reader was away: R, pressed every half second, is said by it again within 30 s.
until_the_reader_speaks_again() {
  for _ in $(seq 60); do
    xdotool key r
    grep -qxF "RF gain" "$work/said.txt" 2>/dev/null && return 0
    sleep 0.5
  done
  wait_until_said "RF gain"
}

# Killed with the transmitter keyed.
start_daemon
start_panel 120
wait_until_said "seven point one megahertz LSB preamp off connected"
xdotool windowfocus --sync "$window"
key_to_radio space 'TX1;' 500
wait_until_said "transmit on"
before=$(wc -l <"$work/sound.log")
kill -9 "$daemon"
key_to_radio space 'TX0;' 500
xdotool key f
wait_played "$before" "7 point 1 mhz lsb"
[[ $(played_since "$before") == "noreader "*"tx off 7 point 1 mhz lsb " ]] ||
  fail "after the screen reader died the recorded voice said: $(played_since "$before")"
kill -0 "$panel" || fail "the panel ended with the screen reader"
quit_panel

# Paused mid-session, then resumed.
rm -f "$work/said.txt"
start_daemon
start_panel 120
wait_until_said "seven point one megahertz LSB preamp off connected"
xdotool windowfocus --sync "$window"
kill -STOP "$daemon"
key_to_radio Right 'FA007100100;' 300
key_to_radio space 'TX1;' 500
key_to_radio space 'TX0;' 500
expect_polls_go_on "the screen reader"
kill -CONT "$daemon"
until_the_reader_speaks_again
quit_panel

# Paused before the panel starts.
stop_daemon
rm -f "$work/said.txt" "$work/sound.log"
start_daemon
kill -STOP "$daemon"
started=$(date +%s)
start_panel 120
wait_until_connected
(($(date +%s) - started <= 20)) || fail "connected was said $(($(date +%s) - started)) s after the start"
kill -CONT "$daemon"
xdotool windowfocus --sync "$window"
until_the_reader_speaks_again
quit_panel
echo "PASS"
