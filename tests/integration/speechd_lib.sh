# A speech-dispatcher of the test's own, as the operator's screen reader: every text it is
# given becomes a line of said.txt, and no sound is made.
command -v speech-dispatcher >/dev/null || fail "speech-dispatcher is not installed (scripts/setup.sh)"
watch_log "what the screen reader was given" "$work/said.txt"
watch_log "speech-dispatcher's messages" "$work/speechd.out"

# The daemon on a socket of its own: no sound (ALSA's null device), every text a line of said.txt.
start_daemon() {
  rm -f "$work/speechd.sock"
  mkdir -p "$work/speechd/modules" "$work/speechd-log"
  cat >"$work/speechd/speechd.conf" <<EOF
LogLevel 3
LogDir "$work/speechd-log"
DefaultLanguage "en"
AudioOutputMethod "alsa"
AudioALSADevice "null"
AddModule "recorder" "sd_generic" "recorder.conf"
DefaultModule recorder
EOF
  cat >"$work/speechd/modules/recorder.conf" <<EOF
GenericExecuteSynth "printf '%s\\\\n' \\'\$DATA\\' >> $work/said.txt"
GenericDelimiters "~"
GenericMaxChunkLength 10000
GenericLanguage "en" "en" "utf-8"
AddVoice "en" "MALE1" "en"
EOF
  speech-dispatcher -s -t 0 -c unix_socket -S "$work/speechd.sock" -P "$work/speechd.pid" -C "$work/speechd" >"$work/speechd.out" 2>&1 &
  daemon=$!
  pids+=("$daemon")
  for _ in $(seq 100); do [[ -S $work/speechd.sock ]] && break; sleep 0.05; done
  [[ -S $work/speechd.sock ]] || fail "speech-dispatcher did not start: $(cat "$work/speechd.out" "$work"/speechd-log/*)"
}

# Ends the daemon started last (the same socket and pid file then serve the next one).
stop_daemon() {
  kill -CONT "$daemon" 2>/dev/null || true
  kill "$daemon" 2>/dev/null || true
  wait "$daemon" 2>/dev/null || true
}

# Waits until the daemon has been given the phrase $1.
wait_until_said() {
  for _ in $(seq 400); do grep -qxF "$1" "$work/said.txt" 2>/dev/null && return 0; sleep 0.05; done
  fail "the screen reader never got '$1'; it got: $(cat "$work/said.txt" 2>/dev/null)"
}

