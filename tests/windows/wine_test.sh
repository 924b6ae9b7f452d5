#!/usr/bin/env bash
# Runs one of the cross-built Windows programs under wine, as an operator would start it
# from its folder, and checks what it said (the prompt files PlaySoundA was asked for), what
# it printed and which devices it opened.
#
# Usage: wine_test.sh SCENARIO BIN_DIR WAVE_DIR WORK_DIR [FTXSIM]
#   SCENARIO  vocapan_without_configuration | portseek_without_ports |
#             portseek_finds_a_radio_on_com5 | portseek_stops_when_q_is_typed |
#             portseek_then_vocapan_reaches_the_radio |
#             vocapan_polls_the_radio_and_quits_on_q |
#             vocapan_window_close_saves_and_switches_the_radio_off |
#             vocapan_serves_hamlib_over_the_network |
#             vocapan_at_the_radio_without_a_screen_reader_speaks_prompts |
#             vocapan_reaches_the_radio_through_ser2net |
#             vocapan_answers_wsjtx_over_udp |
#             vocapan_serves_the_web_page
#   BIN_DIR   folder of vocapan.exe and portseek.exe
#   WAVE_DIR  the prompt recordings
#   WORK_DIR  where the wine prefix is kept between runs and the program folders are made
#   FTXSIM    the simulated radio program, for the scenarios of the running panel
# Exits 77 (skipped) when wine, Xvfb, socat, xdotool, the programs, the simulated radio or
# the recordings are missing, unless VOCAPAN_WINE_REQUIRED=1, which turns a missing piece
# into a failure.
set -euo pipefail

usage="usage: wine_test.sh SCENARIO BIN_DIR WAVE_DIR WORK_DIR"
scenario=${1:?$usage}
bin_dir=$(readlink -f "${2:?$usage}")
wave_dir=$(readlink -f "${3:?$usage}")
work_dir=${4:?$usage}
ftxsim=${5:-}
config_example=$(dirname "$(readlink -f "$0")")/../../package/vocapan.cfg

skip() {
  if [[ ${VOCAPAN_WINE_REQUIRED:-0} == 1 ]]; then
    echo "wine_test: cannot run: $*" >&2
    exit 1
  fi
  echo "wine_test: skipped: $*"
  exit 77
}

# On failure, what the scenario saw: the radio's last commands, the program's last prompts
# and its console, and the other programs' messages.
fail() {
  echo "wine_test: $scenario: $*" >&2
  local file
  for file in radio.log stdout.txt ftxsim.txt ser2net.txt; do
    [[ -s ${run_dir:-}/$file ]] || continue
    echo "---- the last lines of $file" >&2
    tail -n 25 "$run_dir/$file" | tr -d '\r' >&2
  done
  if [[ -s ${run_dir:-}/trace.txt ]]; then
    echo "---- the last prompts played" >&2
    prompts_played | tail -n 25 >&2
  fi
  exit 1
}

for tool in wine wineserver Xvfb socat soxi flock awk xdotool; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done
for program in vocapan portseek; do
  [[ -f $bin_dir/$program.exe ]] || skip "$bin_dir/$program.exe is not built (scripts/build-windows.sh)"
done
[[ -f $wave_dir/delay.wav ]] || skip "no prompt recordings in $wave_dir"
if [[ $scenario == *vocapan_*_radio* ]]; then
  [[ -n $ftxsim && -x $ftxsim ]] || skip "the simulated radio (ftxsim) is not built"
fi

mkdir -p "$work_dir"
work_dir=$(readlink -f "$work_dir")
export WINEPREFIX=$work_dir/prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

