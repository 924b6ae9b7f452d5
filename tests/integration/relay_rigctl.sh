#!/usr/bin/env bash
# Hamlib's rigctl (model 1049) works the radio through the panel's relay port, as a logging
# program would: each call answers with the right value, commands written together are all
# answered in order, each answer alone, the panel keeps polling meanwhile, and a call made
# while the panel speaks a readout is answered before the readout ends. Then rigctld
# holds the relay and a rigctl network client asks it over 127.0.0.1. Last the pair closes
# and is made again, and the relay serves it again.
source "$(dirname "$0")/lib.sh"
command -v rigctl >/dev/null || fail "rigctl is not installed (Debian package libhamlib-utils)"
command -v rigctld >/dev/null || fail "rigctld is not installed (Debian package libhamlib-utils)"
command -v socat >/dev/null || fail "socat is not installed"

start_display
start_radio 5
start_relay_pair 7 "$work/logger"
pair=${pids[-1]}
write_configuration 1 0 1 7
start_panel 120
wait_until_connected
sleep 1  # the announcement of the connection has ended

rig() { timeout 20 rigctl -m 1049 -r "$work/logger" -s 38400 "$@"; }

echo "-- frequency, mode, S-meter and PTT through the relay"
before=$(wc -l <"$work/radio.log")
got=$(rig f F 14074000 f) || fail "rigctl failed: $got"
expect_lines "$got" 7100000 14074000
got=$(rig M USB 2400 m) || fail "rigctl failed: $got"
expect_lines "$got" USB 2400
got=$(rig l STRENGTH t) || fail "rigctl failed: $got"
[[ $got =~ ^-?[0-9]+$'\n'0$ ]] || fail "S-meter and PTT: $got"

echo "-- the panel's polls kept their pace while rigctl worked"
gap=$(tail -n +"$((before + 1))" "$work/radio.log" | grep -E ' (FA|SM0);' | radio_log_ms |
  awk 'NR > 1 && $1 - last > most { most = $1 - last } { last = $1 } END { print most + 0 }')
((gap <= 400)) || fail "the polls stopped for $gap ms while rigctl worked"

echo "-- two questions written at once are both answered, in order"
exec 3<>"$work/logger"
printf 'FA;MD0;' >&3
IFS= read -r -t 2 -d ';' first <&3 || true
IFS= read -r -t 2 -d ';' second <&3 || true
exec 3>&-
expect_lines "$first;$second;" "FA014074000;MD02;"

echo "-- while the panel speaks the F key's readout, rigctl through the relay is answered at once"
mark
xdotool windowfocus --sync "$window" key f
for _ in $(seq 300); do [[ $(heard_since_mark | head -n 1) == 1 ]] && break; sleep 0.01; done
[[ $(heard_since_mark | head -n 1) == 1 ]] || fail "the readout did not begin: $(heard_since_mark)"
start=$(date +%s%N)
got=$(rig f) || fail "rigctl failed while the panel spoke: $got"
took=$((($(date +%s%N) - start) / 1000000))
expect_lines "$got" 14074000
heard_since_mark | grep -qx usb && fail "f was answered only after the readout: $(heard_since_mark)"
((took <= 300)) || fail "f took $took ms while the panel spoke"
echo "answered in $took ms while the panel spoke"
expect_heard 1 4 point 0 7 4 mhz usb

echo "-- rigctld on the relay, a network client on 127.0.0.1"
tcp_port=$((40000 + RANDOM % 20000))
watch_log "rigctld's messages" "$work/rigctld.err"
rigctld -m 1049 -r "$work/logger" -s 38400 -T 127.0.0.1 -t "$tcp_port" 2>"$work/rigctld.err" &
rigctld=$!
pids+=("$rigctld")
net() { timeout 20 rigctl -m 2 -r "127.0.0.1:$tcp_port" "$@"; }
for _ in $(seq 100); do net f >/dev/null 2>&1 && break; sleep 0.1; done
got=$(net F 7074000 f m) || fail "rigctl over the network failed: $got $(cat "$work/rigctld.err")"
[[ $got =~ ^7074000$'\n'[A-Z]+$'\n'[0-9]+$ ]] || fail "network client got: $got"

echo "-- one command and one answer to a transcript line"
grep -a '^\*\*\*VTX1=.*;.*;' "$work/debug.dat" && fail "a relay answer line holds two answers"
grep -a '^\*\*\*VRX1=.*;.*;' "$work/debug.dat" && fail "a relay command line holds two commands"
grep -qa '^\*\*\*VTX1=FA014074000;' "$work/debug.dat" || fail "no relayed frequency answer in the transcript"

echo "-- the relay pair closed and made again under the same name is served within 3 s"
kill "$rigctld" "$pair"
wait "$rigctld" "$pair" 2>/dev/null || true
for _ in $(seq 100); do [[ -e $work/COM7 ]] || break; sleep 0.05; done
sleep 0.5 # the panel finds its end of the pair closed
start_relay_pair 7 "$work/logger"
made=$(date +%s%N)
exec 3<>"$work/logger"
answer=""
while [[ $answer != ID0840 ]] && (($(date +%s%N) - made < 10000000000)); do
  printf 'ID;' >&3
  IFS= read -r -t 0.2 -d ';' answer <&3 || true
done
exec 3>&-
took=$((($(date +%s%N) - made) / 1000000))
[[ $answer == ID0840 ]] || fail "the relay was not served again: '$answer'"
((took <= 3000)) || fail "the relay was served again only after $took ms"
echo "served again $took ms after the pair was made"

quit_panel
echo "PASS"
