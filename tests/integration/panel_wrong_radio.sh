#!/usr/bin/env bash
# A radio that answers another identity is refused: the operator hears "rnftx" and the
# program ends by itself, switching the radio off last when configured to.
source "$(dirname "$0")/lib.sh"
start_display
start_radio 5 --id 0650
write_configuration 0 1 0

run_panel 60

expect_lines "$(awk '{ print $3 }' "$work/radio.log" | tr -d '\r')" "VS0;" "ID;" "PS0;"
heard=$(grep '^wave' "$work/sound.log" | sed -e 's/^wave\\//' -e 's/\.wav$//')
expect_lines "$heard" ftx 3 point 5 delay rnftx delay
[[ $(grep -c $'\r$' "$work/savmem.dat") -eq 115 ]] || fail "the memories were not saved"
echo "PASS"
