#!/usr/bin/env bash
# An operator's session with the real panel against the simulated radio: a channel stored
# and recalled, U stepping quietly, the menu read, the keyer speed, a 2 m repeater with its
# offset, shift and CTCSS tone stored into a channel, a DCS code through C4FM and back, U onto
# the repeater channel, the immediate keys, and split ended by a frequency outside the bands.
source "$(dirname "$0")/lib.sh"
start_display
start_radio 5
write_configuration 1 0 1

start_panel 240
wait_until_connected
xdotool windowfocus --sync "$window"

# C 5 stores channel 5 of bank 0 at once.
type_until_heard ok c 5
grep -q $'^0104A007100000B0071000009990\r$' "$work/savmem.dat" || fail "channel 5 not in savmem.dat"
grep -q 'Slot 5 A=7.1  B=7.1  LSB' "$work/memory.txt" || fail "channel 5 not listed: $(cat "$work/memory.txt")"

# G 5 recalls it; the next report announces frequency, mode and preamplifier.
mark
type_until_heard metres g 5
expect_sent_in_order ST0 BS003 FA007100000 MD01 NA00 CT00 PA00
type_until_heard off

# U steps to the next used channel without the frequency words.
mark
type_until_heard channel u
expect_sent_in_order ST0 BS003 FA007100000

# The menu read and the keyer speed.
type_until_heard mp n 0 3 0 1 0 1 Return
type_until_heard delay Return
type_until_heard wpm k
type_until_heard wpm k

# 2 m, a typed offset, the shift, a CTCSS tone, the readout and a channel with it all.
type_until_heard metres b t
type_until_heard khz x o minus 6 0 0 Return
mark
type_until_heard on v
expect_sent_in_order EX0103180012 OS02
mark
type_until_heard on i 0 1 2 Return
expect_sent_in_order CN00012 CT02
type_until_heard 2 f
grep -q 'wave.repeater.wav' "$work/sound.log" || fail "F did not say repeater"
type_until_heard ok c 9
grep -q $'^5512A145000000B-000006000120\r$' "$work/savmem.dat" ||
  fail "the repeater channel was not stored: $(sed -n 16,30p "$work/savmem.dat")"
grep -q 'Slot 9 A=145.0  FMN  Repeater  -600Khz          CTCSS=012' "$work/memory.txt" ||
  fail "the repeater channel was not listed: $(cat "$work/memory.txt")"

# D to C4FM and back brings a DCS code back as DCS.
type_until_heard off i
type_until_heard on i 7 5 4 Return
type_until_heard c4fm d
mark
type_until_heard fm d
expect_sent_in_order CN01054 CT03

# U steps quietly onto the repeater channel, but says that the shift is on.
type_until_heard metres g 5
type_until_heard off
mark
type_until_heard on u
expect_lines "$(heard_since_mark | head -n 8)" channel 9 2 metres delay delay repeater on
expect_sent_in_order BS015 FA145000000 EX0103180012 OS02
wait_polls

# The immediate keys; keyed in LSB and stepped on to AM, Space still unkeys, and keys again
# only in SSB or CW.
type_until_heard 40 b 4
mark
type_until_heard on space
type_until_heard am m m m
type_until_heard off space
expect_sent_in_order TX1 MD05 TX0
type_until_heard na space
type_until_heard lsb m
type_until_heard swrwiths t
type_until_heard off t
type_until_heard '\(ant2\|na\)' x c
type_until_heard off x a x
type_until_heard on F12
type_until_heard lev l
type_until_heard watts p
type_until_heard lev F11
type_until_heard off F11

# Split on, then a frequency typed outside the amateur bands ends it at the radio too.
wait_polls
type_until_heard split v
mark
type_until_heard ok e 9 period 6 Return
expect_sent_in_order ST0 BS011 FA009600000
xdotool key q
wait "$panel" || fail "the panel did not end after Q"
echo "PASS"
