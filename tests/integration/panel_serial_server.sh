#!/usr/bin/env bash
# A radio at a remote station: no COM port at all, line 15 names Debian's ser2net on
# 127.0.0.1 in front of the simulated radio, reached straight and then through a link that
# holds every byte 75 ms and 150 ms each way (10 % jitter), as a VPN across the country does.
# Each time the panel starts up and stays, polls every 100 ms, five Up presses reach the
# radio as they were pressed and F then says where it is, Right reaches the radio within the
# one-way time + 30 ms, and "radio lost" is never said (over 60 s at 150 ms); ser2net stopped
# is said within 4 s plus the round trip; started again, the radio is taken up as at start;
# Q then ends the session as usual.
source "$(dirname "$0")/lib.sh"
command -v ser2net >/dev/null || fail "ser2net is not installed (scripts/setup.sh)"
command -v python3 >/dev/null || fail "python3 is not installed"
[[ -x $BIN_DIR/key_stamp ]] || fail "key_stamp is not built (libxtst-dev, scripts/setup.sh)"
start_display
mkdir "$work/station"
"${radio_first[@]}" "$BIN_DIR/ftxsim" --link "$work/station/radio" --log "$work/radio.log" --log-epoch 2>"$work/ftxsim.err" &
pids+=($!)
for _ in $(seq 100); do [[ -e $work/station/radio ]] && break; sleep 0.05; done
[[ -e $work/station/radio ]] || fail "ftxsim did not start: $(cat "$work/ftxsim.err")"
port=$(free_tcp_port)
start_serial_server "$work/station/radio" "$port"

# The long way: tests/integration/delay_proxy.py between the panel and ser2net, on a port of
# its own; sets `far` to the port the panel is given.
start_delay() {
  local one_way=$1
  far=$(free_tcp_port)
  python3 "$(dirname "$0")/delay_proxy.py" "$far" "$port" "$one_way" 10 --seconds 300 2>"$work/proxy.err" &
  pids+=($!)
  for _ in $(seq 100); do (exec 3<>"/dev/tcp/127.0.0.1/$far") 2>/dev/null && return 0; sleep 0.05; done
  fail "the delay proxy did not listen: $(cat "$work/proxy.err")"
}

# The radio's log lines after `marked` that are polls, as "seconds command".
polls_since_mark() { tail -n +"$((marked + 1))" "$work/radio.log" | tr -d '\r' | awk '$3 ~ /^(FA|SM0);$/ { print $1, $3 }'; }