session_pids=()
cleanup() {
  wineserver -k 2>/dev/null || true
  for pid in "${session_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT

# A display of our own: the panel opens its window even when it only says "cfgnf".
display_file=$(mktemp)
Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp 9>"$display_file" >/dev/null 2>&1 &
session_pids+=($!)
for _ in $(seq 50); do [[ -s $display_file ]] && break; sleep 0.1; done
[[ -s $display_file ]] || fail "Xvfb did not start"
export DISPLAY=:$(head -n1 "$display_file")
rm -f "$display_file"

# The prefix is made once (about 15 s and 700 MB) and kept for later runs. Managed=N keeps
# the X11 driver from waiting 2 s for the window manager when a window closes under Xvfb.
(
  flock 8
  if [[ ! -f $WINEPREFIX/.vocapan-ready ]]; then
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.vocapan-ready"
  fi
) 8>"$work_dir/prefix.lock"

# Our own server, started before any pseudo-terminal exists so that it holds none of them.
# The first program of the session lets wine's mount manager link the machine's serial
# devices as COM ports; they are removed afterwards, so that only the ports a scenario
# makes exist.
wineserver -p
wine cmd.exe /c exit >/dev/null 2>&1
rm -f "$WINEPREFIX"/dosdevices/com*

run_dir=$work_dir/run-$scenario
rm -rf "$run_dir"
mkdir -p "$run_dir"
cp -r "$wave_dir" "$run_dir/wave"
cp "$bin_dir/vocapan.exe" "$bin_dir/portseek.exe" "$run_dir/"

# Runs PROGRAM in the program folder with its standard input from INPUT (default
# /dev/null); leaves the console output in $run_dir/stdout.txt, the wine trace in
# $run_dir/trace.txt and the run time in milliseconds in $elapsed_ms.
run_program() {
  local program=$1 input=${2:-/dev/null} start end
  start=$(date +%s%N)
  (cd "$run_dir" && WINEDEBUG=-all,+winmm,+file timeout 120 wine "$program.exe" <"$input" \
    >"$run_dir/stdout.txt" 2>"$run_dir/trace.txt") || fail "$program.exe ended with status $?"
  end=$(date +%s%N)
  elapsed_ms=$(((end - start) / 1000000))
}

# The prompt files asked for, one path a line, as the program wrote them ("wave\ftx.wav").
prompts_played() {
  sed -n 's/.*proc_PlaySound SoundName=L"\(.*\)" !.*/\1/p' "$run_dir/trace.txt" | sed 's/\\\\/\\/g'
}

# The serial device names the program tried to open, in order.
ports_tried() {
  sed -n 's/.*trace:file:CreateFileW L"\([^"]*COM[0-9]*\)".*/\1/p' "$run_dir/trace.txt" | sed 's/\\\\/\\/g'
}

expect_lines() {
  local what=$1 expected=$2 got=$3
  if [[ $expected != "$got" ]]; then
    echo "expected $what:"
    echo "$expected" | sed 's/^/  /'
    echo "got:"
    echo "$got" | sed 's/^/  /'
    fail "$what differ"
  fi
}

# Without a sound device PlaySoundA fails at once; every prompt must still take its time.
expect_prompts_took_their_time() {
  local total_ms
  total_ms=$(prompts_played | tr '\\' / | (cd "$run_dir" && xargs -r -d '\n' soxi -D) |
    awk '{ total += $1 } END { printf "%d", total * 1000 }')
  ((elapsed_ms >= total_ms)) || fail "ran $elapsed_ms ms, shorter than its prompts ($total_ms ms)"
  echo "wine_test: $scenario ran $elapsed_ms ms; its prompts last $total_ms ms"
}

# The example configuration, the package's own when the programs come from an unpacked
# package, with Windows line ends and line 5 (switch the radio off on quit) set to VALUE.
write_configuration() {
  local power_off=$1 example=$config_example
  [[ -f $bin_dir/vocapan.cfg ]] && example=$bin_dir/vocapan.cfg
  sed -e 's/\r*$/\r/' -e "5s/^pwroff=./pwroff=$power_off/" "$example" >"$run_dir/vocapan.cfg"
}

# The simulated radio on a pseudo-terminal linked as COM3, the port of the example; extra
# ftxsim options follow. Like a radio of its own, it runs ahead of other work where allowed.
start_radio() {
  nice -n -10 "$ftxsim" --link "$WINEPREFIX/dosdevices/com3" --log "$run_dir/radio.log" "$@" >"$run_dir/ftxsim.txt" 2>&1 &
  session_pids+=($!)
  for _ in $(seq 50); do [[ -e $WINEPREFIX/dosdevices/com3 ]] && break; sleep 0.1; done
  [[ -e $WINEPREFIX/dosdevices/com3 ]] || fail "the simulated radio did not start"
}

# The commands the radio received, in order, one a line (its log has Windows line ends).
radio_commands() {
  tr -d '\r' <"$run_dir/radio.log" 2>/dev/null | awk '{ print $3 }'
}

start_panel() {
  start_ms=$(($(date +%s%N) / 1000000))
  (cd "$run_dir" && WINEDEBUG=-all,+winmm,+file exec wine vocapan.exe </dev/null \
    >"$run_dir/stdout.txt" 2>"$run_dir/trace.txt") &
  panel_pid=$!
  session_pids+=($panel_pid)
}

# Waits until the panel has said "connected", the end of the radio's start-up.
wait_until_connected() {
  for _ in $(seq 300); do
    prompts_played | grep -qx 'wave\\connected.wav' && return 0
    kill -0 "$panel_pid" 2>/dev/null || fail "vocapan.exe ended before connecting: $(prompts_played | tr '\n' ' ')"
    sleep 0.2
  done
  fail "vocapan.exe did not say connected in 60 s: $(prompts_played | tr '\n' ' ')"
}

# Waits until the radio has been asked for its frequency COUNT times by the poll.
wait_for_polls() {
  local count=$1
  for _ in $(seq 300); do
    (($(radio_commands | grep -cx 'FA;') >= count)) && return 0
    kill -0 "$panel_pid" 2>/dev/null || fail "vocapan.exe ended before polling: $(radio_commands | tr '\n' ' ')"
    sleep 0.2
  done
  fail "the radio was polled $(radio_commands | grep -cx 'FA;') times in 60 s"
}

# Types KEYS (xdotool key names) into the panel window.
press_in_panel() {
  local window
  window=$(xdotool search --sync --onlyvisible --name 'Vocapan Front Panel' | awk 'NR == 1')
  xdotool windowfocus --sync "$window"
  xdotool key --delay 100 "$@"
}

wait_for_panel_exit() {
  for _ in $(seq 150); do
    kill -0 "$panel_pid" 2>/dev/null || { wait "$panel_pid" || true; elapsed_ms=$(($(date +%s%N) / 1000000 - start_ms)); return 0; }
    sleep 0.2
  done
  fail "vocapan.exe did not end within 30 s"
}

# The poll alternates the frequency and the S-meter, one every two 50 ms ticks: measured
# over the last ten polls before the operator quit, when nothing was being spoken.
expect_regular_polls() {
  local polls mean_ms
  polls=$(tr -d '\r' <"$run_dir/radio.log" | awk '$3 == "TX0;" { exit }
               $3 == "FA;" || $3 == "SM0;" { split($1, t, ":"); printf "%d %s\n", (t[1] * 3600 + t[2] * 60 + t[3]) * 1000, $3 }' |
    tail -n 10)
  mean_ms=$(awk 'NR == 1 { first = $1 } { last = $1; n++ } END { printf "%d", (n > 1 ? (last - first) / (n - 1) : 0) }' \
    <<<"$polls")
  awk 'NR > 1 && $2 == previous { exit 1 } { previous = $2 }' <<<"$polls" ||
    fail "the poll did not alternate FA; and SM0;: $(awk '{ print $2 }' <<<"$polls" | tr '\n' ' ')"
  ((mean_ms >= 90 && mean_ms <= 300)) || fail "one poll every $mean_ms ms; expected one every 100 ms"
  echo "wine_test: $scenario: one poll every $mean_ms ms"
}

expect_saved_memories() {
  [[ -s $run_dir/savmem.dat ]] || fail "savmem.dat was not written"
  grep -q $'\r$' "$run_dir/savmem.dat" || fail "savmem.dat lines do not end in CR LF"
}

all_ports() {
  local n
  for n in $(seq 1 256); do
    if ((n <= 9)); then echo "COM$n"; else echo "\\\\.\\COM$n"; fi
  done
}

case $scenario in
vocapan_without_configuration)
  run_program vocapan
  expect_lines "prompts" $'wave\\ftx.wav\nwave\\3.wav\nwave\\point.wav\nwave\\5.wav\nwave\\cfgnf.wav' \
    "$(prompts_played)"
  expect_lines "serial ports opened" "" "$(ports_tried)"
  grep -q 'CreateFileW L"vocapan.cfg"' "$run_dir/trace.txt" || fail "vocapan.cfg was never looked for"
  expect_prompts_took_their_time
  ;;
