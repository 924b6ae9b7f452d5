#!/usr/bin/env bash
# Measures what the panel costs the operator's machine while it polls the radio: the real
# Linux panel against the simulated radio on a pseudo-terminal, on a virtual X display of its
# own, after the radio's connection announcement. Prints, per program measured:
#   CPU of one core taken by the program and by the X server, peak resident memory,
#   commands per second on the serial line, the poll cadence (interval between polls),
#   and the time from a key press to its first command byte beyond the prompts played
#   before that byte.
# The key is typed through the X test extension and stamped just before the press; its
# command is the first command after the press that is not a poll. The prompts the panel
# started between the press and that command (from its sound log, with start times) are
# subtracted at their recorded length (sox's soxi), so what remains is the panel's own delay.
# With ser2net installed the panel is measured a second time reaching the same simulated
# radio through Debian's ser2net on 127.0.0.1 (configuration line 15), as a radio at a remote
# station is reached, beside the panel on the local port.
#
# Then the web page (line 18): one panel serving it, measured first with no page open, then with
# one page open and reading in Debian's headless Chromium, side by side: the panel's CPU, its
# resident memory at the end of each window and the poll cadence.
#
# Then the sound: on a PulseAudio server of its own with a null sink, recorded from the sink's
# monitor (parec), the panel's key-to-sound (F typed, the readout's first prompt) against a
# reference client's write-to-sound (tools/bench/sound_stamp: SDL, 256-frame buffer, a tone
# that is loud from its first sample), presses of both taking turns in one recording, so that
# the recording's own delay is the same for both and cancels in the difference. The panel's
# onset is the first sample above 1 % of full scale, less where that sample lies in the prompt
# file. With --busy, both cores are kept busy meanwhile and the readouts go on for SECONDS.
# The panel's stream runs dry at the end of every readout; an underrun the server reports of it
# between a readout's first word and the end of its last is a gap in what the operator hears.
#
# usage: scripts/bench.sh [SECONDS] [--before BIN_DIR] [--keys N] [--key KEYSYM] [--no-flrig] [--no-ser2net]
#                         [--sound-only] [--sound-presses N] [--busy SECONDS] [--no-sound] [--web-only] [--no-web]
#   SECONDS   length of each measurement window (default 20)
#   --before  a folder holding an older vocapan to measure in the same run, side by side
#   --keys    key presses measured per panel (default 5); the quit key ends the panel, so
#             each press after the first needs a panel started afresh (about 10 s each)
#   --key     the X name of the key typed (default q, the quit key)
#   --no-flrig  leave out the comparison with flrig (run when flrig is installed and
#             FLRIG_RADIO holds flrig's own name of a radio of the same CAT family;
#             FLRIG_RADIO_ID is the identity that radio answers, 0761 unless given)
#   --no-ser2net  leave out the panel through ser2net (run when ser2net is installed)
#   --sound-only  measure only the sound; --no-sound leave it out
#   --web-only  measure only the web page; --no-web leave it out (run when chromium is installed)
#   --sound-presses  presses of the panel's key and of the reference each (default 20)
#   --busy    seconds of readouts with both cores kept busy, counting underruns (default 0: none)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

seconds=20
before=""
keys=5
key=q
with_flrig=1
with_ser2net=1
polling=1
web=1
sound=1
sound_presses=20
busy=0
while (($#)); do
  case $1 in
    --before) before=$(cd "$2" && pwd); shift 2 ;;
    --keys) keys=$2; shift 2 ;;
    --key) key=$2; shift 2 ;;
    --no-flrig) with_flrig=0; shift ;;
    --no-ser2net) with_ser2net=0; shift ;;
    --sound-only) polling=0 web=0; shift ;;
    --no-sound) sound=0; shift ;;
    --web-only) polling=0 sound=0; shift ;;
    --no-web) web=0; shift ;;
    --sound-presses) sound_presses=$2; shift 2 ;;
    --busy) busy=$2; shift 2 ;;
    [0-9]*) seconds=$1; shift ;;
    *) echo "usage: scripts/bench.sh [SECONDS] [--before BIN_DIR] [--keys N] [--key KEYSYM] [--no-flrig] [--no-ser2net]" \
         "[--sound-only] [--sound-presses N] [--busy SECONDS] [--no-sound] [--web-only] [--no-web]" >&2
       exit 2 ;;
  esac
