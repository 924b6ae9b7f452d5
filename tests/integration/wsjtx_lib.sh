# Debian's WSJT-X for the tests, headless: a PulseAudio server of the test's own with a null
# sink for its sound, its settings file written before it starts (Hamlib's NET rigctl to a
# TCP port, PTT by CAT, a split mode, mode Data/Pkt), and its UDP messages decoded into a log.
# Sourced after lib.sh, with a display started (start_display).
#
# Settings, as environment variables read by wsjtx_start:
#   WSJTX_UDP_PORT      the UDP port WSJT-X sends its messages to (default: a free one)
#   WSJTX_UDP_SERVER    the address it sends them to (default 127.0.0.1); a multicast group
#                       such as 224.0.0.1 lets the log's listener hear them beside another
#   WSJTX_ACCEPT_UDP    true when WSJT-X is to act on requests sent to it there (default false)
#   WSJTX_SPLIT         none, rig or emulate: the split mode (default rig)
#   WSJTX_AUDIO_IN      the PulseAudio source it hears (default: the null sink's monitor)
#   WSJTX_AUDIO_OUT     the PulseAudio sink it plays to (default: the null sink)
#   WSJTX_DIAL          its dial frequency in Hz at start (default 14074000)
#
# After wsjtx_start: `wsjtx` is its process, `wsjtx_window` its main window, and
# "$work/wsjtx-udp.log" holds one line a message (see wsjtx_udp.py).
#
# Each scenario's WSJT-X has a rig name, folders and a temporary folder of its own, so that
# one scenario's WSJT-X never meets another's decoder, shared memory or settings.

wsjtx_udp_tool="$(dirname "${BASH_SOURCE[0]}")/wsjtx_udp.py"
wsjtx_home="$work/wsjtx-home"
pulse_runtime="$work/pulse-runtime"
wsjtx_name="vocapan-${work##*-}"
watch_log "WSJT-X's messages" "$work/wsjtx.log"
watch_log "WSJT-X's UDP messages" "$work/wsjtx-udp.log"
watch_log "PulseAudio's messages" "$work/pulseaudio.log"
command -v wsjtx >/dev/null || fail "wsjtx is not installed"
command -v pulseaudio >/dev/null || fail "pulseaudio is not installed"
command -v python3 >/dev/null || fail "python3 is not installed"

# The test's PulseAudio server and WSJT-X's folders, not the user's; the temporary folder
# holds the decoder's working files and the key file of WSJT-X's shared memory.
wsjtx_env=(HOME="$wsjtx_home" XDG_CONFIG_HOME="$wsjtx_home/.config" XDG_DATA_HOME="$wsjtx_home/.local/share"
  XDG_RUNTIME_DIR="$pulse_runtime" PULSE_RUNTIME_PATH="$pulse_runtime/pulse" TMPDIR="$work/wsjtx-tmp")
with_wsjtx_env() { env "${wsjtx_env[@]}" "$@"; }

# A PulseAudio server of the test's own, with a null sink "vocapan_null": its socket sits in
# a private runtime folder, so it runs as root without --system and beside any other.
start_pulseaudio() {
  mkdir -p "$wsjtx_home/.config" "$pulse_runtime" "$work/wsjtx-tmp"
  chmod 700 "$pulse_runtime"
  env "${wsjtx_env[@]}" pulseaudio --daemonize=no --exit-idle-time=-1 --disallow-exit -n \
    --load=module-native-protocol-unix \
    --load="module-null-sink sink_name=vocapan_null" \
    --load="module-always-sink" >"$work/pulseaudio.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 200); do with_wsjtx_env pactl info >/dev/null 2>&1 && break; sleep 0.05; done
  with_wsjtx_env pactl info >/dev/null 2>&1 || fail "PulseAudio did not start: $(cat "$work/pulseaudio.log")"
  with_wsjtx_env pactl set-default-sink vocapan_null
  with_wsjtx_env pactl set-default-source vocapan_null.monitor
}

