#!/usr/bin/env bash
# Debian's fldigi works the radio through the panel's network port as a user sets it up: rig
# control by Hamlib, rig "NET rigctl" (Hamlib model 2) at the panel's port. Its XML-RPC port
# tells the dial it read and sets the dial; the radio hears the frequency, and fldigi follows
# the operator's key.
source "$(dirname "$0")/lib.sh"
command -v fldigi >/dev/null || fail "fldigi is not installed"
command -v curl >/dev/null || fail "curl is not installed"
start_display
start_radio 5
port=$(free_tcp_port)
write_configuration 0 0 1 0 "net=$port"
start_panel 150
wait_until_connected

# fldigi's own settings, so that it skips its first-run wizard.
mkdir -p "$work/fldigi/home"
cat >"$work/fldigi/fldigi_def.xml" <<XML
<?xml version="1.0" encoding="UTF-8"?>
<FLDIGI_DEFS>
<FLDIGI_VERSION>4.1.23</FLDIGI_VERSION>
<MYCALL>N0CALL</MYCALL>
<CHKUSEHAMLIBIS>1</CHKUSEHAMLIBIS>
<HAMRIGMODEL>2</HAMRIGMODEL>
<HAMRIGNAME>NET rigctl</HAMRIGNAME>
<HAMRIGDEVICE>127.0.0.1:$port</HAMRIGDEVICE>
</FLDIGI_DEFS>
XML
xmlrpc_port=$(free_tcp_port)
watch_log "fldigi's messages" "$work/fldigi.log"
HOME="$work/fldigi/home" fldigi --config-dir "$work/fldigi" --xmlrpc-server-port "$xmlrpc_port" \
  >"$work/fldigi.log" 2>&1 &
pids+=($!)

# Calls an XML-RPC method of fldigi with an optional double argument; prints the value.
xmlrpc() {
  local params=""
  [[ -z ${2:-} ]] || params="<params><param><value><double>$2</double></value></param></params>"
  curl -s -m 2 -d "<?xml version=\"1.0\"?><methodCall><methodName>$1</methodName>$params</methodCall>" \
    "http://127.0.0.1:$xmlrpc_port/RPC2" | sed -n 's/.*<double>\([0-9]*\)\..*/\1/p'
}
# Waits (at most about a minute: fldigi starts slowly on a busy machine) until its dial reads $1.
wait_for_dial() {
  local dial=""
  for _ in $(seq 600); do
    dial=$(xmlrpc rig.get_frequency || true)
    [[ $dial == "$1" ]] && return
    sleep 0.1
  done
  fail "fldigi's dial read '$dial', not $1: $(tail -5 "$work/fldigi.log")"
}

echo "-- fldigi reads the dial through the panel"
wait_for_dial 7100000

echo "-- fldigi sets the dial; the radio hears it"
mark
xmlrpc main.set_frequency 14074000 >/dev/null
expect_sent_in_order FA014074000
wait_for_dial 14074000

echo "-- fldigi follows the operator's key"
mark
xdotool windowfocus --sync "$window" key Right
expect_sent_in_order FA014074100
wait_for_dial 14074100

close_panel
echo "PASS"