done

scripts/setup.sh >/dev/null
scripts/build.sh vocapan ftxsim key_stamp sound_stamp prompts >/dev/null
bin=$root/build/bin
wave=$root/build/wave

work=$(mktemp -d "${TMPDIR:-/tmp}/vocapan-bench-XXXXXX")
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  if [[ -n ${BENCH_KEEP:-} ]]; then echo "bench: kept $work" >&2; else rm -rf "$work"; fi
}
trap cleanup EXIT

fail() {
  echo "bench: $*" >&2
  exit 1
}

now() { date +%s.%6N; }

# CPU time of a process, all its threads, in nanoseconds.
cpu_ns() {
  cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ sum += $1 } END { printf "%d\n", sum }'
}

# A virtual display of its own in folder $1; sets xvfb and exports DISPLAY.
start_display() {
  Xvfb -displayfd 9 -noreset -screen 0 1280x1024x24 9>"$1/display.number" 2>"$1/xvfb.log" &
  xvfb=$!
  pids+=("$xvfb")
  for _ in $(seq 100); do [[ -s $1/display.number ]] && break; sleep 0.05; done
  [[ -s $1/display.number ]] || fail "Xvfb did not start: $(cat "$1/xvfb.log")"
  export DISPLAY=":$(cat "$1/display.number")"
}

# The simulated radio linked as COM5 in folder $1, its log with epoch times; more options follow.
# It runs ahead of the busy cores, as a radio is hardware of its own that a busy computer never
# slows.
start_radio() {
  local folder=$1
  shift
  nice -n -10 "$bin/ftxsim" --link "$folder/COM5" --log "$folder/radio.log" --log-epoch "$@" >/dev/null 2>"$folder/ftxsim.err" &
  radio=$!
  pids+=("$radio")
  for _ in $(seq 100); do [[ -e $folder/COM5 ]] && break; sleep 0.05; done
  [[ -e $folder/COM5 ]] || fail "ftxsim did not link COM5: $(cat "$folder/ftxsim.err")"
}

stop() {
  local pid
  for pid in "$@"; do kill "$pid" 2>/dev/null || true; done
  for pid in "$@"; do wait "$pid" 2>/dev/null || true; done
}

# Waits until the log in $1 holds a line matching $2 (at most $3 seconds).
wait_for_line() {
  local deadline=$((SECONDS + $3))
  until grep -q "$2" "$1" 2>/dev/null; do
    ((SECONDS < deadline)) || return 1
    sleep 0.02
  done
}

# A TCP port of 127.0.0.1 that nothing listens on.
free_tcp_port() {
  local candidate
  for _ in $(seq 50); do
    candidate=$((20000 + RANDOM % 40000))
    (exec 3<>"/dev/tcp/127.0.0.1/$candidate") 2>/dev/null || { echo "$candidate"; return; }
  done
  fail "no free TCP port found"
}

