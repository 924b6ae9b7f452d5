#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test: the unit, whole-panel and
# integration tests of the Linux build, the same unit and whole-panel tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, and the Windows cross-build with its checks.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
scripts/build.sh
(cd build && ctest --output-on-failure -j2 --timeout 300)

# The sanitizer build runs everything but the tests of the real binaries, which the plain
# build has just run.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVOCAPAN_SANITIZE=ON
cmake --build build-asan -j"$(nproc)"
(cd build-asan && ctest --output-on-failure -j2 --timeout 300 -LE integration)
