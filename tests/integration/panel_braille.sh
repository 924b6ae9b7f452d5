#!/usr/bin/env bash
# The panel on a braille display through Debian's BRLTTY, whose terminal braille driver draws
# the display on a pseudo-terminal (braille_terminal.py reads the rows it draws and types the
# display's keys there). The frequency line as the window shows it at start and after a
# tuning key; F's words, then the frequency line again about 4 s later; line down shows the
# mode line. BRLTTY killed with the transmitter keyed: Space unkeys within 0.3 s, and BRLTTY
# started again shows the panel within 3 s. BRLTTY paused: Right and Space unkeying reach the
# radio within 0.3 s, Space keying within 0.3 s of the time it takes with BRLTTY running (its
# words come first); resumed, BRLTTY shows the row written as it was paused, then what is
# latest, and none of the phrases said in between.
source "$(dirname "$0")/lib.sh"
command -v brltty >/dev/null || fail "brltty is not installed"
start_display
start_radio 5 --log-epoch
write_configuration 0 0 0

watch_log "the braille display's rows" "$work/braille.log"
watch_log "the braille terminal's messages" "$work/terminal.err"
watch_log "BRLTTY's messages" "$work/brltty.err"
python3 "$(dirname "$0")/braille_terminal.py" "$work/braille.tty" "$work/braille.log" "$work/braille.keys" \
  2>"$work/terminal.err" &
pids+=($!)
for _ in $(seq 100); do [[ -s $work/braille.tty ]] && break; sleep 0.05; done
[[ -s $work/braille.tty ]] || fail "no pseudo-terminal for the braille driver: $(cat "$work/terminal.err")"
touch "$work/braille.log"

# BrlAPI's "HOST:N" is TCP port 4101 + N.
port=$(free_tcp_port)
export BRLAPI_HOST="127.0.0.1:$((port - 4101))" BRLAPI_AUTH=none
start_brltty() {
  brltty -n -e -q -f /dev/null -b tt -d "$(cat "$work/braille.tty")" -B lines=1,columns=40,term=vt100 \
    -x no -s no -A "host=$BRLAPI_HOST,auth=none" 2>>"$work/brltty.err" &
  brltty=$!
  pids+=("$brltty")
}

rows() { wc -l <"$work/braille.log"; }
# The rows drawn after the first $1, without their times.
rows_since() { tail -n +"$(($1 + 1))" "$work/braille.log" | cut -d' ' -f2-; }
# Waits (at most 20 s) for a row that is all of the pattern $2, drawn after the first $1 rows;
# prints the time it was drawn.
wait_row() {
  local from=$1 pattern=$2 at
  for _ in $(seq 400); do
    at=$(tail -n +"$((from + 1))" "$work/braille.log" | grep -m1 -E "^[0-9.]+ ($pattern)\$" | cut -d' ' -f1 || true)
    [[ -n $at ]] && echo "$at" && return 0
    sleep 0.05
  done
  fail "the display never showed '$2'"
}
# Fails unless the seconds from $1 to $2 lie between $3 and $4.
expect_seconds() {
  awk -v a="$1" -v b="$2" -v low="$3" -v high="$4" 'BEGIN { d = b - a; exit !(d >= low && d <= high) }' ||
    fail "$5: $(awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", b - a }') s, not $3 to $4 s"
}

start_brltty
start_panel 180
wait_until_connected
xdotool windowfocus --sync "$window"

# At start, once the start-up words have had their time: the frequency line.
wait_row 0 '7\.100000' >/dev/null
echo "at start: 7.100000"
from=$(rows)
key_to_radio Right 'FA007100100;' 1000
wait_row "$from" '7\.100100' >/dev/null
echo "after Right: 7.100100"

from=$(rows)
xdotool key f
words=$(wait_row "$from" 'seven point one .*megahertz( LSB)?')
back=$(wait_row "$from" '7\.100100')
# Both rows reach the display the same way, each through BRLTTY's own drawing cycle: on a busy
# machine either may be drawn a few tenths of a second late.
expect_seconds "$words" "$back" 3.5 4.8 "the frequency line came back after F's words"
echo "F: $(rows_since "$from" | head -n 1), then the frequency line $(awk -v a="$words" -v b="$back" 'BEGIN { printf "%.2f", b - a }') s later"

from=$(rows)
printf '\033OB' >"$work/braille.keys"
wait_row "$from" 'LSB( .*)?' >/dev/null
printf '\033OA' >"$work/braille.keys"
wait_row "$from" '7\.100100' >/dev/null
echo "line down: $(rows_since "$from" | head -n 1); line up: the frequency line"

# Space says "tx on" before it keys the radio: how long that takes with BRLTTY running.
pressed=$(now)
xdotool key space
keyed_in=$(ms_until_logged "$pressed" 'TX1;')
echo "space: TX1; after $keyed_in ms, its words first"

# Killed with the transmitter keyed, then started again.
kill -KILL "$brltty"
wait "$brltty" 2>/dev/null || true
key_to_radio space 'TX0;' 300
kill -0 "$panel" || fail "the panel ended with BRLTTY"
from=$(rows)
started=$(now)
start_brltty
# Within 4 s of Space its words are still on show; the frequency line follows them.
shown=$(wait_row "$from" 'transmit off|7\.100100')
expect_seconds "$started" "$shown" 0 3 "BRLTTY started again showed the panel"
wait_row "$from" '7\.100100' >/dev/null
echo "BRLTTY started again: the panel on the display after $(awk -v a="$started" -v b="$shown" 'BEGIN { printf "%.2f", b - a }') s"

# Paused: the keys, the transmitter and the polls go on. F's words, then S's twice, are said
# meanwhile: S's first are said once F's have ended, and its second once its first have.
kill -STOP "$brltty"
key_to_radio Right 'FA007100200;' 300
key_to_radio space 'TX1;' $((keyed_in + 300))
key_to_radio space 'TX0;' 300
mark
xdotool key f s s
for _ in $(seq 400); do (($(heard_since_mark | grep -cx 's') >= 2)) && break; sleep 0.05; done
(($(heard_since_mark | grep -cx 's') >= 2)) || fail "F S S were not said: $(heard_since_mark | tr '\n' ' ')"
from=$(rows)
kill -CONT "$brltty"
wait_row "$from" 'S [a-z].*' >/dev/null
wait_row "$from" '7\.100200' >/dev/null
# The first row is the one written as BRLTTY was paused, before the panel could know.
resumed=$(rows_since "$from" | tail -n +2 | tr '\n' '|')
[[ $resumed != *megahertz* && $resumed != *transmit* ]] ||
  fail "resumed, BRLTTY showed phrases said before the last: $resumed"
echo "BRLTTY resumed: $(rows_since "$from" | head -n 1), then $resumed"

quit_panel
echo "PASS"
