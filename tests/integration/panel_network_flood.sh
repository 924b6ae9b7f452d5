#!/usr/bin/env bash
# Programs never outrank the operator. On a line at its real speed (38400 baud, 3840 bytes a
# second), with a program's transmitter keyed through the network port and two programs
# flooding frequency sets (one writing without waiting, one Hamlib-style waiting for each
# answer): Space sends TX0 within 0.5 s, the poll then keeps its 100 ms (median within
# 150 ms), and 0.5 s after the programs close none of their sets reaches the radio.
source "$(dirname "$0")/lib.sh"
command -v rigctl >/dev/null || fail "rigctl (libhamlib-utils) is not installed"
command -v socat >/dev/null || fail "socat is not installed"
start_display
start_radio 5 --log-epoch --line-bytes-per-second 3840
write_configuration 0 0 0
port=$(free_tcp_port)
printf 'net=%s\r\n' "$port" >>"$work/vocapan.cfg"
start_panel 180
wait_until_connected

start=$(now)
timeout 10 rigctl -m 2 -r "127.0.0.1:$port" T 1 || fail "the program could not key the transmitter"
wait_logged_after "$start" 'TX1;'

# One program writes sets without waiting for the answers (it reads them all the same); the
# other waits for each answer, as Hamlib does.
yes $'F 14074000\nF 14075000' | socat - "TCP:127.0.0.1:$port" >/dev/null 2>&1 &
writer=$!
pids+=("$writer")
yes $'F 14076000\nF 14077000' | timeout 120 rigctl -m 2 -r "127.0.0.1:$port" - >/dev/null 2>&1 &
waiter=$!
pids+=("$waiter")
flood_start=$(now)
wait_logged_after "$flood_start" 'FA01407[4-7]000;'
sleep 1 # the flood at full strength

xdotool windowfocus --sync "$window"
pressed=$(now)
xdotool key space
wait_logged_after "$pressed" 'TX0;'
tx0=$(logged_after "$pressed" | awk '$2 == "TX0;" { print $1; exit }')
tx0_ms=$(awk -v a="$pressed" -v b="$tx0" 'BEGIN { printf "%.0f", (b - a) * 1000 }')
((tx0_ms <= 500)) || fail "TX0 reached the radio $tx0_ms ms after Space"

# Forty polls (frequency and S-meter in turn) after the transmitter went off, the programs
# still flooding.
for _ in $(seq 600); do (($(logged_after "$tx0" | grep -cE ' (FA|SM0);$') >= 41)) && break; sleep 0.05; done
polls=$(logged_after "$tx0" | awk '$2 == "FA;" || $2 == "SM0;"' | head -n 41)
(($(wc -l <<<"$polls") >= 41)) || fail "the poll stopped under the flood: $(logged_after "$tx0" | tail -n 5)"
median_ms=$(awk 'NR > 1 { print ($1 - last) * 1000 } { last = $1 }' <<<"$polls" | sort -n |
  awk '{ gap[NR] = $1 } END { printf "%.0f", gap[int((NR + 1) / 2)] }')
((median_ms <= 150)) || fail "the polls were $median_ms ms apart (median) under the flood"
sets=$(logged_after "$tx0" | grep -cE ' FA01407[4-7]000;$' || true)
((sets > 0)) || fail "no program's set reached the radio during the flood"

kill "$writer" "$waiter" 2>/dev/null || true
wait "$writer" "$waiter" 2>/dev/null || true
closed=$(now)
quiet_from=$(awk -v t="$closed" 'BEGIN { printf "%.6f", t + 0.5 }')
# Ten polls after that moment show the panel has gone on; no set may come among them.
for _ in $(seq 400); do (($(logged_after "$quiet_from" | grep -c ' FA;$') >= 10)) && break; sleep 0.05; done
(($(logged_after "$quiet_from" | grep -c ' FA;$') >= 10)) || fail "the poll did not go on after the programs closed"
stale=$(logged_after "$quiet_from" | grep -E ' FA01407[4-7]000;$' || true)
[[ -z $stale ]] || fail "sets reached the radio more than 0.5 s after the programs closed: $stale"
last_set=$(logged_after 0 | awk '$2 ~ /^FA01407[4-7]000;$/ { t = $1 } END { print t }')
last_ms=$(awk -v a="$closed" -v b="$last_set" 'BEGIN { printf "%.0f", (b - a) * 1000 }')

xdotool windowfocus --sync "$window" key q
wait "$panel" || fail "the panel did not end after Q"
echo "PASS (TX0 $tx0_ms ms after Space; poll median $median_ms ms under the flood; $sets sets merged through; the last set $last_ms ms after the programs closed)"
