#!/usr/bin/env bash
# The panel in a browser. With web=PORT: the page in Debian's headless Chromium holds what a
# screen reader needs and its keys act as the window's (web_page.py); a request naming
# another host, or a key from another site's page, is refused and reaches nothing; a client
# that opens the event stream and never reads costs the panel nothing and is closed. With
# web=*:PORT and allow=127.0.0.2 (the other loopback addresses stand in for other computers):
# 127.0.0.3 is closed before a byte is read, 127.0.0.2 gets 401 until it gives the code the
# panel said.
source "$(dirname "$0")/lib.sh"
for command in /usr/bin/chromium /usr/bin/chromedriver curl xdotool; do
  command -v "$command" >/dev/null || fail "$command is not installed"
done
/usr/bin/python3 -c 'import selenium' || fail "python3-selenium is not installed"
# Waits until the console shows the page's address: the page is served from then on.
wait_for_page() {
  for _ in $(seq 400); do grep -qF "$1" "$work/panel.out" && return 0; sleep 0.05; done
  fail "the console shows no address $1: $(cat "$work/panel.out")"
}
start_display
start_radio 5 --log-epoch
export VOCAPAN_SOUND_LOG_TIMES=1
port=$(free_tcp_port)
write_configuration 0 0 1 0 "" "" "" "" "" "" "web=$port"
start_panel 240 >"$work/panel.out"
wait_until_connected
wait_for_page "http://127.0.0.1:$port/"

# Another site's name for this computer, and another site's page, get nothing.
status=$(curl -s -o /dev/null -w '%{http_code}' -H 'Host: example.org' "http://127.0.0.1:$port/")
[[ $status == 403 ]] || fail "Host example.org got $status"
mark
status=$(curl -s -o /dev/null -w '%{http_code}' -H 'Origin: http://example.org' --data '1 down Space' \
  "http://127.0.0.1:$port/key")
[[ $status == 403 ]] || fail "a key from http://example.org got $status"
wait_polls
[[ -z $(sent_since_mark) ]] || fail "a key from another site reached the radio: $(sent_since_mark)"
curl -s -D - -o /dev/null "http://127.0.0.1:$port/" | grep -qi '^access-control-allow-origin' &&
  fail "the page allows other origins"
echo "refused: Host example.org and a key from http://example.org"

/usr/bin/python3 "$(dirname "$0")/web_page.py" "$port" "$work" "$(dirname "$0")/../../prompts/prompts.tsv" \
  "$window" || fail "the page in the browser"

# A client that opens the event stream and never reads, for 60 s while the panel speaks and polls.
panel_process() {
  local process
  for process in $(pgrep -x vocapan); do [[ $(readlink "/proc/$process/cwd") == "$work" ]] && echo "$process"; done
}
rss() { awk '/^VmRSS/ { print $2 }' "/proc/$(panel_process)/status"; }
/usr/bin/python3 - "$port" >"$work/reader.out" <<'PY' &
import socket, sys, time
port = int(sys.argv[1])
client = socket.socket()
client.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 4096)
client.connect(("127.0.0.1", port))
client.sendall(f"GET /events HTTP/1.1\r\nHost: 127.0.0.1:{port}\r\n\r\n".encode())
time.sleep(60)
client.settimeout(5)
try:
    while client.recv(65536):
        pass
    print("closed")
except (socket.timeout, ConnectionResetError):
    print("open")
PY
reader=$!
before=$(rss)
start=$(now)
# The panel reads the frequency out, then polls twenty times (the poll waits for the words),
# again and again: it speaks more than half the time while the client does not read.
readouts=0
while kill -0 "$reader" 2>/dev/null; do
  mark
  xdotool key --window "$window" f
  wait_heard lsb
  readouts=$((readouts + 1))
  polled=$(wc -l <"$work/radio.log")
  for _ in $(seq 200); do
    (($(tail -n +"$((polled + 1))" "$work/radio.log" | grep -cE ' (FA|FB|SM0|RM6);') >= 20)) && break
    sleep 0.05
  done
done
wait "$reader"
after=$(rss)
[[ $(cat "$work/reader.out") == closed ]] || fail "the client that never read was left open"
((after - before < 1024)) || fail "the panel grew from $before to $after KiB"
gaps=$(logged_after "$start" | awk '$2 ~ /^(FA|FB|SM0|RM6);$/ { if (last) print int(($1 - last) * 1000); last = $1 }' | sort -n)
(($(wc -l <<<"$gaps") >= 100)) || fail "the panel hardly polled while the client did not read: $gaps"
median=$(awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }' <<<"$gaps")
most=$(awk '{ a[NR] = $1 } END { print a[int(NR * 0.9)] }' <<<"$gaps")
((median <= 150 && most <= 200)) || fail "the polls slowed to $median ms, one in ten beyond $most ms"
echo "never reading: closed, $readouts readouts, polls every $median ms (nine in ten within $most ms)," \
  "the panel grew $((after - before)) KiB"
close_panel

# Every address, with 127.0.0.2 allowed.
write_configuration 0 0 0 0 "" "" "" "" "" "allow=127.0.0.2" "web=*:$port"
start_panel 120 >"$work/panel.out"
wait_until_connected
wait_for_page "http://$(hostname):$port/"
mark
/usr/bin/python3 - "$port" "$work/panel.out" <<'PY' || fail "the browser of another computer"
import http.client, re, socket, sys, time
port, console = int(sys.argv[1]), sys.argv[2]
origin = {"Origin": f"http://127.0.0.1:{port}"}

def ask(source, method, path, body=None, headers={}):
    connection = http.client.HTTPConnection("127.0.0.1", port, timeout=5, source_address=(source, 0))
    connection.request(method, path, body, headers)
    answer = connection.getresponse()
    return answer.status, answer.getheader("Set-Cookie") or "", answer.read(200)

refused = socket.create_connection(("127.0.0.1", port), timeout=5, source_address=("127.0.0.3", 0))
try:
    refused.sendall(f"GET / HTTP/1.1\r\nHost: 127.0.0.1:{port}\r\n\r\n".encode())
    answer = refused.recv(100)
except (ConnectionResetError, BrokenPipeError):
    answer = b""
if answer:
    sys.exit(f"127.0.0.3 was answered {answer!r}")
status, _, page = ask("127.0.0.2", "GET", "/")
if status != 200 or b"code" not in page.lower():
    sys.exit(f"127.0.0.2 got {status} for the page, not the code page")
for path in ("/events", "/key"):
    status = ask("127.0.0.2", "POST" if path == "/key" else "GET", path, "0 down KeyF", origin)[0]
    if status != 401:
        sys.exit(f"127.0.0.2 got {status} for {path} without the code")
for _ in range(200):
    said = re.findall(r"web code (\d{6})", open(console).read())
    if said:
        break
    time.sleep(0.05)
else:
    sys.exit("the console never showed the code")
status, cookie, _ = ask("127.0.0.2", "POST", "/code", f"code={said[-1]}", origin)
if status != 303 or not cookie.startswith("vocapan="):
    sys.exit(f"the right code got {status} {cookie!r}")
token = {"Cookie": cookie.split(";")[0], **origin}
status = ask("127.0.0.2", "POST", "/key", "0 down KeyM", token)[0]
ask("127.0.0.2", "POST", "/key", "0 up KeyM", token)
if status != 204:
    sys.exit(f"a key with the token got {status}")
print("another computer: 127.0.0.3 closed unread, 127.0.0.2 got 401 until the code")
PY
expect_sent_in_order MD02
wait_heard webcode
close_panel
echo "PASS"
