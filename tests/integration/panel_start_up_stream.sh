#!/usr/bin/env bash
# Against the simulated radio on 40 m, with the default band table and no memory file, the
# radio hears the start-up in its exact order, then the frequency and S-meter polls one every
# 100 ms, and the operator hears the band, the first report and "connected".
source "$(dirname "$0")/lib.sh"
start_display
start_radio 5
write_configuration 0 0 0

start_panel 90

startup=(VS0\; ID\; EX0307030\; EX0307040\; BS003\; FA007100000\;
  MD01\; NA00\; FA007100000\; SH0014\; MD01\; NA00\; FA007100000\; SH0014\;
  RA00\; NL0000\; CO000000\; GT0\; AG0\; AG1\; ML0\; ML1\; PC\; PR0\; AC\; AC100\; VX\; BI\;
  FA\; PA00\; SM0\;)

# The start-up takes as long as its prompts; then let the polls run until the radio has
# heard twenty more.
wait_until_connected
for _ in $(seq 600); do (($(wc -l <"$work/radio.log") >= ${#startup[@]} + 20)) && break; sleep 0.05; done
"$BIN_DIR/x_close_window" "$window"
wait "$panel" || fail "the panel did not end after the close request"

# radio.log lines: "hh:mm:ss.mmm baud command"
commands=$(awk '{ print $3 }' "$work/radio.log" | tr -d '\r')
expect_lines "$(head -n ${#startup[@]} <<<"$commands")" "${startup[@]}"

# After the first report only the two polls follow, alternately.
polls=$(tail -n +$((${#startup[@]} + 1)) <<<"$commands")
[[ $(wc -l <<<"$polls") -ge 20 ]] || fail "too few polls in 30 s: $polls"
alternating=$(awk 'NR % 2 == 1 && $0 != "FA;" { bad = 1 } NR % 2 == 0 && $0 != "SM0;" { bad = 1 } END { print bad ? "no" : "yes" }' <<<"$polls")
[[ $alternating == yes ]] || fail "polls are not FA; and SM0; alternately: $polls"

# One poll every 100 ms: the mean spacing of the polls after the first report.
spacing=$(tail -n +$((${#startup[@]} + 1)) "$work/radio.log" | awk '
  { split($1, t, ":"); ms = (t[1] * 3600 + t[2] * 60 + t[3]) * 1000
    if (NR > 1) { total += ms - last; n++ } last = ms }
  END { printf "%d", total / n }')
((spacing >= 85 && spacing <= 150)) || fail "polls are $spacing ms apart on average, not 100"

# What the operator heard, from the prompt folder (the silent S-meter uses another prefix).
heard=$(grep '^wave' "$work/sound.log" | sed -e 's/^wave\\//' -e 's/\.wav$//')
delays=()
for _ in $(seq 11); do delays+=(delay); done
expect_lines "$heard" ftx 3 point 5 delay 40 metres "${delays[@]}" 7 point 1 mhz lsb preamp off connected
echo "PASS (polls $spacing ms apart)"
