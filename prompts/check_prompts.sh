#!/usr/bin/env bash
# Checks a recorded prompt folder against the prompt table: every name has a playable
# mono 16-bit WAV, the reply pause "delay" keeps its length, and words are cut tight
# enough that a frequency readout does not drag. With SRCDIR given, every "NAME.wav"
# that the program sources name must also be in the table. PROMPT_SPEED_FACTOR (1, 2, 3)
# names the faster recordings, whose words are that many times shorter.
#
# Usage: check_prompts.sh WAVEDIR TSV [SRCDIR]
set -uo pipefail

wave_dir=${1:?usage: check_prompts.sh WAVEDIR TSV [SRCDIR]}
tsv=${2:?usage: check_prompts.sh WAVEDIR TSV [SRCDIR]}
src_dir=${3:-}
SOX=${SOX:-sox}
speed_factor=${PROMPT_SPEED_FACTOR:-1}
faults=0

fault() {
  echo "prompt check: $*" >&2
  faults=$((faults + 1))
}

# Duration of a file in seconds, compared as milliseconds to keep to integer arithmetic.
milliseconds() {
  local seconds
  seconds=$("$SOX" --i -D "$1" 2>/dev/null) || return 1
  awk -v s="$seconds" 'BEGIN { printf "%d", s * 1000 + 0.5 }'
}

expect_length() {
  local name=$1 low=$2 high=$3 ms
  ms=$(milliseconds "$wave_dir/$name.wav") || return 0
  if ((ms < low || ms > high)); then
    fault "'$name' lasts $ms ms, expected $low to $high ms"
  fi
}

names=()
while IFS=$'\t' read -r name _ || [[ -n $name ]]; do
  name=${name%$'\r'}
  [[ -n $name ]] && names+=("$name")
done < <(tail -n +2 "$tsv")
((${#names[@]} > 0)) || fault "no prompt names in '$tsv'"

for name in "${names[@]}"; do
  file="$wave_dir/$name.wav"
  if [[ ! -s $file ]]; then
    fault "'$name': $file missing or empty"
    continue
  fi
  info=$("$SOX" --i -t "$file" 2>/dev/null)/$("$SOX" --i -c "$file" 2>/dev/null)/$("$SOX" --i -b "$file" 2>/dev/null)/$("$SOX" --i -e "$file" 2>/dev/null)
  if [[ $info != "wav/1/16/Signed Integer PCM" ]]; then
    fault "'$name': expected a mono 16-bit PCM wav, found '$info'"
    continue
  fi
  samples=$("$SOX" --i -s "$file")
  ((samples > 0)) || fault "'$name': no samples"
done

# The reply pause of the serial link is the length of "delay".
expect_length delay 120 200
expect_length beep 50 300
# Digits are said many times in a row; untrimmed espeak-ng output would last about 0.75 s.
for word in 0 1 2 3 4 5 6 7 8 9 point; do
  expect_length "$word" $((150 / speed_factor)) $((599 / speed_factor))
done

if [[ -n $src_dir ]]; then
  # The table's names as one text: grep -q on a pipe would end its writer early, and
  # pipefail would then count a name that is there as missing.
  table_names=$(printf '%s\n' "${names[@]}")
  while read -r wav_name; do
    name=${wav_name%.wav}
    grep -qxF -- "$name" <<<"$table_names" ||
      fault "the program plays '$wav_name' but the prompt table has no '$name'"
  done < <(grep -rhoE --include='*.cpp' --include='*.h' '"[A-Za-z0-9]+\.wav"' "$src_dir" | tr -d '"' | sort -u)
fi

if ((faults > 0)); then
  echo "prompt check: $faults fault(s) in $wave_dir" >&2
  exit 1
fi
echo "prompt check: ${#names[@]} prompts in $wave_dir are complete"
