#!/usr/bin/env bash
# A digital-mode program's view of the panel: Debian's Hamlib, as rig model 2 ("NET rigctl"),
# reads and sets frequency, mode, split, transmit and the S-meter through the panel's network
# port, each exchange well within 0.3 s; the radio hears the panel's own commands for them,
# the operator hears the new frequency and mode, two programs are served at once, the poll
# keeps its 100 ms while a program reads the frequency ten times a second, a program is
# answered while the panel speaks, ::1 is served as 127.0.0.1 is, and WSJT-X's exchange with
# split "Rig" works the two VFOs.
source "$(dirname "$0")/lib.sh"
command -v rigctl >/dev/null || fail "rigctl (libhamlib-utils) is not installed"
start_display
start_radio 5
write_configuration 0 0 1
port=$(free_tcp_port)
printf 'net=%s\r\n' "$port" >>"$work/vocapan.cfg"

start_panel 120
wait_until_connected
# The panel answers once it has finished speaking: the sound log names a prompt as it starts.
sleep 1

# Runs one rigctl call; its output goes to $answer, its time in milliseconds to $took.
rig() {
  local start end
  start=$(date +%s%N)
  answer=$(timeout 5 rigctl -m 2 -r "127.0.0.1:$port" "$@") || fail "rigctl $* failed: $answer"
  end=$(date +%s%N)
  took=$(((end - start) / 1000000))
  ((took <= 300)) || fail "rigctl $* took $took ms"
  timings+=("$*: $took ms")
}
timings=()
# The first call loads Hamlib from disk; its time says nothing about the panel.
timeout 10 rigctl -m 2 -r "127.0.0.1:$port" v >/dev/null || fail "rigctl could not open the panel"

# Waits until the operator has heard the words given, in order, after what was heard before.
heard_since() {
  tail -n +"$1" "$work/sound.log" | grep '^wave' | sed -e 's/^wave\\//' -e 's/\.wav$//' | tr '\n' ' '
}
wait_to_hear() {
  local from=$1 words=$2
  for _ in $(seq 200); do
    if [[ $(heard_since "$from") == *"$words"* ]]; then
      sleep 1  # the last word is still being spoken
      return
    fi
    sleep 0.05
  done
  fail "the operator did not hear '$words' but: $(heard_since "$from")"
}
sound_lines() { wc -l <"$work/sound.log"; }

rig f
expect_lines "$answer" 7100000

# While the panel speaks the change, another program opens the panel and reads its VFO in
# well under 0.3 s: the readout has not ended when the answer comes.
before=$(($(sound_lines) + 1))
rig F 14074000
for _ in $(seq 300); do [[ $(heard_since "$before") == "1 "* ]] && break; sleep 0.01; done
[[ $(heard_since "$before") == "1 "* ]] || fail "the readout did not begin: $(heard_since "$before")"
rig v
expect_lines "$answer" VFOA
[[ $(heard_since "$before") != *lsb* ]] || fail "v was answered only after the readout: $(heard_since "$before")"
wait_to_hear "$before" "1 4 point 0 7 4 mhz lsb"
rig f
expect_lines "$answer" 14074000

rig m
expect_lines "$answer" LSB 2400
before=$(($(sound_lines) + 1))
rig M USB 2400
wait_to_hear "$before" "1 4 point 0 7 4 mhz usb"
rig m
expect_lines "$answer" USB 2400

# Each change is spoken after its answer; the next call waits for the words to end. (A
# program's split is its own and ends with the program: a call of its own does nothing.)
before=$(($(sound_lines) + 1))
rig T 1
wait_to_hear "$before" "tx on"
rig t
expect_lines "$answer" 1
before=$(($(sound_lines) + 1))
rig T 0
wait_to_hear "$before" "tx off"

rig l STRENGTH
[[ $answer =~ ^-?[0-9]+$ ]] || fail "l STRENGTH answered '$answer'"

# The radio heard the panel's commands for each change, in order.
changes=$(awk '{ print $3 }' "$work/radio.log" | tr -d '\r' | grep -E '^(F[AB]014074000|MD02|ST[01]|TX[01]);$')
expect_lines "$changes" 'FA014074000;' 'MD02;' 'TX1;' 'TX0;'

echo "-- over IPv6 loopback"
answer=$(timeout 5 rigctl -m 2 -r "[::1]:$port" f) || fail "rigctl over ::1 failed: $answer"
expect_lines "$answer" 14074000