portseek_without_ports)
  run_program portseek
  expect_lines "prompts" \
    $'wave\\pzkv.wav\nwave\\1.wav\nwave\\point.wav\nwave\\0.wav\nwave\\pzks.wav\nwave\\fcps.wav\nwave\\rnf.wav' \
    "$(prompts_played)"
  expect_lines "serial ports tried" "$(all_ports)" "$(ports_tried)"
  grep -q '^Com:' "$run_dir/stdout.txt" && fail "listed a port: $(cat "$run_dir/stdout.txt")"
  expect_prompts_took_their_time
  ;;
portseek_stops_when_q_is_typed)
  # Standard input is a file here, as when the keys come from a script; the search looks
  # for the q before the first port.
  printf 'q' >"$run_dir/keys.txt"
  run_program portseek "$run_dir/keys.txt"
  expect_lines "prompts" \
    $'wave\\pzkv.wav\nwave\\1.wav\nwave\\point.wav\nwave\\0.wav\nwave\\pzks.wav\nwave\\fcps.wav' \
    "$(prompts_played)"
  expect_lines "serial ports tried" "" "$(ports_tried)"
  ;;
portseek_finds_a_radio_on_com5)
  # A radio that answers the frequency query at any speed, on a pseudo-terminal linked as
  # COM5. The link is held open here as well, so the radio stays when portseek closes the
  # port between speeds.
  cat >"$run_dir/radio.sh" <<'RADIO'