# ser2net in folder $1 serving its COM5 raw on 127.0.0.1, and line 15 of the panel's
# configuration naming it; sets server.
start_serial_server() {
  local folder=$1 port
  port=$(free_tcp_port)
  printf 'connection: &radio\n  accepter: tcp,127.0.0.1,%s\n  connector: serialdev,%s,38400n81,local\n' \
    "$port" "$folder/COM5" >"$folder/ser2net.yaml"
  ser2net -n -d -c "$folder/ser2net.yaml" -P "$folder/ser2net.pid" >"$folder/ser2net.log" 2>&1 &
  server=$!
  pids+=("$server")
  for _ in $(seq 100); do (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break; sleep 0.05; done
  printf '%s\r\n' "net=0" "knob=0" "" "remote=127.0.0.1:$port" >>"$folder/vocapan.cfg"
}

# A panel session in folder $1 with the vocapan of folder $2, through ser2net when $3 says
# so, serving its web page on a free port (sets web_port) when $3 says web; sets panel. It is connected once the first S-meter poll goes out, which follows the
# connection announcement.
server=""
start_panel() {
  local folder=$1 panel_bin=$2 through=${3:-}
  mkdir -p "$folder"
  cp -r "$wave" "$folder/wave"
  printf '%s\r\n' "com=5" "speed=38400" "swr=0" "tun=0" "pwroff=0" "rep10=-100" "rep6=-1000" "rep2=-0600" \
    "rep70=-7600" "relay=0" "debug=0" >"$folder/vocapan.cfg"
  start_display "$folder"
  start_radio "$folder"
  server=""
  [[ $through != ser2net ]] || start_serial_server "$folder"
  if [[ $through == web ]]; then
    web_port=$(free_tcp_port)
    printf '%s\r\n' "net=0" "knob=0" "" "" "" "" "web=$web_port" >>"$folder/vocapan.cfg"
  fi
  (cd "$folder" && VOCAPAN_SOUND_LOG="$folder/sound.log" VOCAPAN_SOUND_LOG_TIMES=1 exec "$panel_bin/vocapan" >"$folder/vocapan.out" 2>"$folder/vocapan.err") &
  panel=$!
  pids+=("$panel")
  wait_for_line "$folder/radio.log" ' SM0;' 60 || fail "$panel_bin/vocapan never polled the S-meter"
}

# Lines of the radio log from epoch $2 to $3 whose command matches $4.
log_between() {
  awk -v from="$2" -v to="$3" -v pattern="$4" '$1 >= from && $1 <= to && $0 ~ pattern' "$1"
}

# The value at percentile $1 of the numbers on standard input.
percentile() {
  sort -g | awk -v p="$1" '{ v[NR] = $1 } END { if (NR) print v[int(NR * p / 100 + 0.999)]; else print "nan" }'
}

# median, p95 and max of the intervals between the stamps on standard input, in ms, and how
# far from 100 ms 95 % of them stay.
cadence() {
  local intervals
  intervals=$(awk 'NR > 1 { printf "%.3f\n", ($1 - last) * 1000 } { last = $1 }')
  [[ -n $intervals ]] || { echo "no polls"; return; }
  printf 'median %.1f  p95 %.1f  max %.1f ms  (95%% within %.1f ms of 100)' \
    "$(percentile 50 <<<"$intervals")" "$(percentile 95 <<<"$intervals")" "$(percentile 100 <<<"$intervals")" \
    "$(awk '{ d = $1 - 100; print d < 0 ? -d : d }' <<<"$intervals" | percentile 95)"
}

# Writes the figures of one polling window to $4: program ($1), its process ($2), folder ($3).
measure_window() {
  local label=$1 pid=$2 folder=$3 out=$4 pattern=$5
  local t0 c0 x0 t1 c1 x1
  t0=$(now); c0=$(cpu_ns "$pid"); x0=$(cpu_ns "$xvfb")
  sleep "$seconds"
  t1=$(now); c1=$(cpu_ns "$pid"); x1=$(cpu_ns "$xvfb")
  local hwm commands
  hwm=$(awk '/VmHWM/ { printf "%.1f", $2 / 1024 }' /proc/"$pid"/status)
  commands=$(log_between "$folder/radio.log" "$t0" "$t1" '.' | wc -l)
  {
    echo "program|$label"
    awk -v c="$((c1 - c0))" -v x="$((x1 - x0))" -v t0="$t0" -v t1="$t1" -v n="$commands" 'BEGIN {
      s = t1 - t0
      printf "CPU of one core|%.2f %%\n", c / 1e9 / s * 100
      printf "X server CPU|%.2f %%\n", x / 1e9 / s * 100
      printf "commands per second|%.1f\n", n / s }'
    echo "peak RSS|$hwm MiB"
    echo "RSS at the end|$(awk '/VmRSS/ { printf "%.1f", $2 / 1024 }' /proc/"$pid"/status) MiB"
    echo "poll cadence|$(log_between "$folder/radio.log" "$t0" "$t1" "$pattern" | cadence)"
  } >"$out"
}

