#!/usr/bin/env bash
# Runs the panel against the simulated radio: installs and builds what is missing, lays out
# a working folder demo/ (configuration, prompts, COM5 linked to the simulated radio),
# starts ftxsim there and then the panel. Quit the panel with Q or its close button.
# Without a display the panel runs on a virtual one and a short tour types real keys into it
# (band, Up/Down, a typed frequency, mode, width, a function key, quit), printing for each
# what the panel said and what the radio received.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)

scripts/setup.sh demo
VOCAPAN_TESTS=OFF scripts/build.sh vocapan ftxsim prompts

demo="$top/demo"
mkdir -p "$demo"
rm -rf "$demo/wave"
cp -r build/wave "$demo/wave"
# The panel's configuration, by line: port, speed, SWR option, tuner, power off on quit,
# the repeater shifts of 10 m, 6 m, 2 m and 70 cm, relay port (none), debug transcript (on).
printf '%s\r\n' "com=5" "speed=38400" "swr=0" "tun=1" "pwroff=0" "rep10=-100" "rep6=-1000" \
  "rep2=-0600" "rep70=-5000" "relay=0" "debug=1" > "$demo/vocapan.cfg"

cleanup() {
  [[ -n ${radio_pid:-} ]] && kill "$radio_pid" 2>/dev/null || true
  [[ -n ${display_pid:-} ]] && kill "$display_pid" 2>/dev/null || true
}
trap cleanup EXIT

build/bin/ftxsim --link "$demo/COM5" --log "$demo/radio.log" &
radio_pid=$!
for _ in $(seq 50); do [[ -e $demo/COM5 ]] && break; sleep 0.1; done

if [[ -n ${DISPLAY:-} ]]; then
  echo "demo: the panel is running in $demo; the radio's log is $demo/radio.log"
  (cd "$demo" && "$top/build/bin/vocapan")
  echo "demo: the panel has ended; the traffic is in $demo/debug.dat"
  exit 0
fi

Xvfb :77 -noreset >/dev/null 2>&1 &
display_pid=$!
export DISPLAY=:77
echo "demo: no display found; a tour of the panel on a virtual display (:77)"

sounds="$demo/sound.log"
: >"$sounds"
(cd "$demo" && VOCAPAN_SOUND_LOG="$sounds" "$top/build/bin/vocapan") 2>/dev/null &
panel_pid=$!
window=$(timeout 30 xdotool search --sync --name "Vocapan Front Panel" | awk "NR == 1")
for _ in $(seq 600); do grep -q connected "$sounds" && break; sleep 0.1; done
xdotool windowfocus --sync "$window"

# What the panel said and what the radio received since the line counts in $1 and $2; the
# radio's polls ("FA;", "SM0;") are left out.
said_since() { tail -n +"$(($1 + 1))" "$sounds" | sed -n 's/^wave.\(.*\)\.wav$/\1/p' | tr '\n' ' '; }
received_since() {
  tail -n +"$(($1 + 1))" "$demo/radio.log" | tr -d '\r' | cut -d' ' -f3- | grep -vxE 'FA;|SM0;|RM6;' | tr '\n' ' '
}

# Types the keys, waits until the panel has been quiet for a second, and shows what happened.
tour() {
  local what=$1
  shift
  local heard sent
  heard=$(wc -l <"$sounds")
  sent=$(wc -l <"$demo/radio.log")
  xdotool key --delay 200 "$@"
  local last="" now quiet=0
  while ((quiet < 4)) && kill -0 "$panel_pid" 2>/dev/null; do
    sleep 0.3
    now="$(said_since "$heard")|$(received_since "$sent")"
    if [[ $now == "$last" ]]; then quiet=$((quiet + 1)); else quiet=0; fi
    last=$now
  done
  printf '\n%s (keys: %s)\n  panel said:     %s\n  radio received: %s\n' "$what" "$*" \
    "$(said_since "$heard")" "$(received_since "$sent")"
}

tour "Band 20 m" b 6
tour "Up: 1 kHz higher" Up
tour "Down: 1 kHz lower" Down
tour "A frequency typed in MHz" e 1 4 period 0 7 4 Return
tour "The next mode" m
tour "Filter width, one step wider" w Up
tour "Noise blanker on" F3
tour "Quit" q
wait "$panel_pid" || true
echo
echo "demo: the tour has ended; the whole traffic is in $demo/radio.log"
