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
started=$(date +%s%N)
start_radio 5
for _ in $(seq 100); do tail -n +"$((lost_at + 1))" "$work/sound.log" | grep -q connected && break; sleep 0.05; done
tail -n +"$((lost_at + 1))" "$work/sound.log" | grep -q connected || fail "the returning radio was never announced"
took=$((($(date +%s%N) - started) / 1000000))
echo "announced again after $took ms"
((took <= 5000)) || fail "the returning radio was announced only after $took ms"
grep -q ' ID;' "$work/radio.log" || fail "the new radio was never asked who it is"
grep -q ' FA;' "$work/radio.log" || fail "the new radio is not polled"

xdotool windowfocus --sync "$window" key q
wait "$panel" || fail "the panel did not end after Q"
echo "PASS"