# Seconds a prompt plays, from the sound log's path ("wave\quit.wav"); 0 when there is no file.
prompt_seconds() {
  local file="$1/${2//\\//}"
  [[ $file == *.wav ]] || file+=.wav
  soxi -D "$file" 2>/dev/null || echo 0
}

# Types the key once in the panel of folder $1 and appends the delay in ms to $2.
time_key() {
  local folder=$1 out=$2
  local window
  window=$(timeout 10 xdotool search --sync --name "Vocapan Front Panel" | awk 'NR == 1') ||
    fail "no panel window to type in"
  xdotool windowfocus --sync "$window"
  sleep "0.$((RANDOM % 200 + 100))"  # anywhere in the poll cycle
  local lines_before pressed command_at
  lines_before=$(wc -l <"$folder/sound.log")
  pressed=$(echo "$key" | "$bin/key_stamp")
  [[ $pressed =~ ^[0-9.]+$ ]] || fail "key_stamp: $pressed"
  # The first command after the press that is not a poll.
  local deadline=$((SECONDS + 15))
  until command_at=$(log_between "$folder/radio.log" "$pressed" 9e18 . | grep -Ev ' (FA|SM0|RM6|RM4);' |
    awk 'NR == 1 { print $1 }') && [[ -n $command_at ]]; do
    ((SECONDS < deadline)) || fail "no command followed the key $key"
    sleep 0.01
  done
  # Prompts started between press and command: stamped lines by time; an older panel's
  # unstamped lines by position (those logged after the press until the command was seen).
  local prompts=0 stamp path
  while read -r stamp path; do
    if [[ -z $path ]]; then
      path=$stamp
    elif ! awk -v s="$stamp" -v a="$pressed" -v b="$command_at" 'BEGIN { exit !(s >= a && s <= b) }'; then
      continue
    fi
    prompts=$(awk -v p="$prompts" -v l="$(prompt_seconds "$folder" "$path")" 'BEGIN { print p + l }')
  done < <(tail -n +"$((lines_before + 1))" "$folder/sound.log")
  awk -v a="$pressed" -v b="$command_at" -v p="$prompts" 'BEGIN {
    printf "%.2f %.0f %s %s\n", (b - a - p) * 1000, p * 1000, a, b }' >>"$out"
}

# One panel: a polling window ended by a key press, then more presses in fresh sessions.
bench_panel() {
  local label=$1 panel_bin=$2 out=$3 through=${4:-}
  local folder=$work/$label-0
  start_panel "$folder" "$panel_bin" "$through"
  measure_window "$label" "$panel" "$folder" "$out" ' (FA|SM0|RM6);'
  : >"$out.keys"
  time_key "$folder" "$out.keys"
  stop "$panel" "$radio" "$xvfb" $server
  local i
  for ((i = 1; i < keys; i++)); do
    folder=$work/$label-$i
    start_panel "$folder" "$panel_bin" "$through"
    sleep 0.5
    time_key "$folder" "$out.keys"
    stop "$panel" "$radio" "$xvfb" $server
  done
  printf 'key to command beyond prompts|p50 %.1f  p99 %.1f ms (%d presses, %s ms of prompts subtracted)\n' \
    "$(cut -d' ' -f1 "$out.keys" | percentile 50)" "$(cut -d' ' -f1 "$out.keys" | percentile 99)" \
    "$(wc -l <"$out.keys")" "$(cut -d' ' -f2 "$out.keys" | sort -u | paste -sd/)" >>"$out"
  echo "relay round trip|relay: not configured" >>"$out"
}

