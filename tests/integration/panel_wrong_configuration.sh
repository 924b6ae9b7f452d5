#!/usr/bin/env bash
# A configuration of another program (its third line begins "pow") is refused after the
# greeting with "wrong" "conf"; the radio hears nothing and no port is opened.
source "$(dirname "$0")/lib.sh"
start_display
start_radio 5
printf '%s\r\n' "com=5" "speed=38400" "pow=1" "tun=1" "pwroff=1" > "$work/vocapan.cfg"
run_panel 30
expect_lines "$(prompt_files_opened)" wave/ftx.wav wave/3.wav wave/point.wav wave/5.wav wave/wrong.wav wave/conf.wav
expect_no_serial_port_opened
[[ ! -s $work/radio.log ]] || fail "the radio received: $(cat "$work/radio.log")"
echo "PASS"
