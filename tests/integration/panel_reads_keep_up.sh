#!/usr/bin/env bash
# A radio floods the line with 1 MB of unasked reports: the panel reads them as fast as they
# come, and within 0.5 s of the flood's end its S-meter shows the radio's own reading again.
source "$(dirname "$0")/lib.sh"
start_display
start_radio 5 --report 'SM0010;' --report-every 100000000 --burst 1048576 --burst-after-ms 6000
write_configuration 1 0 1
start_panel 120
wait_until_connected

for _ in $(seq 6000); do grep -q 'burst ends' "$work/radio.log" && break; sleep 0.01; done
ended=$(date +%s%N)
grep -q 'burst ends' "$work/radio.log" || fail "the panel did not take the flood within 60 s: $(tail -n 3 "$work/radio.log")"
flood_ms=$(grep -E 'burst (of|ends)' "$work/radio.log" | radio_log_ms | awk 'NR == 1 { s = $1 } END { print $1 - s }')
echo "1 MB taken in $flood_ms ms"

# The S-meter figure is drawn silently on every decoded reading ("xx" prompts): the flood's
# readings say S0, the radio's own more. Current again means an S-meter figure above S0
# after the flood's last.
current() { awk '/^xx0\.wav/ { flood = NR } /^xx[1-9]\.wav/ { real = NR } END { exit !(real > flood) }' "$work/sound.log"; }
for _ in $(seq 100); do current && break; sleep 0.01; done
took=$((($(date +%s%N) - ended) / 1000000))
current || fail "the S-meter never came back from the flood's reading: $(tail -n 4 "$work/sound.log")"
echo "readouts current $took ms after the flood"
((took <= 500)) || fail "the readouts were current only $took ms after the flood"

xdotool windowfocus --sync "$window" key q
wait "$panel" || fail "the panel did not end after Q"
echo "PASS"