while IFS= read -r -d ";" command; do
  case $command in *FA) printf "FA014074000;" ;; esac
done
RADIO
  socat PTY,link="$WINEPREFIX/dosdevices/com5",raw,echo=0 EXEC:"bash $run_dir/radio.sh" &
  session_pids+=($!)
  for _ in $(seq 50); do [[ -e $WINEPREFIX/dosdevices/com5 ]] && break; sleep 0.1; done
  exec {hold_fd}<>"$WINEPREFIX/dosdevices/com5"
  run_program portseek
  exec {hold_fd}>&-
  expect_lines "prompts" \
    "$(printf 'wave\\%s.wav\n' pzkv 1 point 0 pzks fcps delay delay radiofound 5 speed 1 1 5 2 0 0 baud delay)" \
    "$(prompts_played | head -n 19)"
  expect_lines "console lines" "Com: 5 " "$(grep '^Com:' "$run_dir/stdout.txt" | tr -d '\r')"
  expect_lines "serial ports tried" "$(all_ports | head -n 5)"$'\nCOM5' "$(ports_tried)"
  ;;
portseek_then_vocapan_reaches_the_radio)
  # The operator's first run: a folder of the two programs and the wave folder, the radio
  # on COM3 at 9600 baud. Portseek writes vocapan.cfg, and the panel reaches the radio. A
  # sibling's pendra.cfg is the same file as PENDRA.cfg to Windows: rewritten, never lost.
  printf 'com=1\r\nspeed=4800\r\n0\r\n' >"$run_dir/pendra.cfg"
  start_radio --only-baud 9600
  run_program portseek
  expect_lines "pendra.cfg" "$(printf 'com=3\r\nspeed=9600\r\n0\r\n' | od -c)" \
    "$(cat "$run_dir"/[pP][eE][nN][dD][rR][aA].cfg | od -c)"
  expect_lines "result" "$(printf 'wave\\%s.wav\n' radiofound 3 speed 9 6 0 0 baud delay delay cfuep)" \
    "$(prompts_played | tail -n 11)"
  expect_lines "vocapan.cfg" "$({ printf 'com=3\nspeed=9600\n'; tail -n +3 "$config_example"; } | sed 's/$/\r/' | od -c)" \
    "$(od -c "$run_dir/vocapan.cfg")"
  start_panel
  wait_until_connected
  press_in_panel q
  wait_for_panel_exit
  awk '$3 ~ /^VS0;/ && $2 != 9600 { exit 1 }' "$run_dir/radio.log" || fail "the radio was not reached at 9600 baud"
  ;;
