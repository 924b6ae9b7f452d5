#!/usr/bin/env bash
# Tests the Windows programs after scripts/build-windows.sh: the unit tests of the Windows
# backends' rules, and the cross-built vocapan.exe and portseek.exe run under wine against
# the simulated radio; then, when scripts/package-windows.sh has made the zip, the programs,
# prompts and example configuration unpacked from it. Uses the Linux build (default build/) for the test programs, the
# simulated radio and the prompt recordings. Here a missing wine or program is a failure,
# not a skip.
#
# Usage: test-windows.sh [LINUX_BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${1:-build}
[[ -f $build_dir/CMakeCache.txt ]] || cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build_dir" -j"$(nproc)" --target windows_tests ftxsim prompts
VOCAPAN_WINE_REQUIRED=1 ctest --test-dir "$build_dir" -L windows --output-on-failure --timeout 300

zip_file=build-win/vocapan-windows.zip
if [[ -f $zip_file ]]; then
  unpacked=$build_dir/windows-package
  rm -rf "$unpacked"
  mkdir -p "$unpacked"
  unzip -q "$zip_file" -d "$unpacked"
  for scenario in vocapan_polls_the_radio_and_quits_on_q portseek_without_ports; do
    VOCAPAN_WINE_REQUIRED=1 tests/windows/wine_test.sh "$scenario" "$unpacked" "$unpacked/wave" \
      "$build_dir/wine" "$build_dir/bin/ftxsim"
  done
fi
