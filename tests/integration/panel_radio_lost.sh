#!/usr/bin/env bash
# The radio goes away mid-session (its port closed and the link removed, as a USB cable
# pulled) and the operator hears it once; a radio linked again under the same name is polled
# and announced as at start within 5 s; Q then ends the session as usual.
source "$(dirname "$0")/lib.sh"
start_display
start_radio 5
radio=${pids[-1]}
write_configuration 1 0 1
start_panel 120
wait_until_connected

kill "$radio"
wait "$radio" 2>/dev/null || true
rm -f "$work/COM5"
for _ in $(seq 100); do grep -q 'radiolost' "$work/sound.log" && break; sleep 0.05; done
grep -q 'radiolost' "$work/sound.log" || fail "the operator never heard radio lost"
sleep 3  # retries meanwhile must not say it again
[[ $(grep -c 'radiolost' "$work/sound.log") -eq 1 ]] || fail "radio lost said more than once"

lost_at=$(wc -l <"$work/sound.log")
logged=$(wc -l <"$work/radio.log")
started=$(date +%s%N)
start_radio 5
# Asked who it is, set up as at start, then polled: its first frequency answer starts the
# announcement, which ends with "connected".
new_radio_heard() { tail -n +"$((logged + 1))" "$work/radio.log" | grep -q "$1"; }
for _ in $(seq 400); do new_radio_heard ' FA;' && break; sleep 0.0125; done
took=$((($(date +%s%N) - started) / 1000000))
new_radio_heard ' FA;' || fail "the new radio is not polled"
new_radio_heard ' ID;' || fail "the new radio was never asked who it is"
echo "polled again $took ms after the new radio was linked"
((took <= 5000)) || fail "the returning radio was polled only after $took ms"
heard_since_lost() { tail -n +"$((lost_at + 1))" "$work/sound.log" | grep -q "$1"; }
for _ in $(seq 200); do heard_since_lost connected && break; sleep 0.05; done
heard_since_lost connected || fail "the returning radio was never announced"

xdotool windowfocus --sync "$window" key q
wait "$panel" || fail "the panel did not end after Q"
echo "PASS"
