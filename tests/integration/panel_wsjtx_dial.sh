#!/usr/bin/env bash
# Debian's WSJT-X works the radio through the panel's network port as an operator sets it up:
# rig Hamlib NET rigctl, PTT by CAT, split "Rig", mode Data/Pkt. A frequency typed into its
# band box while the panel speaks reaches the radio at once and its dial never goes back;
# Tune keys the radio on VFO B beside the dial and unkeys it; the operator hears each step;
# its split ends when WSJT-X closes.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/wsjtx_lib.sh"
start_display
start_radio 5
port=$(free_tcp_port)
write_configuration 0 0 1 0 "net=$port"
start_panel 300
wait_until_connected

wsjtx_start "$port" Configuration/MyCall=K1ABC Configuration/MyGrid=FN42
wsjtx_wait_message '^status dial=7100000 ' >/dev/null
wsjtx_wait_settled

# Clicks at a place of WSJT-X's main window, by its offset from the window's corner.
click_wsjtx() { xdotool mousemove --window "$wsjtx_window" "$1" "$2" click 1; }
# Where its band box and its Tune button are in the main window at its first size.
band_box=(42 432)
tune_button=(752 395)

echo "-- 14.074 typed into WSJT-X's band box while the panel speaks four F readouts"
xdotool windowfocus --sync "$window"
mark
xdotool key f f f f
wait_heard 7
click_wsjtx "${band_box[@]}"
xdotool key ctrl+a type --delay 20 14.074
xdotool key Return
wait_sent 'FA014074000;'
sent_since_mark | grep -qx 'FA014074000;' || fail "the radio did not hear WSJT-X's frequency: $(sent_since_mark)"
readouts_ended=$(heard_since_mark | grep -cx lsb || true)
((readouts_ended < 4)) || fail "the radio heard WSJT-X's frequency only after the readouts: $(heard_since_mark | tr '\n' ' ')"
wsjtx_wait_message '^status dial=14074000 ' 30 >/dev/null
# With a new dial WSJT-X sets its transmit VFO beside it, in split: that reaches the radio
# after its status tells the new dial, and comes before Tune.
for _ in $(seq 400); do sent_since_mark | grep -qE '^FB0140[0-9]{5};$' && break; sleep 0.05; done
sent_since_mark | grep -qE '^FB0140[0-9]{5};$' || fail "WSJT-X set no transmit VFO beside its new dial: $(sent_since_mark)"

echo "-- Tune: the radio keyed on VFO B beside the dial, then unkeyed"
mark
click_wsjtx "${tune_button[@]}"
wsjtx_wait_message '^status .* transmitting=1 ' 30 >/dev/null
wait_sent 'TX1;'
wait_heard tx on
click_wsjtx "${tune_button[@]}"
wsjtx_wait_message '^status .* transmitting=0 ' 30 "$(($(wsjtx_messages) - 1))" >/dev/null
wait_sent 'TX0;'
wait_heard tx off
transmit=$(sent_since_mark | grep -E '^(FB[0-9]{9}|FA[0-9]{9}|ST[01]|TX[01]);$' | tr '\n' ' ' || true)
[[ $transmit != *FA* && $transmit != *ST* ]] || fail "the dial or split changed while tuning: $transmit"
# In split "Rig" WSJT-X keeps its transmit audio in range by VFO B, set beside the dial.
vfo_b=$(tr -d '\r' <"$work/radio.log" |
  awk '$3 == "TX1;" { exit } $3 ~ /^(FB[0-9]+|ST[01]);$/ { before = last; last = $3 } END { print before, last }')
[[ $vfo_b =~ ^ST1\;\ FB0140(7[1-6][0-9]{3}|77000)\;$ ]] || fail "the radio was not keyed in split beside the dial: $vfo_b"

echo "-- WSJT-X's dial never went back"
dials=$(sed -n '/^status dial=14074000 /,$ s/^status dial=\([0-9]*\) .*/\1/p' "$work/wsjtx-udp.log" | uniq | tr '\n' ' ')
[[ $dials == "14074000 " ]] || fail "WSJT-X's dial went $dials"

echo "-- WSJT-X closes: its split ends"
mark
wsjtx_stop
wait_sent 'ST0;'
wait_heard split off

close_panel
echo "PASS (radio while tuning: $transmit)"