# flrig set to $FLRIG_RADIO (a radio of the same CAT family that flrig knows) with a 100 ms
# loop, from a fresh home folder whose preferences let it start polling without a dialog.
bench_flrig() {
  local out=$1 folder=$work/flrig radio_name=$FLRIG_RADIO
  mkdir -p "$folder/home/.flrig"
  printf '; FLTK preferences file format 1.0\n; vendor: w1hkj.com\n; application: flrig\n\n[.]\n\nxcvr_name:%s\n' \
    "$radio_name" >"$folder/home/.flrig/flrig.prefs"
  printf '%s\n' "; FLTK preferences file format 1.0" "; vendor: w1hkj.com" "; application: $radio_name" "" "[.]" "" \
    "version:$(dpkg-query -W -f='${Version}' flrig | cut -d- -f1)" "xcvr_serial_port:$folder/COM5" \
    "comm_baudrate:7" "comm_stopbits:1" "comm_retries:2" "comm_wait:5" "comm_timeout:50" "serloop_timing:100" \
    "poll_smeter:1" "poll_frequency:1" "poll_mode:1" "poll_bandwidth:1" >"$folder/home/.flrig/$radio_name.prefs"
  start_display "$folder"
  start_radio "$folder" --id "${FLRIG_RADIO_ID:-0761}"  # the identity flrig expects of that radio
  HOME=$folder/home flrig >"$folder/flrig.out" 2>&1 </dev/null &
  local flrig_pid=$!
  pids+=("$flrig_pid")
  wait_for_line "$folder/radio.log" ' FA;' 60 || fail "flrig never polled the frequency"
  sleep 3  # past its start-up reads
  measure_window "flrig $(dpkg-query -W -f='${Version}' flrig)" "$flrig_pid" "$folder" "$out" ' FA;'
  echo "key to command beyond prompts|n/a" >>"$out"
  echo "relay round trip|n/a" >>"$out"
  stop "$flrig_pid" "$radio" "$xvfb"
}

# --- The web page: none open against one ---

# The panel's connections from its pages, established, on the web port.
page_connections() {
  ss -Htn state established "( sport = :$web_port )" | wc -l
}

bench_web() {
  local folder=$work/web
  start_panel "$folder" "$bin" web
  measure_window "vocapan, no page open" "$panel" "$folder" "$work/web-none.txt" ' (FA|SM0|RM6);'
  chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking \
    --disable-component-update --disable-sync --user-data-dir="$folder/chromium" "http://127.0.0.1:$web_port/" \
    >"$folder/chromium.log" 2>&1 &
  local browser=$!
  pids+=("$browser")
  # The page, its event stream and its beats: two connections at least once it is open.
  local deadline=$((SECONDS + 30))
  until (($(page_connections) >= 2)); do
    ((SECONDS < deadline)) || fail "the page never opened: $(tail -n 5 "$folder/chromium.log")"
    sleep 0.1
  done
  measure_window "vocapan, one page open" "$panel" "$folder" "$work/web-one.txt" ' (FA|SM0|RM6);'
  stop "$browser" "$panel" "$radio" "$xvfb"
  echo "web page: one panel with line 18, measured for $seconds s with no page open, then $seconds s with one" \
    "page open in headless Chromium $(chromium --version 2>/dev/null | awk '{ print $2 }')"
  paste -d '|' "$work/web-none.txt" "$work/web-one.txt" | awk -F'|' '{
    printf "%-30s", $1
    for (i = 2; i <= NF; i += 2) printf " | %-60s", $i
    printf "\n" }'
}

# --- Sound: key to first audible sample ---

# A PulseAudio server of its own in folder $1 with one null sink, the default output of every
# program started after it; sets pulse.
start_sound_server() {
  local folder=$1
  mkdir -p "$folder/pulse"
  pulse_started=$(now)  # the server's log times count from here, within a few milliseconds
  PULSE_RUNTIME_PATH=$folder/pulse XDG_CONFIG_HOME=$folder/pulse HOME=$folder/pulse \
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --log-level=debug --log-time=1 \
    --log-target="file:$folder/pulse.log" -L "module-native-protocol-unix auth-anonymous=1 socket=$folder/pulse.socket" \
    -L "module-null-sink sink_name=bench rate=44100" >"$folder/pulse.out" 2>&1 &
  pulse=$!
  pids+=("$pulse")
  export PULSE_SERVER=unix:$folder/pulse.socket
  for _ in $(seq 100); do pactl info >/dev/null 2>&1 && return 0; sleep 0.05; done
  fail "pulseaudio did not start: $(cat "$folder/pulse.out")"
}

