#!/usr/bin/env bash
# Debian's WSJT-X beside the panel, headless, as a blind operator works FT8: WSJT-X works the
# radio through the panel's network port (Hamlib NET rigctl, PTT by CAT) and reports to the
# multicast group of line 16, where a logger listens beside the panel. A recording of
# "CQ W9XYZ EN37" made by Debian's ft8sim is played into WSJT-X's sound card from the start
# of a UTC 15-second period; the panel speaks the CQ after J, Enter has WSJT-X answer it (its
# status shows the DX call and transmit enabled, and it keys the radio through the panel at
# the next period), and Space halts it: TX0 at the radio, WSJT-X's transmit disabled. Enter in
# the middle of J's words and Space in the middle of the words of the transmission act at once.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/wsjtx_lib.sh"
command -v ft8sim >/dev/null || fail "ft8sim (package wsjtx) is not installed"
start_display
start_radio 5
net_port=$(free_tcp_port)
WSJTX_UDP_PORT=$(free_udp_port)
WSJTX_UDP_SERVER=224.0.0.1
WSJTX_ACCEPT_UDP=true
write_configuration 0 0 1 0 "net=$net_port" "knob=0" "voice=1" "" "wsjtx=$WSJTX_UDP_SERVER:$WSJTX_UDP_PORT"
start_panel 380
wait_until_connected

# Types the keys at the panel's window, which WSJT-X's windows may have taken the focus from.
keys_at_panel() {
  xdotool windowfocus --sync "$window" key --delay 150 "$@"
}

echo "-- WSJT-X starts, opens the radio through the panel and is heard"
# WSJT-X sends to a multicast group on the interfaces chosen in its settings, and Linux's
# loopback takes no multicast: the interface of the default route carries it, looped back.
interface=$(ip route show default | awk '{ print $5; exit }')
[[ -n $interface ]] || fail "no interface with a default route to carry WSJT-X's multicast"
mark
wsjtx_start "$net_port" Configuration/MyCall=K1ABC Configuration/MyGrid=FN42 Configuration/QuickCall=true \
  Configuration/UDPInterface="$interface" WideGraph/BinsPerPixel=4
wait_heard wsjtxhere

echo "-- a CQ played into WSJT-X from the start of a period is decoded"
(cd "$work" && ft8sim "CQ W9XYZ EN37" 1500 0 0 0 1 -10 >"$work/ft8sim.log") || fail "ft8sim failed"
recording=$(ls "$work"/*.wav | head -n 1)
# From the next 15-second boundary of UTC.
now_ms=$(date +%s%3N)
sleep "$(awk -v ms="$now_ms" 'BEGIN { printf "%.3f", (15000 - ms % 15000) / 1000 }')"
with_wsjtx_env paplay --device=vocapan_null "$recording" &
from=$(wsjtx_messages)
wsjtx_wait_message '^decode new=1 .*message=CQ W9XYZ EN37' 40 "$from" >/dev/null

echo "-- J speaks the CQ; Enter half a second into its words answers W9XYZ at once"
sleep 0.5 # the panel reads WSJT-X's datagrams at its next tick
mark
keys_at_panel j
wait_heard w
sleep 0.5
from=$(wsjtx_messages)
keys_at_panel Return
wsjtx_wait_message '^status .*tx_enabled=1 .*dx_call=W9XYZ' 20 "$from" >/dev/null
wait_heard reply w 9 x y z
heard=$(heard_since_mark | tr '\n' ' ')
[[ $heard == "w "*"reply w 9 x y z " ]] || fail "J and Enter said: $heard"
[[ $heard != *"grid e n 3 7 gap "*"reply"* ]] || fail "Enter waited for the end of J's words: $heard"

echo "-- WSJT-X keys the radio through the panel at the start of the next period"
mark
wait_sent 'TX1;'
keyed_ms=$(grep -F ' TX1;' "$work/radio.log" | tail -n 1 | radio_log_ms)
into_period=$((keyed_ms % 15000))
echo "the radio was keyed $into_period ms into the period"
((into_period <= 500)) || fail "WSJT-X keyed the radio $into_period ms into the period"

echo "-- Space 1 s into the transmission, while the panel speaks of it: TX0 at once, WSJT-X halted"
wait_heard tx
sleep 1
mark
from=$(wsjtx_messages)
xdotool windowfocus --sync "$window"
pressed_ms=$(date '+%H:%M:%S.%3N' | radio_log_ms)
xdotool key space
expect_sent_in_order TX0
unkeyed_ms=$(grep -F ' TX0;' "$work/radio.log" | tail -n 1 | radio_log_ms)
echo "the radio heard TX0 $((unkeyed_ms - pressed_ms)) ms after Space was typed"
((unkeyed_ms - pressed_ms <= 100)) || fail "TX0 came $((unkeyed_ms - pressed_ms)) ms after Space"
wsjtx_wait_message '^status .*tx_enabled=0' 1 "$from" >/dev/null
wait_heard off
sleep 1
heard=$(heard_since_mark | tr '\n' ' ')
[[ $heard == "tx off " ]] || fail "after Space the operator heard: $heard"
sleep 40 # two periods and more: WSJT-X does not key the radio again
if sent_since_mark | grep -qx 'TX1;'; then fail "WSJT-X keyed the radio again after Space"; fi

echo "-- WSJT-X closes; the panel says it has gone"
mark
wsjtx_stop
wait_heard wsjtxgone

close_panel
echo "PASS"
