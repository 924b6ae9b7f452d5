#!/usr/bin/env bash
# Without vocapan.cfg the panel greets, says the configuration is missing and ends, without
# opening a serial port.
source "$(dirname "$0")/lib.sh"
start_display
run_panel 30
expect_lines "$(prompt_files_opened)" wave/ftx.wav wave/3.wav wave/point.wav wave/5.wav wave/cfgnf.wav
expect_no_serial_port_opened
echo "PASS"