# Records the sink's monitor into $1/sink.raw (44.1 kHz mono) and sets recorded_from: the
# moment of the recording's first sample, as near as the file's growth tells; the offset this
# leaves is the same for every sound in the recording.
record_sink() {
  local raw=$1/sink.raw
  parec -d bench.monitor --rate=44100 --channels=1 --format=s16le --raw --latency-msec=5 >"$raw" &
  recorder=$!
  pids+=("$recorder")
  local size=0
  for _ in $(seq 500); do size=$(stat -c %s "$raw"); ((size > 0)) && break; sleep 0.01; done
  ((size > 0)) || fail "parec recorded nothing"
  recorded_from=$(awk -v t="$(now)" -v b="$size" 'BEGIN { printf "%.6f", t - b / 88200 }')
}

# Seconds from the start of the sound file $1 to its first sample above 1 % of full scale.
first_audible_in_file() {
  sox "$1" -t dat - | awk '!found && $1 !~ /^;/ && ($2 > 0.01 || $2 < -0.01) { print $1; found = 1 }'
}

# For each moment on standard input, the ms from it to the first sample above 1 % of full
# scale recorded after it (in the 0.15 s before it to 0.6 s after, which must be silent
# before the sound), less $2 s where that sample lies in the sound itself.
onsets_after() {
  local raw=$1 lead=$2 stamp from
  while read -r stamp; do
    from=$(awk -v s="$stamp" -v r="$recorded_from" 'BEGIN { v = int((s - r - 0.15) * 44100); print v < 0 ? 0 : v }')
    sox -t raw -r 44100 -e signed -b 16 -c 1 "$raw" -t dat - trim "${from}s" 0.75 |
      awk -v s="$stamp" -v r="$recorded_from" -v f="$from" -v lead="$lead" '
        !found && $1 !~ /^;/ && ($2 > 0.01 || $2 < -0.01) { printf "%.2f\n", (r + f / 44100 + $1 - lead - s) * 1000; found = 1 }
        END { if (!found) print "nan" }'
  done
}

# Keeps both cores busy until the processes are stopped; sets burners.
burn_cores() {
  burners=()
  local core
  for core in $(seq "$(nproc)"); do
    sh -c 'while :; do :; done' &
    burners+=($!)
    pids+=($!)
  done
}

# Notes in $1 every moment the machine held a sleeper at the highest priority the machine
# allows for more than 100 ms ("EPOCH-SECONDS MS" at its waking): a stall of the whole machine,
# not of the panel alone; sets watcher.
watch_stalls() {
  local log=$1
  nice -n -20 true 2>/dev/null && local nice=(nice -n -20) || local nice=()
  "${nice[@]}" python3 -u -c '
import time
last = time.monotonic()
while True:
    time.sleep(0.01)
    now = time.monotonic()
    if now - last > 0.1:
        print("%.3f %.0f" % (time.time(), (now - last) * 1000))
    last = now' >"$log" &
  watcher=$!
  pids+=("$watcher")
}

# Types F in the panel of folder $1 and waits until its readout has been said ($2 readouts
# said before), plus the length of the last prompt.
read_frequency() {
  local folder=$1 said=$2
  echo f >&"$key_in"
  local deadline=$((SECONDS + 20))
  until (($(grep -c 'lsb.wav$' "$folder/sound.log") > said)); do
    ((SECONDS < deadline)) || fail "the panel did not read the frequency out"
    sleep 0.02
  done
  sleep "$(prompt_seconds "$folder" 'wave\lsb.wav')"
  sleep 0.3  # silence before the next sound
}