# A Qt enumeration as QSettings writes it: a user type (127), then the type's name and the
# value's name, each with its length (the closing NUL counted) and its closing NUL. A hex
# escape may not be followed by a hex digit, so such a character is escaped too.
qt_enum_variant() {
  printf '@Variant(\\0\\0\\0\\x7f%s%s)' "$(qt_byte_array "$1")" "$(qt_byte_array "$2")"
}
qt_byte_array() {
  local text=$1 out i c after_escape=1
  out='\0\0\0'$(printf '\\x%x' "$((${#text} + 1))")
  for ((i = 0; i < ${#text}; i++)); do
    c=${text:i:1}
    if ((after_escape)) && [[ $c == [0-9a-fA-F] ]]; then
      out+=$(printf '\\x%x' "'$c")
    else
      out+=$c
      after_escape=0
    fi
  done
  printf '%s\\0' "$out"
}

# Writes "WSJT-X - NAME.ini" for the scenario's rig name: rig Hamlib NET rigctl at 127.0.0.1:PORT, PTT by CAT, the split
# mode, mode Data/Pkt, FT8 on the dial frequency, the UDP server, the sound devices. Further
# "Section/Key=Value" arguments are added as they are (for example Configuration/MyCall=K1ABC).
write_wsjtx_settings() {
  local cat_port=$1
  shift
  local file="$wsjtx_home/.config/WSJT-X - $wsjtx_name.ini" extra section
  mkdir -p "$wsjtx_home/.config"
  {
    # The start-up picture would lie over the main window.
    echo "[MultiSettings]"
    echo "Splash_v1.7=false"
    echo
    echo "[Common]"
    echo "Mode=FT8"
    echo "DialFreq=${WSJTX_DIAL:-14074000}"
    for extra in "$@"; do [[ $extra == Common/* ]] && echo "${extra#Common/}"; done
    echo
    echo "[Configuration]"
    echo "Rig=Hamlib NET rigctl"
    echo "CATNetworkPort=127.0.0.1:$cat_port"
    echo "PTTMethod=$(qt_enum_variant TransceiverFactory::PTTMethod PTT_method_CAT)"
    echo "SplitMode=$(qt_enum_variant TransceiverFactory::SplitMode "split_mode_${WSJTX_SPLIT:-rig}")"
    echo "DataMode=$(qt_enum_variant Configuration::DataMode data_mode_data)"
    echo "Polling=1"
    echo "UDPServer=${WSJTX_UDP_SERVER:-127.0.0.1}"
    echo "UDPServerPort=$WSJTX_UDP_PORT"
    echo "AcceptUDPRequests=${WSJTX_ACCEPT_UDP:-false}"
    echo "SoundInName=${WSJTX_AUDIO_IN:-vocapan_null.monitor}"
    echo "SoundOutName=${WSJTX_AUDIO_OUT:-vocapan_null}"
    for extra in "$@"; do [[ $extra == Configuration/* ]] && echo "${extra#Configuration/}"; done
    for extra in "$@"; do
      section=${extra%%/*}
      [[ $section == Common || $section == Configuration ]] && continue
      printf '\n[%s]\n%s\n' "$section" "${extra#*/}"
    done
  } >"$file"
}

# A UDP port of 127.0.0.1 nobody has bound.
free_udp_port() {
  python3 -c 'import socket; s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

# Waits (at most $2 seconds, 30 by default) until a line of WSJT-X's UDP log since line $3
# (0 by default) matches the extended regular expression $1; prints that line.
wsjtx_wait_message() {
  local pattern=$1 seconds=${2:-30} from=${3:-0} line
  for _ in $(seq $((seconds * 20))); do
    line=$(tail -n +"$((from + 1))" "$work/wsjtx-udp.log" 2>/dev/null | grep -E "$pattern" | tail -n 1) || true
    [[ -n $line ]] && {
      echo "$line"
      return 0
    }
    sleep 0.05
  done
  fail "WSJT-X sent no message matching '$pattern' within $seconds s; it sent: $(tail -n 20 "$work/wsjtx-udp.log" 2>/dev/null)"
}

# The number of lines in WSJT-X's UDP log, to look at what comes after.
wsjtx_messages() { wc -l <"$work/wsjtx-udp.log"; }

# Starts WSJT-X against the NET rigctl server on CAT_PORT (further arguments as for
# write_wsjtx_settings), and returns once it has sent its heartbeat and a status with the
# rig's dial frequency: by then it has opened its rig.
wsjtx_start() {
  WSJTX_UDP_PORT=${WSJTX_UDP_PORT:-$(free_udp_port)}
  [[ -s $pulse_runtime/pulse/pid ]] || start_pulseaudio
  write_wsjtx_settings "$@"
  : >"$work/wsjtx-udp.log"
  python3 "$wsjtx_udp_tool" listen "$WSJTX_UDP_PORT" "$work/wsjtx-udp.log" ${WSJTX_UDP_SERVER:+"$WSJTX_UDP_SERVER"} \
    2>"$work/wsjtx-udp.err" &
  pids+=($!)
  (cd "$wsjtx_home" && exec env -u SESSION_MANAGER QT_QPA_PLATFORM=xcb "${wsjtx_env[@]}" \
    wsjtx --rig-name="$wsjtx_name") >"$work/wsjtx.log" 2>&1 &
  wsjtx=$!
  pids+=("$wsjtx")
  wsjtx_wait_message '^heartbeat ' 60 >/dev/null
  wsjtx_wait_message '^status dial=[1-9]' 60 >/dev/null
  wsjtx_window=$(xdotool search --sync --name "^WSJT-X - $wsjtx_name +v" | head -n 1) ||
    fail "no WSJT-X main window appeared"
}

# Waits until WSJT-X has received a whole period and decoded it (a status with decoding on,
# then one with it off): its start-up is over by then. Until it is, a click at its main
# window can be lost, on a busy machine several seconds after the window has appeared.
wsjtx_wait_settled() {
  local from
  wsjtx_wait_message '^status .* decoding=1 ' 40 >/dev/null
  from=$(grep -n -m 1 ' decoding=1 ' "$work/wsjtx-udp.log" | cut -d: -f1)
  wsjtx_wait_message '^status .* decoding=0 ' 40 "$from" >/dev/null
}

# Closes WSJT-X as its window's close button does (it unkeys and saves its settings), and
# waits (at most 20 s) for it to end.
wsjtx_stop() {
  "$BIN_DIR/x_close_window" "$wsjtx_window"
  for _ in $(seq 400); do kill -0 "$wsjtx" 2>/dev/null || return 0; sleep 0.05; done
  fail "WSJT-X did not end after its close request: $(tail -n 20 "$work/wsjtx.log")"
}
