#!/usr/bin/env bash
# A radio at a remote station: no COM port at all, line 15 names Debian's ser2net on
# 127.0.0.1 in front of the simulated radio. The panel connects, polls every 100 ms and a
# key reaches the radio; ser2net stopped is said within 4 s; started again, the radio is
# taken up as at start within 8 s; Q then ends the session as usual.
source "$(dirname "$0")/lib.sh"
command -v ser2net >/dev/null || fail "ser2net is not installed (scripts/setup.sh)"
start_display
mkdir "$work/station"
"$BIN_DIR/ftxsim" --link "$work/station/radio" --log "$work/radio.log" 2>"$work/ftxsim.err" &
pids+=($!)
for _ in $(seq 100); do [[ -e $work/station/radio ]] && break; sleep 0.05; done
[[ -e $work/station/radio ]] || fail "ftxsim did not start: $(cat "$work/ftxsim.err")"
port=$(free_tcp_port)
start_serial_server "$work/station/radio" "$port"

write_configuration 1 0 1
printf '%s\r\n' "net=0" "knob=0" "" "remote=127.0.0.1:$port" >>"$work/vocapan.cfg"
start_panel 120
wait_until_connected
expect_no_serial_port_opened
grep -q "^Remote=127.0.0.1:$port " "$work/debug.dat" || fail "the transcript does not name the server: $(head -n 2 "$work/debug.dat")"

# Twenty polls after the announcement, one every 100 ms (the median of their intervals).
polled=$(wc -l <"$work/radio.log")
polls_since() { tail -n +"$((polled + 1))" "$work/radio.log" | tr -d '\r' | grep -E ' (FA|SM0);$' || true; }
for _ in $(seq 200); do (($(polls_since | wc -l) >= 21)) && break; sleep 0.05; done
median=$(polls_since | head -n 21 | radio_log_ms | awk 'NR > 1 { print $1 - last } { last = $1 }' | sort -n |
  awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')
echo "poll interval through ser2net, median of 20: $median ms"
((median >= 90 && median <= 130)) || fail "one poll every $median ms through ser2net"

xdotool windowfocus --sync "$window"
press Right -- "FA007100100;"

stopped=$(date +%s%N)
kill "$server"
wait "$server" 2>/dev/null || true
for _ in $(seq 200); do grep -q 'radiolost' "$work/sound.log" && break; sleep 0.02; done
took=$((($(date +%s%N) - stopped) / 1000000))
grep -q 'radiolost' "$work/sound.log" || fail "the operator never heard radio lost"
echo "radio lost said $took ms after ser2net stopped"
((took <= 4000)) || fail "radio lost was said only $took ms after ser2net stopped"

lost_at=$(wc -l <"$work/sound.log")
logged=$(wc -l <"$work/radio.log")
started=$(date +%s%N)
start_serial_server "$work/station/radio" "$port"
# Asked who it is, set up as at start, then polled; its first frequency answer starts the
# announcement, which ends with "connected".
new_radio_heard() { tail -n +"$((logged + 1))" "$work/radio.log" | tr -d '\r' | grep -q "$1"; }
for _ in $(seq 800); do new_radio_heard 'ID;' && new_radio_heard 'BI;' && new_radio_heard ' FA;$' && break; sleep 0.01; done
took=$((($(date +%s%N) - started) / 1000000))
new_radio_heard ' FA;$' || fail "the radio is not polled again: $(tail -n +"$((logged + 1))" "$work/radio.log")"
new_radio_heard 'BI;' || fail "the radio was not set up again as at start"
echo "radio taken up again and polled $took ms after ser2net started"
((took <= 8000)) || fail "the radio was taken up only $took ms after ser2net started"
heard_since_lost() { tail -n +"$((lost_at + 1))" "$work/sound.log" | grep -q "$1"; }
for _ in $(seq 400); do heard_since_lost connected && break; sleep 0.05; done
heard_since_lost connected || fail "the returning radio was never announced: $(tail -n +"$((lost_at + 1))" "$work/sound.log")"
[[ $(grep -c 'radiolost' "$work/sound.log") -eq 1 ]] || fail "radio lost said more than once"

xdotool windowfocus --sync "$window" key q
wait "$panel" || fail "the panel did not end after Q"
echo "PASS"
