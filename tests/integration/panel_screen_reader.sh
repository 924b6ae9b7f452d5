#!/usr/bin/env bash
# With "voice=reader" on line 14 each phrase of the panel goes to speech-dispatcher as words:
# a daemon of the test's own, whose output module appends every text it is given to a file,
# gets the greeting, the start-up, a key's answer and the F readout, in order, and Backspace
# gets the readout again; no prompt but the reply pause is played. With no daemon to reach,
# the recorded prompts speak and the panel says so once.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/speechd_lib.sh"
start_display

write_configuration 0 0 0
printf '%s\r\n' "net=0" "knob=0" "voice=reader" >>"$work/vocapan.cfg"
start_daemon
start_radio 5

SPEECHD_ADDRESS="unix_socket:$work/speechd.sock" start_panel 90
readout="seven point one megahertz LSB"
wait_until_said "$readout preamp off connected"
xdotool windowfocus --sync "$window"
xdotool key --delay 150 r
wait_until_said "RF gain"
xdotool key --delay 150 f BackSpace
for _ in $(seq 400); do (($(grep -cxF "$readout" "$work/said.txt") >= 2)) && break; sleep 0.05; done
xdotool key q
wait "$panel" || fail "the panel did not end after Q"
wait_until_said "quit"
expect_lines "$(cat "$work/said.txt")" "FTX panel three point five" "forty metres" \
  "$readout preamp off connected" "RF gain" "$readout" "$readout" "quit"
expect_lines "$(sort -u "$work/sound.log")" 'wave\delay.wav'

# No daemon where the panel looks: the recorded voice, and one word of why.
rm -f "$work/COM5" "$work/sound.log" "$work/said.txt"
start_radio 5
SPEECHD_ADDRESS="unix_socket:$work/nobody.sock" start_panel 90 2>"$work/panel.err"
wait_until_connected
xdotool windowfocus --sync "$window"
xdotool key q
wait "$panel" || fail "the panel did not end after Q"
expect_lines "$(head -n 5 "$work/sound.log")" 'wave\ftx.wav' 'wave\3.wav' 'wave\point.wav' 'wave\5.wav' 'wave\noreader.wav'
[[ $(grep -c 'noreader' "$work/sound.log") -eq 1 ]] || fail "the missing screen reader was announced more than once"
[[ $(grep -c 'no speech-dispatcher could be reached' "$work/panel.err") -eq 1 ]] ||
  fail "the console did not say once why the prompts speak: $(cat "$work/panel.err")"
[[ ! -e $work/said.txt ]] || fail "a daemon was reached: $(cat "$work/said.txt")"
echo "PASS"
