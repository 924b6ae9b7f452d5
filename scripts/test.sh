#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test: the unit, whole-panel and
# integration tests of the Linux build, the Windows cross-build with its checks under wine,
# the unit and whole-panel tests again under AddressSanitizer and UndefinedBehaviorSanitizer,
# and a short run of each fuzz target on its seeds under both.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

# One formatter for all the C++ sources; a file it would change fails the run.
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
# Includes run one way, from the drivers down to the platform.
scripts/check-layers.sh

scripts/build.sh
scripts/build-windows.sh
scripts/package-windows.sh

# The window tests and the tests of the real panel need an X display; a virtual one serves.
if [[ -z ${DISPLAY:-} ]]; then
  display_number=$(mktemp)
  Xvfb -displayfd 9 -noreset -screen 0 1280x1024x24 9>"$display_number" 2>/dev/null &
  display_pid=$!
  trap 'kill $display_pid 2>/dev/null || true; rm -f "$display_number"' EXIT
  for _ in $(seq 100); do [[ -s $display_number ]] && break; sleep 0.05; done
  export DISPLAY=":$(cat "$display_number")"
fi

(cd build && ctest --output-on-failure -j2 --timeout 300)

# Each reader of outside input gets 10 seconds of generated input under both sanitizers; a
# finding fails the run.
scripts/fuzz.sh 10

# The sanitizer build runs everything but the tests of the real programs, which the plain
# build has just run.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVOCAPAN_SANITIZE=ON
cmake --build build-asan -j"$(nproc)"
export LSAN_OPTIONS="suppressions=$(pwd)/tests/leak-suppressions.txt"
(cd build-asan && ctest --output-on-failure -j2 --timeout 300 -LE integration)
