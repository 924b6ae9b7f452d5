#!/usr/bin/env bash
# Records the panel's voice: one OUTDIR/NAME.wav per row of prompts/prompts.tsv, spoken by
# espeak-ng and cut to the word by sox (mono, 16-bit PCM, 22050 Hz). Rows whose words are
# "<silence MS>" or "<tone HZ MS>" become a pause or a beep instead of speech.
#
# Usage: make_prompts.sh OUTDIR [TSV]
# A file newer than both the table and this script is kept, so a rebuild only records what
# changed. Any failure names the prompt and ends with a non-zero status.
set -euo pipefail

script_path=$(readlink -f "$0")
usage="usage: make_prompts.sh OUTDIR [TSV]"
out_dir=${1:?$usage}
tsv=$(readlink -f "${2:-$(dirname "$script_path")/../prompts/prompts.tsv}")

ESPEAK_NG=${ESPEAK_NG:-espeak-ng}
SOX=${SOX:-sox}
VOICE=${PROMPT_VOICE:-en}
WORDS_PER_MINUTE=${PROMPT_SPEED:-190}
RATE=22050
# Silence kept after every prompt, so that "1" "4" "point" do not run into each other.
TAIL_SECONDS=0.03
# espeak-ng pads its words with digital silence; anything above this level is speech.
TRIM_LEVEL=0.1%

fail() {
  echo "make_prompts: $*" >&2
  exit 1
}

for tool in "$ESPEAK_NG" "$SOX"; do
  command -v "$tool" >/dev/null 2>&1 || fail "'$tool' not found; install espeak-ng and sox"
done
[[ -r $tsv ]] || fail "prompt table '$tsv' not readable"

# Records one prompt into OUTDIR/NAME.wav; a failed recording leaves no file behind.
record_prompt() {
  local name=$1 words=$2
  local target="$out_dir/$name.wav"
  if [[ -s $target && $target -nt $tsv && $target -nt $script_path ]]; then
    return 0
  fi
  partial="$out_dir/.$name.partial.wav"
  spoken="$out_dir/.$name.spoken.wav"
  trap 'rm -f "$partial" "$spoken"' EXIT
  local format=(-r "$RATE" -c 1 -b 16 -e signed-integer)
  # Speech that trims down to its tail alone was silence: espeak-ng said nothing.
  local least_samples=1
  if [[ $words =~ ^\<silence\ ([0-9]+)\>$ ]]; then
    local seconds
    seconds=$(printf '%d.%03d' $((BASH_REMATCH[1] / 1000)) $((BASH_REMATCH[1] % 1000)))
    "$SOX" -n "${format[@]}" "$partial" trim 0 "$seconds" ||
      fail "prompt '$name': sox could not make the silence"
  elif [[ $words =~ ^\<tone\ ([0-9]+)\ ([0-9]+)\>$ ]]; then
    local seconds
    seconds=$(printf '%d.%03d' $((BASH_REMATCH[2] / 1000)) $((BASH_REMATCH[2] % 1000)))
    # Short fades keep the beep free of clicks; -6 dB keeps it below the voice.
    "$SOX" -n "${format[@]}" "$partial" synth "$seconds" sine "${BASH_REMATCH[1]}" \
      fade 0.005 "$seconds" 0.01 gain -6 pad 0 "$TAIL_SECONDS" ||
      fail "prompt '$name': sox could not make the tone"
  elif [[ $words == \<* ]]; then
    fail "prompt '$name': unknown special words '$words'"
  else
    least_samples=$((RATE / 20))
    "$ESPEAK_NG" -v "$VOICE" -s "$WORDS_PER_MINUTE" -w "$spoken" -- "$words" ||
      fail "prompt '$name': espeak-ng failed"
    # Trim the silence before the first sound and after the last, then add the fixed tail.
    "$SOX" "$spoken" "${format[@]}" "$partial" \
      silence 1 0.005 "$TRIM_LEVEL" reverse silence 1 0.005 "$TRIM_LEVEL" reverse \
      gain -n -3 pad 0 "$TAIL_SECONDS" ||
      fail "prompt '$name': sox could not trim the recording"
  fi
  local samples
  samples=$("$SOX" --i -s "$partial" 2>/dev/null) || samples=0
  if [[ ! $samples =~ ^[0-9]+$ ]] || ((samples < least_samples)); then
    fail "prompt '$name': the recording came out empty"
  fi
  mv -f "$partial" "$target"
}

# Reads the table into NAME/WORDS pairs, checking each name is a usable file name.
rows=()
declare -A seen=()
line_number=0
while IFS=$'\t' read -r name words || [[ -n $name ]]; do
  line_number=$((line_number + 1))
  ((line_number == 1)) && continue
  name=${name%$'\r'}
  words=${words%$'\r'}
  [[ -z $name ]] && continue
  [[ $name =~ ^[A-Za-z0-9]+$ ]] || fail "line $line_number: bad prompt name '$name'"
  [[ -n $words ]] || fail "prompt '$name': no words given"
  [[ -z ${seen[$name]:-} ]] || fail "prompt '$name' listed twice"
  seen[$name]=1
  rows+=("$name" "$words")
done <"$tsv"
((${#rows[@]} > 0)) || fail "prompt table '$tsv' lists no prompts"

mkdir -p "$out_dir"
out_dir=$(readlink -f "$out_dir")
export -f record_prompt fail
export out_dir tsv script_path ESPEAK_NG SOX VOICE WORDS_PER_MINUTE RATE TAIL_SECONDS TRIM_LEVEL

# Two recordings at a time; xargs reports a non-zero status when any of them failed.
# shellcheck disable=SC2016 # $1 and $2 belong to the inner shell
printf '%s\0' "${rows[@]}" |
  xargs -0 -n 2 -P 2 bash -c 'record_prompt "$1" "$2"' record_prompt ||
  fail "some prompts could not be recorded (see above)"