vocapan_polls_the_radio_and_quits_on_q)
  write_configuration 0
  start_radio
  start_panel
  wait_for_polls 10
  press_in_panel q
  wait_for_panel_exit
  expect_lines "first commands" $'VS0;\nID;' "$(radio_commands | head -n 2)"
  awk '$3 ~ /^VS0;/ && $2 != 38400 { exit 1 }' "$run_dir/radio.log" || fail "the radio was not reached at 38400 baud"
  expect_regular_polls
  radio_commands | grep -qx 'TX0;' || fail "Q did not end the transmission (no TX0;)"
  expect_lines "greeting" $'wave\\ftx.wav\nwave\\3.wav\nwave\\point.wav\nwave\\5.wav' "$(prompts_played | head -n 4)"
  prompts_played | grep -qx 'wave\\connected.wav' || fail "the first frequency report was not announced"
  expect_lines "last prompt" 'wave\quit.wav' "$(prompts_played | grep -v '^xx' | tail -n 1)"
  expect_saved_memories
  ;;
vocapan_window_close_saves_and_switches_the_radio_off)
  write_configuration 1
  start_radio
  start_panel
  wait_for_polls 3
  press_in_panel alt+F4
  wait_for_panel_exit
  expect_lines "last command" 'PS0;' "$(radio_commands | tail -n 1)"
  prompts_played | grep -qx 'wave\\quit.wav' && fail "closing the window is no Q key, yet quit was said"
  expect_saved_memories
  ;;
