#!/usr/bin/env bash
# With a good configuration the panel window has its title, place and size, and the window
# manager's close request ends the program through the shutdown: memories saved, port closed.
source "$(dirname "$0")/lib.sh"
start_display
start_radio 5
write_configuration 1 0 1

title="*** Vocapan Front Panel v3.5e ***"
start_panel 60
info=$(xwininfo -id "$window")
grep -qF "\"$title\"" <<<"$info" || fail "window title: $info"
for expected in "Absolute upper-left X:  250" "Absolute upper-left Y:  100" "Width: 950" "Height: 500"; do
  grep -qF "$expected" <<<"$info" || fail "window geometry, expected '$expected' in: $info"
done

# Let the start-up finish (the radio is queried while the prompts play), then close.
for _ in $(seq 200); do grep -q "TX=VS0;" "$work/debug.dat" 2>/dev/null && break; sleep 0.05; done
sleep 1
"$BIN_DIR/x_close_window" "$window"
wait "$panel" || fail "the panel did not end after the close request"

[[ $(grep -c $'\r$' "$work/savmem.dat") -eq 115 ]] || fail "savmem.dat was not saved with 115 lines"
expect_lines "$(sed -n '1p;5p;16p;115p' "$work/savmem.dat" | tr -d '\r')" \
  "VOCAPAN v3.5b 3.5e 40" "01A007100000B0071000009990" "9" "9"
[[ $(cat "$work/memory.txt") == $'Memory Bank Information\r\n  \r\nEmpty\r' ]] ||
  fail "memory.txt: $(od -c "$work/memory.txt" | head -3)"
grep -q "VS0;" "$work/radio.log" || fail "the radio never heard VS0"
sed -n '1p' "$work/debug.dat" | grep -qE '^VOCAPAN 3\.5e  [0-9]{2}-[0-9]{2}-[0-9]{4}   [0-9]{2}:[0-9]{2}:[0-9]{2}'$'\r''$' ||
  fail "debug.dat header: $(sed -n '1p' "$work/debug.dat" | od -c | head -3)"
expect_lines "$(sed -n '2,3p' "$work/debug.dat" | tr -d '\r')" "Comport= 5  Speed= 38400 Baud" "TX=VS0;"
echo "PASS"
