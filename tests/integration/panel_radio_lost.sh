#!/usr/bin/env bash
# The radio goes away mid-session (its port closed and the link removed, as a USB cable
# pulled) and the operator hears it once; a radio linked again under the same name is polled
# and announced as at start within 5 s; Q then ends the session as usual.
source "$(dirname "$0")/lib.sh"
start_display
start_radio 5
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

expect_radio_back 5000 start_radio 5

quit_panel
echo "PASS"