vocapan_serves_hamlib_over_the_network)
  # Debian's Hamlib on Linux works the Windows panel through Winsock as model 2 ("NET rigctl"),
  # on every interface with an allow line: Winsock's address of each program decides, so
  # 127.0.0.1 is served as this computer and 127.0.0.3, not on the list, is closed unanswered.
  command -v rigctl >/dev/null || skip "rigctl (libhamlib-utils) is not installed"
  write_configuration 0
  port=$(awk 'BEGIN { srand(); print 40000 + int(rand() * 20000) }')
  sed -i -e "12s/.*/net=*:$port\r/" -e "17s/.*/allow=127.0.0.2\r/" "$run_dir/vocapan.cfg"
  start_radio
  start_panel
  wait_until_connected
  sleep 1
  timings=()
  rig() {
    local start end
    start=$(date +%s%N)
    answer=$(timeout 10 rigctl -m 2 -r "127.0.0.1:$port" "$@" | tr '\n' ' ') || fail "rigctl $* failed: $answer"
    end=$(date +%s%N)
    timings+=("$*: $(((end - start) / 1000000)) ms")
  }
  rig f
  expect_lines "f" "7100000 " "$answer"
  rig F 14074000
  sleep 4  # the panel speaks the new frequency
  rig f
  expect_lines "f after F" "14074000 " "$answer"
  rig M USB 2400
  sleep 4
  rig m
  expect_lines "m after M" "USB 2400 " "$answer"
  # A program's split is the program's: it is read on the connection that asked for it, and
  # goes with that connection.
  rig S 1 VFOB s
  expect_lines "s after S" "1 VFOB " "$answer"
  sleep 1
  rig s
  expect_lines "s once the program has gone" "0 VFOA " "$answer"
  rig T 1
  sleep 1
  rig t
  expect_lines "t after T" "1 " "$answer"
  rig T 0
  sleep 1
  rig l STRENGTH
  [[ $answer =~ ^-?[0-9]+\ $ ]] || fail "l STRENGTH answered '$answer'"
  refused=$(timeout 10 python3 -c '
import socket, sys
connection = socket.create_connection(("127.0.0.1", int(sys.argv[1])), timeout=5, source_address=("127.0.0.3", 0))
try:
    connection.sendall(b"f\n")
    print(connection.recv(100) or b"closed")
except ConnectionResetError:
    print(b"closed")
' "$port") || fail "the program at 127.0.0.3 could not connect"
  expect_lines "a program at 127.0.0.3" "b'closed'" "$refused"
  # The split asked for and read in one call goes with the program, whether or not it reached
  # the radio first ("s once the program has gone" checks it ended).
  expect_lines "changes on the radio" $'FA014074000;\nMD02;\nTX1;\nTX0;' \
    "$(radio_commands | grep -E '^(FA014074000|MD02|TX[01]);$')"
  press_in_panel q
  wait_for_panel_exit
  expect_lines "the refusal, said once" 'wave\netrefused.wav' "$(prompts_played | grep netrefused)"
  echo "wine_test: $scenario: ${timings[*]}"
  ;;
vocapan_at_the_radio_without_a_screen_reader_speaks_prompts)
  # wine has no screen reader listening: voice=reader falls back to the recorded voice.
  write_configuration 0
  sed -i '14s/.*/voice=reader\r/' "$run_dir/vocapan.cfg"
  start_radio
  start_panel
  wait_until_connected
  press_in_panel q
  wait_for_panel_exit
  expect_lines "greeting" "$(printf 'wave\\%s.wav\n' ftx 3 point 5 noreader)" "$(prompts_played | head -n 5)"
  expect_lines "last prompt" 'wave\quit.wav' "$(prompts_played | grep -v '^xx' | tail -n 1)"
  radio_commands | grep -qx 'TX0;' || fail "Q did not end the transmission (no TX0;)"
  expect_saved_memories
  ;;
