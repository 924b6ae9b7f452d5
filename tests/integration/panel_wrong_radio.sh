#!/usr/bin/env bash
# A radio that answers another identity is refused: the operator hears "rnftx" and the
# program ends by itself, switching the radio off last when configured to.
source "$(dirname "$0")/lib.sh"
start_display
start_radio 5 --id 0650
printf '%s\r\n' "com=5" "speed=38400" "swr=0" "tun=0" "pwroff=1" "rep10=-100" "rep6=-1000" \
  "rep2=-0600" "rep70=-7600" "relay=0" "debug=0" > "$work/vocapan.cfg"

run_panel 60

expect_lines "$(awk '{ print $3 }' "$work/radio.log" | tr -d '\r')" "VS0;" "ID;" "PS0;"
heard=$(grep '^wave' "$work/sound.log" | sed -e 's/^wave\\//' -e 's/\.wav$//')
expect_lines "$heard" ftx 3 point 5 delay rnftx delay
[[ $(grep -c $'\r$' "$work/savmem.dat") -eq 115 ]] || fail "the memories were not saved"
echo "PASS"