# Underruns of the panel's prompt stream in the server's log of folder $1 from the epoch time
# $2 on, as "all inside at-stall stalls longest": all of them; those between the start of a
# readout's first prompt and the end of its last (less 0.1 s for the log's own delay), read from
# the sound log; those of them within half a second of a stall of the whole machine; the
# stalls, and the longest in ms.
underruns_in_readouts() {
  local folder=$1 since=$2 last_length
  last_length=$(prompt_seconds "$folder" 'wave\lsb.wav')
  awk -v started="$pulse_started" -v since="$since" -v last="$last_length" '
    FNR == 1 { file++ }
    file == 1 && /Implicit underrun of .prompts./ {
      t = substr($0, 2, index($0, "|") - 2) + started
      if (t >= since) underrun[++underruns] = t
    }
    file == 2 && $1 >= since && /7.wav$/ && !open { first = $1; open = 1 }
    file == 2 && open && /lsb.wav$/ { from[++readouts] = first; to[readouts] = $1 + last - 0.1; open = 0 }
    file == 3 { stall_to[++stalls] = $1; stall_from[stalls] = $1 - $2 / 1000; if ($2 > longest) longest = $2 }
    END {
      inside = at_stall = 0
      for (u = 1; u <= underruns; u++) {
        gap = 0
        for (r = 1; r <= readouts; r++)
          if (underrun[u] >= from[r] && underrun[u] <= to[r]) { inside++; gap = 1; break }
        for (w = 1; gap && w <= stalls; w++)
          if (underrun[u] >= stall_from[w] - 0.2 && underrun[u] <= stall_to[w] + 0.5) { at_stall++; break }
      }
      print underruns + 0, inside, at_stall, stalls + 0, longest + 0
    }' "$folder/pulse.log" "$folder/sound.log" "$folder/stalls.log"
}

bench_sound() {
  local folder=$work/sound
  mkdir -p "$folder"
  start_sound_server "$folder"
  start_panel "$folder" "$bin"
  local window
  window=$(timeout 10 xdotool search --sync --name "Vocapan Front Panel" | awk 'NR == 1') || fail "no panel window"
  xdotool windowfocus --sync "$window"
  mkfifo "$folder/keys" "$folder/tones"
  "$bin/key_stamp" <"$folder/keys" >"$folder/key.stamps" &
  pids+=($!)
  SDL_AUDIO_DEVICE_STREAM_NAME="reference tone" "$bin/sound_stamp" <"$folder/tones" >"$folder/tone.stamps" &
  pids+=($!)
  exec {key_in}>"$folder/keys" {tone_in}>"$folder/tones"
  record_sink "$folder"
  sleep 1  # the reference's device open and running
  local i said
  said=$(grep -c 'lsb.wav$' "$folder/sound.log")  # the connection announcement's
  for ((i = 0; i < sound_presses; i++)); do
    echo >&"$tone_in"
    sleep "0.$((RANDOM % 200 + 300))"  # past the 100 ms tone, anywhere in the poll cycle
    read_frequency "$folder" "$said"
    said=$((said + 1))
  done
  # On 40 m at 7.1 MHz, as the panel starts, the readout begins with "7".
  local first_prompt=wave/7.wav lead
  lead=$(first_audible_in_file "$folder/$first_prompt")
  onsets_after "$folder/sink.raw" 0 <"$folder/tone.stamps" >"$folder/tone.ms"
  onsets_after "$folder/sink.raw" "$lead" <"$folder/key.stamps" >"$folder/key.ms"
  # The panel's own part: the key to the moment it started the readout's first prompt.
  local stamp
  while read -r stamp; do
    awk -v s="$stamp" '$1 > s && /7.wav$/ { printf "%.2f\n", ($1 - s) * 1000; exit }' "$folder/sound.log"
  done <"$folder/key.stamps" >"$folder/own.ms"
  local busy_from
  busy_from=$(now)
  touch "$folder/stalls.log"
  if ((busy > 0)); then
    watch_stalls "$folder/stalls.log"
    burn_cores
    local end=$((SECONDS + busy))
    busy_readouts=0
    while ((SECONDS < end)); do
      read_frequency "$folder" "$said"
      said=$((said + 1)) busy_readouts=$((busy_readouts + 1))
    done
    stop "${burners[@]}" "$watcher"
  fi
  local underruns
  underruns=$(underruns_in_readouts "$folder" "$busy_from")
  exec {key_in}>&- {tone_in}>&-
  stop "$recorder" "$panel" "$radio" "$xvfb" "$pulse"

  local ref_median ref_p95 key_median key_p95
  ref_median=$(percentile 50 <"$folder/tone.ms"); ref_p95=$(percentile 95 <"$folder/tone.ms")
  key_median=$(percentile 50 <"$folder/key.ms"); key_p95=$(percentile 95 <"$folder/key.ms")
  echo "machine: $(nproc) cores, $(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo); load $(cut -d' ' -f1-3 /proc/loadavg)"
  echo "sound: PulseAudio $(pulseaudio --version | awk '{ print $2 }'), null sink recorded by parec;" \
    "$sound_presses presses each, taking turns; first audible sample: above 1 % of full scale" \
    "(${lead} s into the panel's first prompt, $first_prompt)"
  printf '%-44s | %-26s | %-26s | %s\n' "to the first audible sample (ms, as recorded)" "reference: write (SDL 256)" \
    "vocapan: key F" "vocapan's excess"
  awk -v rm="$ref_median" -v rp="$ref_p95" -v km="$key_median" -v kp="$key_p95" 'BEGIN {
    printf "%-44s | %-26.1f | %-26.1f | %+.1f ms (goal 10)\n", "median", rm, km, km - rm
    printf "%-44s | %-26.1f | %-26.1f | %+.1f ms (goal 15)\n", "p95", rp, kp, kp - rp }'
  printf '%-44s | %-26s | %s\n' "key to the prompt started, in the panel" "" \
    "median $(percentile 50 <"$folder/own.ms") ms, p95 $(percentile 95 <"$folder/own.ms") ms"
  if ((busy > 0)); then
    local all inside at_stall stalls longest
    read -r all inside at_stall stalls longest <<<"$underruns"
    echo "busy: $busy s of readouts ($busy_readouts) with $(nproc) cores kept busy: $inside underruns of the" \
      "panel's stream within a readout (a gap in the words); $all in all, the others at a readout's end"
    echo "busy: the machine stalled $stalls times (a sleeper at nice -20 held over 100 ms; the longest" \
      "$longest ms); $at_stall of the underruns within a readout came at a stall"
  fi
}

