#!/usr/bin/env bash
# Who may work the radio over the network port: the panel on every interface with line 17
# allowing 127.0.0.2. The other loopback addresses stand in for other computers here. A
# program from 127.0.0.2 is served and heard as it connects, keys, unkeys and goes; one from
# 127.0.0.3 is closed at once, its commands never reach the radio, and "program refused" is
# said once however often it tries; rigctl from 127.0.0.1 and ::1 comes and goes quietly.
source "$(dirname "$0")/lib.sh"
command -v python3 >/dev/null || fail "python3 is not installed"
command -v rigctl >/dev/null || fail "rigctl (libhamlib-utils) is not installed"
start_display
start_radio 5
write_configuration 0 0 1
port=$(free_tcp_port)
printf '%s\r\n' "net=*:$port" "knob=0" "" "" "" "allow=127.0.0.2" >>"$work/vocapan.cfg"
start_panel 120 >"$work/panel.out"
wait_until_connected

# A program at the address given: connects from it to the panel's port and, for each step,
# sends a line and prints the answer, or ("hear:WORD") waits until the operator has heard the
# word once more than before the program connected, or since the last wait for it. A step
# "expect-closed" sends a command and prints how the panel answered it: "closed" when the
# connection ends without an answer, with the milliseconds since it was made.
cat >"$work/program.py" <<'PY'
import re, socket, sys, time

source, port, log = sys.argv[1], int(sys.argv[2]), sys.argv[3]

def heard_count(word):
    with open(log, encoding="latin-1") as lines:
        return sum(1 for line in lines if re.fullmatch(r"wave.(.*)\.wav", line.strip()) and line.strip()[5:-4] == word)

def wait_to_hear(word, before):
    for _ in range(400):
        if heard_count(word) > before:
            return
        time.sleep(0.05)
    sys.exit(f"never heard {word}")

# What had been heard before the program connected: each word waited for is a new one.
counts = {step[5:]: heard_count(step[5:]) for step in sys.argv[4:] if step.startswith("hear:")}
connection = socket.create_connection(("127.0.0.1", port), timeout=10, source_address=(source, 0))
connected = time.monotonic()
for step in sys.argv[4:]:
    if step.startswith("hear:"):
        word = step[5:]
        wait_to_hear(word, counts[word])
        counts[word] = heard_count(word)
    elif step == "expect-closed":
        try:
            connection.sendall(b"T 1\n")
            answer = connection.recv(100)
        except (ConnectionResetError, BrokenPipeError):
            answer = b""
        took = int((time.monotonic() - connected) * 1000)
        print("closed" if answer == b"" else f"answered {answer!r}", took)
    else:
        connection.sendall(step.encode() + b"\n")
        answer = b""
        while not answer.endswith(b"\n"):
            part = connection.recv(100)
            if not part:
                sys.exit(f"closed before answering {step}")
            answer += part
        print(answer.decode().strip())
connection.close()
PY
program() { timeout 60 python3 "$work/program.py" "$1" "$port" "$work/sound.log" "${@:2}"; }

# The words of the network's own announcements, with transmit on and off, since `mark`.
network_words() { heard_since_mark | grep -xE 'netjoin|netgone|netrefused|netopen|tx|on|off' | tr '\n' ' '; }

mark
answer=$(program 127.0.0.2 hear:netjoin f 'T 1' hear:on 'T 0' hear:off) ||
  fail "the program at 127.0.0.2 was not served: $answer"
expect_lines "$answer" 7100000 'RPRT 0' 'RPRT 0'
for _ in $(seq 400); do heard_since_mark | grep -qx netgone && break; sleep 0.05; done
expect_sent_in_order TX1 TX0
[[ $(network_words) == "netjoin tx on tx off netgone " ]] ||
  fail "the operator heard '$(network_words)' for the program at 127.0.0.2"

mark
for attempt in 1 2 3; do
  answer=$(program 127.0.0.3 expect-closed) || fail "the program at 127.0.0.3 could not connect: $answer"
  [[ $answer == closed* ]] || fail "attempt $attempt from 127.0.0.3 was $answer"
  ((${answer#closed } <= 1000)) || fail "attempt $attempt from 127.0.0.3 was closed only after ${answer#closed } ms"
  for _ in $(seq 400); do heard_since_mark | grep -qx netrefused && break; sleep 0.05; done
done
# Programs of this computer, over both loopback families, in between.
for address in 127.0.0.1 '[::1]'; do
  answer=$(timeout 10 rigctl -m 2 -r "$address:$port" f) || fail "rigctl at $address failed: $answer"
  expect_lines "$answer" 7100000
done
answer=$(program 127.0.0.3 expect-closed) || fail "the last program at 127.0.0.3 could not connect: $answer"
[[ $answer == closed* ]] || fail "the last attempt from 127.0.0.3 was $answer"
# Said once: a refusal is said before the arrival of any program taken after it, so a second
# one would come before the listed program's "program connected".
answer=$(program 127.0.0.2 hear:netjoin f) || fail "the program at 127.0.0.2 was not served again: $answer"
for _ in $(seq 400); do heard_since_mark | grep -qx netgone && break; sleep 0.05; done
[[ $(network_words) == "netrefused netjoin netgone " ]] ||
  fail "the operator heard '$(network_words)' for 127.0.0.3, this computer and 127.0.0.2"
[[ -z $(sent_since_mark | grep -E '^TX') ]] || fail "a refused program reached the radio: $(sent_since_mark)"
[[ $(grep -c 'refused a program at 127.0.0.3,' "$work/panel.out") -eq 1 ]] ||
  fail "the console did not name 127.0.0.3 once: $(cat "$work/panel.out")"
! grep -qE 'netopen|cfgerr|allowln' "$work/sound.log" || fail "the start said the port open or the line wrong"

"$BIN_DIR/x_close_window" "$window"
wait "$panel" || fail "the panel did not end after the close request"
echo "PASS"
