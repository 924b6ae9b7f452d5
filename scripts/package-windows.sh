#!/usr/bin/env bash
# Makes the operator's package, build-win/vocapan-windows.zip: vocapan.exe and portseek.exe
# from the cross-build (scripts/build-windows.sh), the wave folder of prompts recorded
# afresh with the faster wave2 and wave3 beside it, the example vocapan.cfg and the guide
# README.txt, both with Windows line ends.
# Unpacked into a folder of its own, it runs as it is.
#
# Usage: package-windows.sh [BUILD_DIR]   (default build-win)
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${1:-build-win}
stage=$build_dir/package
zip_file=$build_dir/vocapan-windows.zip

fail() {
  echo "package-windows: $*" >&2
  exit 1
}

for program in vocapan portseek; do
  [[ -f $build_dir/bin/$program.exe ]] || fail "$build_dir/bin/$program.exe is missing; run scripts/build-windows.sh first"
done

rm -rf "$stage" "$zip_file"
mkdir -p "$stage"

# The debugging symbols are of no use to the operator and triple the size.
for program in vocapan portseek; do
  x86_64-w64-mingw32-strip -o "$stage/$program.exe" "$build_dir/bin/$program.exe"
done

# The voices of line 14: wave at 190 words a minute, wave2 and wave3 at two and three times that.
for voice in 1 2 3; do
  folder=wave$([[ $voice == 1 ]] || echo "$voice")
  PROMPT_SPEED=$((190 * voice)) scripts/make_prompts.sh "$stage/$folder" prompts/prompts.tsv
  PROMPT_SPEED_FACTOR=$voice prompts/check_prompts.sh "$stage/$folder" prompts/prompts.tsv src ||
    fail "the recorded prompts of $folder are incomplete"
done

# Notepad and the panel's reader both take CR LF; the repository keeps plain line ends.
for text in vocapan.cfg README.txt; do
  sed 's/\r*$/\r/' "package/$text" >"$stage/$text"
done

(cd "$stage" &&
  zip -q -X -r "$(basename "$zip_file")" vocapan.exe portseek.exe vocapan.cfg README.txt wave wave2 wave3 &&
  mv "$(basename "$zip_file")" ..)

# What the operator unpacks: both programs, the guide, the configuration and every prompt.
listing=$(unzip -Z1 "$zip_file")
for entry in vocapan.exe portseek.exe vocapan.cfg README.txt wave/delay.wav wave/cfgnf.wav wave2/cfgnf.wav \
  wave3/cfgnf.wav; do
  grep -qx "$entry" <<<"$listing" || fail "$zip_file lacks $entry"
done
echo "package-windows: $zip_file holds $(grep -c '^wave[23]*/.*\.wav$' <<<"$listing") prompts in three voices," \
  "$(du -k "$zip_file" | cut -f1) KiB"
