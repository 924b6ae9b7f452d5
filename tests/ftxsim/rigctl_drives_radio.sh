#!/usr/bin/env bash
# Hamlib's rigctl (Hamlib model 1049, a radio of the same CAT family) driving the simulated
# radio straight on its pseudo-terminal: it must open the radio without waiting out a
# time-out, read and set the frequency and mode, read the S-meter and the transmit state, and
# leave the radio in the state it set.
source "$(dirname "$0")/../integration/lib.sh"

command -v rigctl >/dev/null || fail "rigctl is not installed (Debian package libhamlib-utils)"

# Runs rigctl against the radio with the commands given; a radio that answers every question
# is done within a few seconds, one that leaves Hamlib waiting for answers is not.
rig() { timeout 20 rigctl -m 1049 -r "$work/COM5" -s 38400 "$@"; }

start_radio 5

echo "-- frequency and mode read, set and read back"
# Hamlib changes band with a band select before the frequency, so the radio comes to 20 m in
# the mode its band memory kept there (USB), as a real one does.
started=$SECONDS
got=$(rig f F 14074000 f m M USB 2400 m t) || fail "rigctl failed: $got"
expect_lines "$got" 7100000 14074000 USB 1800 USB 2400 0
((SECONDS - started <= 3)) || fail "rigctl took $((SECONDS - started)) s: the radio left questions unanswered"

echo "-- the radio kept what rigctl set, and reads the S-meter"
got=$(rig f m l STRENGTH) || fail "rigctl failed: $got"
[[ $got =~ ^14074000$'\n'USB$'\n'2400$'\n'-?[0-9]+$ ]] || fail "unexpected answers: $got"

echo "-- transmit switched by rigctl is seen by the radio"
expect_lines "$(rig T 1 t T 0 t)" 1 0
grep -q " 38400 TX1;" "$work/radio.log" || fail "the radio never heard TX1;"

echo "-- raw questions: one the radio does not know is refused; IF tells the radio's state"
expect_lines "$(rig W 'QQ;' ';' W 'IF;' ';')" "?;" "IF000014074000+000000200000;"
echo "PASS"