vocapan_reaches_the_radio_through_ser2net)
  # A radio at a remote station: no COM port at all, line 15 of the example (empty there)
  # names Debian's ser2net on 127.0.0.1 in front of the simulated radio. The
  # Windows panel connects through Winsock, polls, a key reaches the radio; ser2net stopped
  # is said, started again the radio is announced again.
  command -v ser2net >/dev/null || skip "ser2net is not installed"
  port=$(awk 'BEGIN { srand(); print 40000 + int(rand() * 20000) }')
  nice -n -10 "$ftxsim" --link "$run_dir/station-radio" --log "$run_dir/radio.log" >"$run_dir/ftxsim.txt" 2>&1 &
  session_pids+=($!)
  for _ in $(seq 50); do [[ -e $run_dir/station-radio ]] && break; sleep 0.1; done
  printf 'connection: &radio\n  accepter: tcp,127.0.0.1,%s\n  connector: serialdev,%s,38400n81,local\n' \
    "$port" "$run_dir/station-radio" >"$run_dir/ser2net.yaml"
  start_server() {
    ser2net -n -d -c "$run_dir/ser2net.yaml" -P "$run_dir/ser2net.pid" >>"$run_dir/ser2net.txt" 2>&1 &
    server_pid=$!
    session_pids+=($server_pid)
    for _ in $(seq 50); do (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && return 0; sleep 0.1; done
    fail "ser2net did not listen on $port"
  }
  start_server
  write_configuration 0
  sed -i "15s/.*/remote=127.0.0.1:$port\r/" "$run_dir/vocapan.cfg"
  start_panel
  wait_until_connected
  wait_for_polls 10
  expect_regular_polls
  press_in_panel Right
  for _ in $(seq 100); do radio_commands | grep -qx 'FA007100100;' && break; sleep 0.1; done
  radio_commands | grep -qx 'FA007100100;' || fail "the key did not reach the radio: $(radio_commands | tail -n 5 | tr '\n' ' ')"
  kill "$server_pid"
  wait "$server_pid" 2>/dev/null || true
  for _ in $(seq 100); do prompts_played | grep -qx 'wave\\radiolost.wav' && break; sleep 0.1; done
  prompts_played | grep -qx 'wave\\radiolost.wav' || fail "ser2net stopped, yet radio lost was never said"
  start_server
  for _ in $(seq 300); do (($(prompts_played | grep -cx 'wave\\connected.wav') >= 2)) && break; sleep 0.1; done
  (($(prompts_played | grep -cx 'wave\\connected.wav') >= 2)) || fail "the radio was not taken up again after ser2net started"
  press_in_panel q
  wait_for_panel_exit
  expect_lines "serial ports opened" "" "$(ports_tried)"
  expect_lines "first commands" $'VS0;\nID;' "$(radio_commands | head -n 2)"
  ;;
vocapan_answers_wsjtx_over_udp)
  # WSJT-X's datagrams reach the Windows panel through Winsock's UDP: a heartbeat, a status
  # and a CQ come in; J then Enter answer the CQ, and the Reply goes back to the address the
  # datagrams came from.
  write_configuration 0
  port=$(awk 'BEGIN { srand(); print 40000 + int(rand() * 20000) }')
  sed -i "16s/.*/wsjtx=$port\r/" "$run_dir/vocapan.cfg"
  start_radio
  start_panel
  wait_until_connected
  python3 "$(dirname "$(readlink -f "$0")")/../integration/wsjtx_udp.py" play "$port" "$run_dir/wsjtx.log" &
  program=$!
  session_pids+=("$program")
  for _ in $(seq 150); do prompts_played | grep -qx 'wave\\wsjtxhere.wav' && break; sleep 0.2; done
  prompts_played | grep -qx 'wave\\wsjtxhere.wav' || fail "the panel did not hear WSJT-X: $(prompts_played | tail -n 5)"
  press_in_panel j Return
  for _ in $(seq 150); do kill -0 "$program" 2>/dev/null || break; sleep 0.2; done
  wait "$program" || fail "no reply came back: $(cat "$run_dir/wsjtx.log" 2>/dev/null)"
  expect_lines "what WSJT-X got back" "reply ms=45000 snr=-12 df=1234 mode=~ message=CQ W2XYZ FN31" \
    "$(grep '^reply' "$run_dir/wsjtx.log")"
  press_in_panel q
  wait_for_panel_exit
  ;;
vocapan_serves_the_web_page)
  # Line 18 of the example set to a port: the Windows panel serves its page through Winsock
  # to Debian's curl, refuses a request naming another host, and a key posted from the page's
  # own origin reaches the radio.
  command -v curl >/dev/null || skip "curl is not installed"
  write_configuration 0
  port=$(awk 'BEGIN { srand(); print 40000 + int(rand() * 20000) }')
  sed -i "18s/.*/web=$port\r/" "$run_dir/vocapan.cfg"
  start_radio
  start_panel
  wait_until_connected
  page=""
  for _ in $(seq 100); do page=$(curl -s --max-time 5 "http://127.0.0.1:$port/") && break; sleep 0.2; done
  grep -q 'aria-label="Radio keys"' <<<"$page" || fail "the page was not served: $page"
  status=$(curl -s -o /dev/null -w '%{http_code}' --max-time 5 -H 'Host: example.org' "http://127.0.0.1:$port/")
  expect_lines "Host example.org" 403 "$status"
  for direction in down up; do
    curl -s --max-time 5 -H "Origin: http://127.0.0.1:$port" --data "0 $direction KeyM" "http://127.0.0.1:$port/key" ||
      fail "the key could not be posted"
  done
  for _ in $(seq 100); do radio_commands | grep -qx 'MD02;' && break; sleep 0.1; done
  radio_commands | grep -qx 'MD02;' || fail "M from the page did not reach the radio: $(radio_commands | tail -n 5 | tr '\n' ' ')"
  press_in_panel q
  wait_for_panel_exit
  ;;
*)
  fail "no such scenario"
  ;;
esac
echo "wine_test: $scenario passed"
