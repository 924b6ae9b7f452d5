#!/usr/bin/env bash
# The prompts through a sound server of the test's own (Debian's PulseAudio with a null sink,
# whose monitor is recorded as the operator's ears): the F readout is heard whole, its words
# handed over early never cut. Killed mid-session, Space still keys and unkeys at once and the
# console says once that the sound server has gone; started again, it is found and heard.
# Paused (SIGSTOP) mid-session, keys, Space, a readout and the polls go on, and once resumed it
# is heard again; paused before the panel starts, the panel starts and connects, and is heard
# once the server answers. The radio lost and found again, F pressed as the panel announces it:
# the server runs short of the readout's words nowhere but before its first and after its last.
source "$(dirname "$0")/lib.sh"
command -v pulseaudio >/dev/null && command -v parec >/dev/null || fail "pulseaudio and parec are not installed"
start_display
start_radio 5 --log-epoch
write_configuration 0 0 0 0 "net=0" "knob=0"
export PULSE_SERVER="unix:$work/pulse.socket"
watch_log "PulseAudio's messages" "$work/pulseaudio.log"
watch_log "the panel's console" "$work/panel.err"

start_sound_server() {
  rm -f "$work/pulse.socket"
  mkdir -p "$work/pulse"
  PULSE_RUNTIME_PATH=$work/pulse HOME=$work/pulse XDG_CONFIG_HOME=$work/pulse \
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disallow-exit --log-level=debug \
    -L "module-native-protocol-unix auth-anonymous=1 socket=$work/pulse.socket" \
    -L "module-null-sink sink_name=ears rate=44100" >>"$work/pulseaudio.log" 2>&1 &
  pulse=$!
  for _ in $(seq 200); do pactl info >/dev/null 2>&1 && return 0; sleep 0.05; done
  fail "PulseAudio did not start"
}

# Hundredths of a second from the first to the last audible sample (above 1 % of full scale)
# the ears have recorded.
heard_span() {
  python3 - "$work/heard.raw" <<'PY'
import array, sys
data = open(sys.argv[1], "rb").read()
samples = array.array("h", data[: len(data) // 2 * 2])
loud = [i for i, s in enumerate(samples) if abs(s) > 327]
print((loud[-1] - loud[0]) * 100 // 8000 if loud else 0)
PY
}

# Types F until a whole readout has been heard: "7 point 1 mhz lsb" spans 2.2 s from its first
# sound to its last.
until_a_readout_is_heard() {
  local span=0
  for _ in $(seq 10); do
    [[ -z ${ears:-} ]] || kill "$ears" 2>/dev/null || true
    parec -d ears.monitor --rate=8000 --channels=1 --format=s16le --raw >"$work/heard.raw" &
    ears=$!
    sleep 0.5
    mark
    xdotool key f
    wait_heard lsb
    for _ in $(seq 60); do
      span=$(heard_span)
      ((span >= 215)) && return 0
      sleep 0.1
    done
  done
  fail "no whole readout was heard; the last spanned $span hundredths of a second"
}

said_on_console() { grep -c "$1" "$work/panel.err" || true; }
# How often the server has run out of the panel's words (each start of a pause, and any gap).
ran_short() { grep -c "Implicit underrun of 'prompts'" "$work/pulseaudio.log" || true; }

start_sound_server
start_panel 180 2>"$work/panel.err"
wait_until_connected
xdotool windowfocus --sync "$window"
until_a_readout_is_heard

# The radio lost and found again. Its set-up's reply pauses each let the server run out: the
# words that follow are timed from when it did, so the readout of an F pressed as "connected"
# is said is handed over word by word in time.
mark
kill -STOP "$radio"
wait_heard radiolost
kill -CONT "$radio"
wait_heard connected
before=$(ran_short)
xdotool key f
wait_heard connected 7 point 1 mhz lsb
sleep 0.8  # "lsb" to its end
short=$(($(ran_short) - before))
((short <= 2)) || fail "the server ran short $short times from F to the end of its readout: a gap between the words"
echo "radio found again, then F: the server ran short $short times, before and after the readout"

# Killed mid-session.
kill -9 "$pulse"
key_to_radio space 'TX1;' 1500  # after its words, "tx on"
key_to_radio space 'TX0;' 500
mark
xdotool key f
wait_heard 7 point 1 mhz lsb
kill -0 "$panel" || fail "the panel ended with the sound server"
(($(said_on_console "the sound server has gone") == 1)) ||
  fail "the console did not say once that the sound server went: $(cat "$work/panel.err")"
start_sound_server
until_a_readout_is_heard

# Paused mid-session, then resumed.
kill -STOP "$pulse"
key_to_radio Right 'FA007100100;' 500
mark
xdotool key f
wait_heard mhz lsb
key_to_radio space 'TX1;' 1500  # after its words, "tx on"
key_to_radio space 'TX0;' 500
expect_polls_go_on "the sound server"
kill -CONT "$pulse"
until_a_readout_is_heard
quit_panel

# Paused before the panel starts.
kill -STOP "$pulse"
started=$(date +%s)
start_panel 180 2>"$work/panel.err"
wait_until_connected
(($(date +%s) - started <= 20)) || fail "connected was said $(($(date +%s) - started)) s after the start"
(($(said_on_console "the sound server does not answer") == 1)) ||
  fail "the console did not say once that the sound server does not answer: $(cat "$work/panel.err")"
kill -CONT "$pulse"
xdotool windowfocus --sync "$window"
until_a_readout_is_heard
quit_panel
echo "PASS"