bench_polling() {
  results=()
  if [[ -n $before ]]; then
    bench_panel before "$before" "$work/before.txt"
    results+=("$work/before.txt")
  fi
  bench_panel vocapan "$bin" "$work/vocapan.txt"
  results+=("$work/vocapan.txt")
  if ((with_ser2net)) && command -v ser2net >/dev/null; then
    bench_panel vocapan-ser2net "$bin" "$work/ser2net.txt" ser2net
    results+=("$work/ser2net.txt")
  elif ((with_ser2net)); then
    echo "ser2net: not installed (apt-get install ser2net), left out"
  fi
  if ((with_flrig)) && command -v flrig >/dev/null && [[ -n ${FLRIG_RADIO:-} ]]; then
    bench_flrig "$work/flrig.txt"
    results+=("$work/flrig.txt")
  elif ((with_flrig)) && command -v flrig >/dev/null; then
    echo "flrig: FLRIG_RADIO names no radio of the same CAT family for it, left out"
  elif ((with_flrig)); then
    echo "flrig: not installed (apt-get install flrig), left out"
  fi

  echo "machine: $(nproc) cores, $(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo); window $seconds s after connection"
  echo "poll cadence: vocapan between polls (FA/SM0), flrig between its frequency reads (FA);" \
    "vocapan-ser2net: the same panel reaching the radio through ser2net on 127.0.0.1"
  # Side by side: one row per figure, one column per program.
  paste -d '|' "${results[@]}" | awk -F'|' '{
    printf "%-30s", $1
    for (i = 2; i <= NF; i += 2) printf " | %-60s", $i
    printf "\n" }'
}

((polling == 0)) || bench_polling
if ((web)) && command -v chromium >/dev/null; then
  bench_web
elif ((web)); then
  echo "web page: chromium is not installed (apt-get install chromium), left out"
fi
((sound == 0)) || bench_sound