# Twenty poll intervals: their median near 100 ms, and five polls a second or more.
expect_poll_pace() {
  local one_way=$1 intervals median rate
  mark
  for _ in $(seq 200); do (($(polls_since_mark | wc -l) >= 21)) && break; sleep 0.05; done
  intervals=$(polls_since_mark | head -n 21 | awk 'NR > 1 { printf "%.0f\n", ($1 - last) * 1000 } { last = $1 }')
  median=$(sort -n <<<"$intervals" | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')
  rate=$(awk '{ sum += $1 } END { printf "%.1f", NR * 1000 / sum }' <<<"$intervals")
  echo "$one_way ms each way: polls every $median ms (median of 20), $rate a second"
  ((median >= 90 && median <= 130)) || fail "$one_way ms each way: one poll every $median ms"
  awk -v r="$rate" 'BEGIN { exit !(r >= 5) }' || fail "$one_way ms each way: $rate polls a second"
}

# Right pressed three times, each stamped as it is typed: the median time until the radio
# has its command is within the one-way time + 30 ms.
expect_keys_at_once() {
  local one_way=$1 hz=$2 took=() pressed median
  for _ in 1 2 3; do
    wait_polls
    hz=$((hz + 100))
    pressed=$(echo Right | "$BIN_DIR/key_stamp")
    took+=("$(ms_until_logged "$pressed" "$(printf 'FA%09d;' "$hz")")")
  done
  median=$(printf '%s\n' "${took[@]}" | sort -n | sed -n 2p)
  echo "$one_way ms each way: Right at the radio after ${took[*]} ms"
  ((median <= one_way + 30)) || fail "$one_way ms each way: Right reached the radio after $median ms (median)"
}

expect_not_lost() {
  if grep -q 'radiolost' "$work/sound.log"; then fail "$1 ms each way: radio lost was said: $(cat "$work/sound.log")"; fi
}

# Stops ser2net: "radio lost" within 4 s plus the round trip; started again, the radio is set
# up as at start and announced.
expect_loss_and_return() {
  local one_way=$1 stopped took lost_at logged started
  stopped=$(date +%s%N)
  kill "$server"
  wait "$server" 2>/dev/null || true
  for _ in $(seq 300); do grep -q 'radiolost' "$work/sound.log" && break; sleep 0.02; done
  took=$((($(date +%s%N) - stopped) / 1000000))
  grep -q 'radiolost' "$work/sound.log" || fail "$one_way ms each way: the operator never heard radio lost"
  echo "$one_way ms each way: radio lost said $took ms after ser2net stopped"
  ((took <= 4000 + 2 * one_way)) || fail "$one_way ms each way: radio lost was said only $took ms after ser2net stopped"

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
  echo "$one_way ms each way: radio taken up again and polled $took ms after ser2net started"
  ((took <= 8000)) || fail "$one_way ms each way: the radio was taken up only $took ms after ser2net started"
  heard_since_lost() { tail -n +"$((lost_at + 1))" "$work/sound.log" | grep -q "$1"; }
  for _ in $(seq 400); do heard_since_lost connected && break; sleep 0.05; done
  heard_since_lost connected || fail "the returning radio was never announced: $(tail -n +"$((lost_at + 1))" "$work/sound.log")"
  [[ $(grep -c 'radiolost' "$work/sound.log") -eq 1 ]] || fail "$one_way ms each way: radio lost said more than once"
}

# One session through the line of `one_way` ms each way (0: ser2net itself), watched for
# `watch` seconds after the keys for a "radio lost" that must not come.
walk() {
  local one_way=$1 watch=$2 server_port=$port connected_at logged
  if ((one_way > 0)); then
    start_delay "$one_way"
    server_port=$far
  fi
  rm -f "$work/sound.log" "$work/savmem.dat"  # every session starts on 7.1 MHz
  write_configuration 1 0 1
  printf '%s\r\n' "net=0" "knob=0" "" "remote=127.0.0.1:$server_port" >>"$work/vocapan.cfg"
  logged=$(wc -l <"$work/radio.log")
  start_panel 240
  wait_until_connected
  connected_at=$(date +%s)
  tail -n +"$((logged + 1))" "$work/radio.log" | tr -d '\r' |
    awk -v w="$one_way" '$3 == "ID;" && !id { id = $1 } $3 == "FA;" && id { printf "%s ms each way: start-up from the identity question to the first poll %.1f s\n", w, $1 - id; exit }'
  expect_no_serial_port_opened
  grep -q "^Remote=127.0.0.1:$server_port " "$work/debug.dat" ||
    fail "the transcript does not name the server: $(head -n 2 "$work/debug.dat")"
  expect_poll_pace "$one_way"

  xdotool windowfocus --sync "$window"
  press Up Up Up Up Up -- "FA007101000;" "FA007102000;" "FA007103000;" "FA007104000;" "FA007105000;"
  wait_polls
  mark
  xdotool key f
  expect_heard 7 point 1 0 5 mhz lsb
  expect_keys_at_once "$one_way" 7105000

  while (($(date +%s) - connected_at < watch)); do
    expect_not_lost "$one_way"
    sleep 1
  done
  expect_not_lost "$one_way"
  expect_loss_and_return "$one_way"
  xdotool windowfocus --sync "$window" key q
  wait "$panel" || fail "the panel did not end after Q"
}

walk 0 0
walk 75 0
walk 150 60
echo "PASS"
