# Shared steps of the tests that run the real programs: a scratch working folder with the
# prompt recordings, a virtual display, the simulated radio on a pseudo-terminal, and checks
# that print what was expected against what happened.
set -euo pipefail
: "${BIN_DIR:?BIN_DIR must name the folder of the built programs}"
: "${WAVE_DIR:?WAVE_DIR must name the folder of the prompt recordings}"

# The scenario runs as a process group of its own: everything it starts, and everything those
# start (WSJT-X's decoder, a daemon's helpers), is in that group and ends with it. The script
# becomes the group's leader as it is; not a session's, which would take the first terminal
# it opens (a serial port's pseudo-terminal) as its own and be hung up with it.
if [[ $(ps -o pgid= -p $$ | tr -d ' ') != "$$" ]]; then
  exec perl -e 'setpgrp(0, 0) or die "setpgrp: $!"; exec @ARGV or die "exec: $!"' bash "$0" "$@"
fi

work=$(mktemp -d /tmp/vocapan-it-XXXXXX)
pids=()
# Logs shown when the scenario fails, as "what|file" lines: the radio's commands, the panel's
# words and each outside program's messages, registered by the steps that start them.
watched=()
watch_log() { watched+=("$1|$2"); }

show_watched_logs() {
  local entry what file
  for entry in "${watched[@]}"; do
    what=${entry%%|*}
    file=${entry#*|}
    [[ -s $file ]] || continue
    echo "---- $what: the last lines of ${file##*/}" >&2
    tail -n 25 "$file" | tr -d '\r' >&2
  done
}

# Whatever way the scenario ends (a check failing, the runner's timeout killing the script),
# a watcher outside its process group ends every process left in it, by the group, once the
# script has gone, and removes the working folder.
# It is no child of the script's, so that the script's own waits never wait for it.
(setsid bash -c 'while kill -0 "$1"; do sleep 0.2; done
  kill -TERM -- "-$1"
  for _ in $(seq 50); do kill -0 -- "-$1" || break; sleep 0.1; done
  kill -KILL -- "-$1"
  [[ -n $3 ]] || rm -rf "$2"' scenario-watcher "$$" "$work" "${KEEP_WORK:-}" </dev/null >/dev/null 2>&1 &)
cleanup() {
  local status=$?
  ((status == 0)) || show_watched_logs
  [[ -n ${KEEP_WORK:-} ]] && echo "kept $work" >&2
  # The script itself stays to the end of its trap; the watcher finishes what is left.
  trap '' TERM
  kill -TERM -- "-$$" 2>/dev/null || true
}
trap cleanup EXIT
cp -r "$WAVE_DIR" "$work/wave"
watch_log "the radio's last commands" "$work/radio.log"
watch_log "the radio's messages" "$work/ftxsim.err"
watch_log "the panel's last words (prompts played)" "$work/sound.log"
watch_log "the panel's transcript (commands sent, answers read, keys)" "$work/debug.dat"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Starts a virtual display of its own and exports DISPLAY.
start_display() {
  Xvfb -displayfd 9 -noreset -screen 0 1280x1024x24 9>"$work/display.number" 2>"$work/xvfb.log" &
  pids+=($!)
  for _ in $(seq 100); do [[ -s $work/display.number ]] && break; sleep 0.05; done
  [[ -s $work/display.number ]] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  export DISPLAY=":$(cat "$work/display.number")"
}

# Starts the simulated radio linked as COMn in the working folder, or at the path given (a
# device beside a serial server); extra ftxsim options follow. It stands for hardware of its
# own, which answers within milliseconds however busy the computer is: where the system
# allows, it runs ahead of the tests' other work. Sets radio to its process.
start_radio() {
  local link=$1
  shift
  [[ $link == */* ]] || link="$work/COM$link"
  nice -n -10 "$BIN_DIR/ftxsim" --link "$link" --log "$work/radio.log" "$@" 2>"$work/ftxsim.err" &
  radio=$!
  pids+=("$radio")
  for _ in $(seq 100); do [[ -e $link ]] && break; sleep 0.05; done
  [[ -e $link ]] || fail "ftxsim did not link ${link##*/}: $(cat "$work/ftxsim.err")"
}

# Runs vocapan in the working folder to its end (at most $1 seconds), recording every file
# it opens (strace) and every prompt it plays (the sound log).
run_panel() {
  local seconds=$1
  local status=0
  (cd "$work" && VOCAPAN_SOUND_LOG="$work/sound.log" \
    timeout "$seconds" strace -f -qq -e trace=openat -o "$work/opened.log" "$BIN_DIR/vocapan") || status=$?
  ((status != 124)) || fail "vocapan did not end by itself within $seconds s"
  ((status == 0)) || fail "vocapan ended with status $status"
}

# Writes the panel's eleven configuration lines for the radio on COM5 at 38400 baud, with
# the tuner line, the power-off line, the debug line and the relay port (0: none) given as
# their values; further arguments are the lines from line 12 on, as they are.
write_configuration() {
  local tuner=$1 power_off=$2 debug=$3 relay=${4:-0}
  shift $(($# < 4 ? $# : 4))
  printf '%s\r\n' "com=5" "speed=38400" "swr=0" "tun=$tuner" "pwroff=$power_off" "rep10=-100" "rep6=-1000" \
    "rep2=-0600" "rep70=-7600" "relay=$relay" "debug=$debug" "$@" >"$work/vocapan.cfg"
}

# A virtual serial-port pair, as a user connects a logging program: the panel's relay end is
# linked as COMn in the working folder, the other program's end as the path in $2.
start_relay_pair() {
  local port=$1 other=$2
  watch_log "socat's messages" "$work/socat.err"
  socat "pty,link=$work/COM$port,raw,echo=0" "pty,link=$other,raw,echo=0" 2>"$work/socat.err" &
  pids+=($!)
  for _ in $(seq 100); do [[ -e $work/COM$port && -e $other ]] && break; sleep 0.05; done
  [[ -e $work/COM$port && -e $other ]] || fail "socat made no pair: $(cat "$work/socat.err")"
}

# A TCP port of 127.0.0.1 that nothing listens on: one where a connection is refused.
free_tcp_port() {
  local candidate
  for _ in $(seq 50); do
    candidate=$((20000 + RANDOM % 40000))
    if ! (exec 3<>"/dev/tcp/127.0.0.1/$candidate") 2>/dev/null; then
      echo "$candidate"
      return
    fi
  done
  fail "no free TCP port found"
}

# Debian's ser2net serving the serial device $1 raw on TCP port $2 of 127.0.0.1, as on the
# computer beside a radio at a remote station; runs in the foreground so that the test can
# stop it, and returns once the port listens. Sets `server` to its process.
start_serial_server() {
  local device=$1 port=$2
  cat >"$work/ser2net.yaml" <<YAML
connection: &radio
  accepter: tcp,127.0.0.1,$port
  connector: serialdev,$device,38400n81,local
YAML
  watch_log "ser2net's messages" "$work/ser2net.log"
  ser2net -n -d -c "$work/ser2net.yaml" -P "$work/ser2net.pid" >>"$work/ser2net.log" 2>&1 &
  server=$!
  pids+=("$server")
  for _ in $(seq 100); do (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && return 0; sleep 0.05; done
  fail "ser2net did not listen on $port: $(cat "$work/ser2net.log")"
}

# Brings the radio back with the command that follows (the radio linked again, its serial
# server started again) and checks that within $1 ms it is asked who it is, set up as at
# start and polled, and that the operator then hears it announced.
expect_radio_back() {
  local most=$1 logged lost_at started took
  shift
  logged=$(wc -l <"$work/radio.log")
  lost_at=$(wc -l <"$work/sound.log")
  started=$(date +%s%N)
  "$@"
  new_radio_heard() { tail -n +"$((logged + 1))" "$work/radio.log" | tr -d '\r' | grep -q " $1\$"; }
  for _ in $(seq $((most / 10))); do new_radio_heard 'ID;' && new_radio_heard 'BI;' && new_radio_heard 'FA;' && break; sleep 0.01; done
  took=$((($(date +%s%N) - started) / 1000000))
  new_radio_heard 'ID;' || fail "the returning radio was never asked who it is"
  new_radio_heard 'BI;' || fail "the returning radio was not set up again as at start"
  new_radio_heard 'FA;' || fail "the returning radio is not polled: $(tail -n +"$((logged + 1))" "$work/radio.log")"
  echo "the returning radio taken up and polled $took ms after it came back"
  ((took <= most)) || fail "the returning radio was taken up only $took ms after it came back"
  for _ in $(seq 400); do tail -n +"$((lost_at + 1))" "$work/sound.log" | grep -q connected && return 0; sleep 0.05; done
  fail "the returning radio was never announced: $(tail -n +"$((lost_at + 1))" "$work/sound.log")"
}

# With the radio started with --log-epoch: the time now as its log stamps it, its log lines
# stamped after the time given (as "seconds command"), and a wait for one of them.
now() { date +%s.%N; }
logged_after() { tr -d '\r' <"$work/radio.log" | awk -v t="$1" '$1 > t { print $1, $3 }'; }
wait_logged_after() {
  local since=$1 pattern=$2
  for _ in $(seq 400); do logged_after "$since" | grep -qE " $pattern\$" && return 0; sleep 0.05; done
  fail "the radio did not hear $pattern after $since: $(logged_after "$since" | tail -n 5)"
}
# Milliseconds from the time $1 to the radio's first $2 (a command with its ";") after it.
ms_until_logged() {
  local since=$1 command=$2 at
  wait_logged_after "$since" "$command"
  at=$(logged_after "$since" | awk -v c="$command" '$2 == c { print $1; exit }')
  awk -v a="$since" -v b="$at" 'BEGIN { printf "%.0f", (b - a) * 1000 }'
}

# Types key $1 at the focused panel and checks that the radio hears $2 within $3 ms.
key_to_radio() {
  local key=$1 command=$2 most=$3 pressed took
  pressed=$(now)
  xdotool key "$key"
  took=$(ms_until_logged "$pressed" "$command")
  ((took <= most)) || fail "$key reached the radio as $command after $took ms (at most $most)"
  echo "$key: $command after $took ms"
}

# Milliseconds since midnight of a radio log line's "hh:mm:ss.mmm".
radio_log_ms() {
  awk '{ split($1, t, "[:.]"); print ((t[1] * 60 + t[2]) * 60 + t[3]) * 1000 + t[4] }'
}

# Starts the panel in the background (at most $1 seconds); sets `panel` to its process and
# `window` to its window once that has appeared.
start_panel() {
  # The sound log runs on across the scenario's panels: this one's words begin after its end.
  panel_heard_from=0
  [[ ! -e $work/sound.log ]] || panel_heard_from=$(wc -l <"$work/sound.log")
  run_panel "$1" &
  panel=$!
  window=$(timeout 30 xdotool search --sync --name "Vocapan Front Panel" | awk "NR == 1") ||
    fail "no panel window appeared"
}

# Closes the panel's window as its close button does, or types Q at it, and waits until the
# panel has ended.
close_panel() {
  "$BIN_DIR/x_close_window" "$window"
  wait "$panel" || fail "the panel did not end after the close request"
}
quit_panel() {
  xdotool windowfocus --sync "$window" key q
  wait "$panel" || fail "the panel did not end after Q"
}

# Waits until the operator has heard "connected" from the panel started last, the end of the
# radio's start-up.
wait_until_connected() {
  local from=$((${panel_heard_from:-0} + 1))
  for _ in $(seq 1200); do tail -n +"$from" "$work/sound.log" 2>/dev/null | grep -q 'connected' && return 0; sleep 0.05; done
  fail "the operator never heard connected: $(tail -n +"$from" "$work/sound.log")"
}

# The prompt files the program opened, in order, as "wave/NAME.wav".
prompt_files_opened() {
  grep -o '"wave/[^"]*"' "$work/opened.log" | tr -d '"' | grep -v '^wave/$' || true
}

# Fails unless the text in $1 equals the expected lines that follow.
expect_lines() {
  local got=$1
  shift
  local expected
  expected=$(printf '%s\n' "$@")
  [[ $got == "$expected" ]] || fail "expected:
$expected
got:
$got"
}

expect_no_serial_port_opened() {
  if grep -E '"(COM[0-9]+|/dev/tty[A-Za-z]*[0-9]+)"' "$work/opened.log"; then
    fail "a serial port was opened"
  fi
}

# Types the keys, then waits until the operator has heard the word given last.
type_until_heard() {
  local heard=$1
  shift
  local before
  before=$(wc -l <"$work/sound.log")
  [[ $# -eq 0 ]] || xdotool key --delay 150 "$@"
  for _ in $(seq 400); do
    tail -n +"$((before + 1))" "$work/sound.log" | grep -q "^wave.$heard.wav$" && return 0
    sleep 0.05
  done
  fail "after $* the operator never heard $heard: $(tail -n +"$((before + 1))" "$work/sound.log")"
}

# Marks where the radio's log and the words heard stand, for the checks that follow.
mark() {
  marked=$(wc -l <"$work/radio.log")
  heard_mark=$(wc -l <"$work/sound.log")
}

# Waits (at most 10 s) until the radio has heard these commands, in this order, since `mark`.
sent_in_order() {
  local rest command
  rest=$(tail -n +"$((marked + 1))" "$work/radio.log")
  for command in "$@"; do
    grep -qF "$command;" <<<"$rest" || return 1
    rest=$(sed -n "/ $command;/,\$p" <<<"$rest" | tail -n +2)
  done
}
expect_sent_in_order() {
  for _ in $(seq 200); do sent_in_order "$@" && return 0; sleep 0.05; done
  fail "the radio did not hear $* in order; it heard: $(tail -n +"$((marked + 1))" "$work/radio.log")"
}

# The commands the radio heard since `mark`, one a line, without the polls ("FA;", or "FB;"
# in split, "SM0;", "RM6;") that keep coming between keys.
sent_since_mark() {
  tail -n +"$((marked + 1))" "$work/radio.log" | tr -d '\r' | cut -d' ' -f3- | grep -vxE 'FA;|FB;|SM0;|RM6;' || true
}

# Waits (at most 20 s) until the radio has heard the command given (with its ";") since `mark`.
wait_sent() {
  for _ in $(seq 400); do sent_since_mark | grep -qxF "$1" && return 0; sleep 0.05; done
}

# Checks that the panel goes on polling the frequency (five times) while $1 is stopped.
expect_polls_go_on() {
  local since
  since=$(now)
  for _ in $(seq 200); do (($(logged_after "$since" | grep -c ' FA;$') >= 5)) && return 0; sleep 0.05; done
  fail "the polls stopped with $1"
}

# Waits (at most 20 s) until the panel has sent six more polls: by then it has read at least
# two answers to frequency polls sent after what it did before, as between an operator's
# keys, so that the next key starts from where the radio reported last.
wait_polls() {
  local from
  from=$(wc -l <"$work/radio.log")
  for _ in $(seq 400); do
    (($(tail -n +"$((from + 1))" "$work/radio.log" | grep -cE ' (FA|FB|SM0|RM6);') >= 6)) && return 0
    sleep 0.05
  done
}

# Types the keys before "--" at the focused panel, waits for the last command named after it,
# then checks that the radio heard exactly the commands named, in order, and nothing else.
press() {
  local keys=()
  while [[ $1 != -- ]]; do
    keys+=("$1")
    shift
  done
  shift
  wait_polls
  mark
  xdotool key --delay 150 "${keys[@]}"
  (($# == 0)) || wait_sent "${*: -1}"
  sleep 0.5 # anything sent after the last command named would show now
  expect_lines "$(sent_since_mark)" "$@"
}

# The words the operator heard since `mark`, one prompt name a line (without the time each
# began, where the sound log has them).
heard_since_mark() {
  tail -n +"$((heard_mark + 1))" "$work/sound.log" | tr -d '\r' | sed -n 's/^\([0-9.]* \)\{0,1\}wave.\(.*\)\.wav$/\2/p'
}

# Waits (at most 20 s) until the operator has heard the words given, one after another, since
# `mark`.
wait_heard() {
  for _ in $(seq 400); do [[ " $(heard_since_mark | tr '\n' ' ')" == *" $* "* ]] && return 0; sleep 0.05; done
  fail "the operator never heard '$*': $(heard_since_mark | tr '\n' ' ')"
}

# Waits until the last of the words named has been heard, then checks that the operator heard
# exactly these words since `mark`.
expect_heard() {
  for _ in $(seq 400); do heard_since_mark | tail -n 1 | grep -qxF "${*: -1}" && break; sleep 0.05; done
  expect_lines "$(heard_since_mark)" "$@"
}
