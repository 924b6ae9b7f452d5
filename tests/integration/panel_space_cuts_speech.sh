#!/usr/bin/env bash
# Space on a keyed transmitter is never held behind what the panel is saying. With the real
# prompts in the first voice and in the fastest, Space pressed 0.1 s and 1.0 s into the F
# readout unkeys the radio within 0.5 s; the rest of the readout is not said, and "tx off"
# follows.
source "$(dirname "$0")/lib.sh"
start_display
cp -r "$WAVE_DIR/../wave3" "$work/wave3"
start_radio 5 --log-epoch

for voice in 1 3; do
  write_configuration 0 0 0
  printf '%s\r\n' "net=0" "knob=0" "voice=$voice" >>"$work/vocapan.cfg"
  rm -f "$work/sound.log"
  start_panel 120
  wait_until_connected
  xdotool windowfocus --sync "$window"
  for into in 0.1 1.0; do
    keyed=$(now)
    xdotool key space
    wait_logged_after "$keyed" 'TX1;'
    heard_before=$(wc -l <"$work/sound.log")
    xdotool key f
    sleep "$into"
    pressed=$(now)
    xdotool key space
    took=$(ms_until_logged "$pressed" 'TX0;')
    ((took <= 500)) || fail "voice $voice: TX0 reached the radio $took ms after Space, $into s into the readout"
    for _ in $(seq 200); do tail -n 1 "$work/sound.log" | grep -q 'off.wav' && break; sleep 0.05; done
    heard=$(tail -n +"$((heard_before + 1))" "$work/sound.log" | sed 's/.*\\//; s/\.wav$//' | tr '\n' ' ')
    [[ $heard == *"tx off " ]] || fail "voice $voice: after Space the operator heard: $heard"
    # In the first voice the readout lasts 2.3 s, so it was cut before its mode was said.
    if [[ $voice == 1 && $heard == *lsb* ]]; then fail "the readout went on after Space: $heard"; fi
    echo "voice $voice, Space $into s into the readout: TX0 after $took ms; heard: $heard"
  done
  xdotool key q
  wait "$panel" || fail "the panel did not end after Q"
done
echo "PASS"