# Two programs at once, each reading the frequency ten times a second for three seconds,
# while the radio's polls are timed.
poll_from=$(($(wc -l <"$work/radio.log") + 1))
reader() { for _ in $(seq 30); do echo f; sleep 0.1; done | timeout 20 rigctl -m 2 -r "127.0.0.1:$port" -; }
reader >"$work/reader1.txt" &
first=$!
reader >"$work/reader2.txt" &
second=$!
wait "$first" || fail "the first reader failed: $(cat "$work/reader1.txt")"
wait "$second" || fail "the second reader failed: $(cat "$work/reader2.txt")"
for output in "$work/reader1.txt" "$work/reader2.txt"; do
  count=$(grep -c '^f 14074000$' "$output" || true)
  ((count == 30)) || fail "a reader got $count of 30 frequencies: $(cat "$output")"
done
spacing=$(tail -n +"$poll_from" "$work/radio.log" | grep -E ' (FA|SM0);' | awk '
  { split($1, t, ":"); ms = (t[1] * 3600 + t[2] * 60 + t[3]) * 1000
    if (NR > 1) { total += ms - last; n++ } last = ms }
  END { printf "%.1f", total / n }')
awk -v s="$spacing" 'BEGIN { exit !(s >= 95 && s <= 105) }' || fail "polls were $spacing ms apart while programs read"

echo "-- WSJT-X's sequence with split Rig: open, poll, split on VFO B, transmit, goodbye"
mark
# (Hamlib reads VFO B by f, not i, when frequencies are targetable; the radio's log shows it.)
# A program's transmit on reaches the radio while the panel speaks the split and the new
# frequency; WSJT-X unkeys seconds later, by a call of its own.
sequence=(v s f m t 'S 1 VFOB' 'I 14076000' 'X USB 2400' x 'F 14074500' f 'T 1' t q)
answer=$(printf '%s\n' "${sequence[@]}" | timeout 20 rigctl -m 2 -r "127.0.0.1:$port" - 2>"$work/wsjtx.err") ||
  fail "the sequence failed: $answer $(cat "$work/wsjtx.err")"
expect_lines "$(sed -e 's/ *$//' -e '/^$/d' <<<"$answer")" 'v VFOA' 's 0' VFOA 'f 14074000' 'm USB' 2400 't 0' \
  'S 1 VFOB' 'I 14076000' 'X USB 2400' 'x USB' 2400 'F 14074500' 'f 14074500' 'T 1' 't 1' q
# The goodbye comes in the same burst as the split: a program's split goes with the program,
# so only its frequency and its transmit on reach the radio.
expect_sent_in_order FA014074500 TX1
answer=$(printf '%s\n' 'T 0' q | timeout 20 rigctl -m 2 -r "127.0.0.1:$port" - 2>"$work/wsjtx.err") ||
  fail "transmit off failed: $answer $(cat "$work/wsjtx.err")"
expect_lines "$(sed -e 's/ *$//' -e '/^$/d' <<<"$answer")" 'T 0' q
expect_sent_in_order FA014074500 TX1 TX0

# Milliseconds since midnight now, as the radio's log counts them.
now_ms() { date +%H:%M:%S.%3N | radio_log_ms; }
# The radio's time of the first $1 it heard after line $2 of its log.
heard_ms() { tail -n +"$(($2 + 1))" "$work/radio.log" | grep -m 1 -F " $1" | radio_log_ms; }

echo "-- a program's frequency while the operator's F readout plays"
xdotool windowfocus --sync "$window"
wait_polls
mark
xdotool key f
for _ in $(seq 100); do [[ $(heard_since "$((heard_mark + 1))") == "1 "* ]] && break; sleep 0.02; done
asked=$(now_ms)
rig F 14075000
wait_sent 'FA014075000;'
took=$(($(heard_ms 'FA014075000;' "$marked") - asked))
((took <= 300)) || fail "the radio heard the program's frequency $took ms after it was sent, during the readout"
timings+=("radio heard F during the readout after: $took ms")
[[ $(heard_since "$((heard_mark + 1))") != *usb* ]] || fail "the readout had ended before the frequency was sent"
wait_to_hear "$((heard_mark + 1))" "1 4 point 0 7 5 mhz usb"
rig f
expect_lines "$answer" 14075000

echo "-- a program's split: the operator's Right tunes VFO A; the split ends with the program"
exec {to_program}> >(timeout 60 rigctl -m 2 -r "127.0.0.1:$port" - >"$work/split-program.txt" 2>&1)
mark
echo 'S 1 VFOB' >&"$to_program"
echo 'I 14076000' >&"$to_program"
wait_sent 'FB014076000;'
wait_to_hear "$((heard_mark + 1))" "split"
press Right -- 'FA014075100;'
mark
asked=$(now_ms)
exec {to_program}>&-
wait_sent 'ST0;'
took=$(($(heard_ms 'ST0;' "$marked") - asked))
((took <= 1000)) || fail "split ended $took ms after the program closed its connection"
timings+=("ST0 after the program closed: $took ms")

"$BIN_DIR/x_close_window" "$window"
wait "$panel" || fail "the panel did not end after the close request"
echo "PASS (polls $spacing ms apart; ${timings[*]})"
