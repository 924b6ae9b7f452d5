#!/usr/bin/env bash
# portseek run for real against the simulated radio on a pseudo-terminal linked as COM3 that
# answers only at 9600 baud, then the panel started in the same folder reaching the radio
# through the vocapan.cfg portseek wrote. The machine's own serial devices (on these
# machines /dev/ttyS0 is the kernel console) are hidden behind /dev/null in a private mount
# namespace, where they fail to open as serial ports.
source "$(dirname "$0")/../integration/lib.sh"

# Runs portseek in the working folder with $1 as its standard input, recording the prompts
# asked for (the sound log), the console, and the line speeds it set on any port and the
# files it renamed and removed (strace).
run_portseek() {
  rm -f "$work/sound.log"
  local started=$SECONDS
  (cd "$work" && printf '%s' "$1" | VOCAPAN_SOUND_LOG="$work/sound.log" timeout 60 unshare -m sh -c '
      for device in /dev/ttyS* /dev/ttyUSB* /dev/ttyACM*; do
        if [ -e "$device" ]; then mount --bind /dev/null "$device" || exit 97; fi
      done
      exec strace -qq -e trace=ioctl,rename,renameat,renameat2,unlink,unlinkat -o "$1" "$2"' hide-ports "$work/calls.log" "$BIN_DIR/portseek" \
    >"$work/console.txt") || fail "portseek did not end by itself (status $?)"
  echo "portseek ran $((SECONDS - started)) s"
}

prompts_heard() { tr -d '\r' <"$work/sound.log"; }
console_lines() { tr -d '\r' <"$work/console.txt" | tail -n +2; }
# Every line speed set on a serial port, in order.
speeds_set() { grep TCSETS "$work/calls.log" | grep -oE '(c_cflag=|\{)B[0-9]+' | grep -oE '[0-9]+$' || true; }
wave() { for name in "$@"; do printf 'wave\\%s.wav\n' "$name"; done; }
# The number of the first line of the system call log that matches $1.
first_call() { grep -nE "$1" "$work/calls.log" | head -n 1 | cut -d: -f1; }

greeting=(pzkv 1 point 0 pzks fcps)
printf 'com=1\r\nspeed=4800\r\n0\r\n\r\n2\r\n' >"$work/pendra.cfg"
start_radio 3 --only-baud 9600

echo "-- q ends the search at once, silently, touching no file"
run_portseek q
expect_lines "$(prompts_heard)" "$(wave "${greeting[@]}")"
expect_lines "$(console_lines)" ""
expect_lines "$(od -c "$work/pendra.cfg")" "$(printf 'com=1\r\nspeed=4800\r\n0\r\n\r\n2\r\n' | od -c)"
[[ ! -e $work/vocapan.cfg ]] || fail "vocapan.cfg was written after q"

echo "-- the radio is found on COM3 at 9600 baud, pendra.cfg is rewritten and vocapan.cfg written"
run_portseek ""
expect_lines "$(console_lines)" "Com: 3 "
# The last speeds set on COM3, repeats merged: the probes from 115200 down to 9600 in order.
expect_lines "$(speeds_set | uniq | tail -n 5)" 115200 57600 38400 19200 9600
expect_lines "$(prompts_heard)" "$(wave "${greeting[@]}" delay delay delay delay delay delay delay delay delay delay \
  radiofound 3 speed 9 6 0 0 baud delay delay cfuep)"
[[ ! -e $work/pendra.cfg ]] || fail "pendra.cfg is still there beside the rewritten file"
expect_lines "$(od -c "$work/PENDRA.cfg")" "$(printf 'com=3\r\nspeed=9600\r\n0\r\n2\r\n' | od -c)"
# The new file has its name before the old one of the other name goes.
placed=$(first_call 'rename.*"PENDRA\.cfg\.tmp".*"PENDRA\.cfg"')
removed=$(first_call 'unlink.*"pendra\.cfg"')
[[ -n $placed && -n $removed ]] && ((placed < removed)) ||
  fail "pendra.cfg went before PENDRA.cfg was in place: $(grep -E 'rename|unlink' "$work/calls.log")"
# No vocapan.cfg was there: the package's example with the port and speed found.
expect_lines "$(od -c "$work/vocapan.cfg")" \
  "$({ printf 'com=3\nspeed=9600\n'; tail -n +3 "$(dirname "$0")/../../package/vocapan.cfg"; } | sed 's/$/\r/' | od -c)"

echo "-- the panel started next in the same folder reaches the radio with no edit in between"
start_display
start_panel 60
wait_until_connected
xdotool windowfocus --sync "$window" key q
wait "$panel" || fail "the panel did not end after Q"

echo "-- without a radio the search ends in radio not found"
kill "${pids[@]}"
wait 2>/dev/null || true
pids=()
rm -f "$work/COM3"
run_portseek ""
expect_lines "$(prompts_heard)" "$(wave "${greeting[@]}" rnf)"
expect_lines "$(console_lines)" ""
echo "PASS"
