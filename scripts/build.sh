#!/usr/bin/env bash
# Builds into build/: everything, or only the targets named (for example vocapan ftxsim).
set -euo pipefail
cd "$(dirname "$0")/.."
# VOCAPAN_TESTS=OFF leaves the tests out, for a machine without GoogleTest (the demo's).
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVOCAPAN_TESTS="${VOCAPAN_TESTS:-ON}"
if (($#)); then
  cmake --build build -j"$(nproc)" --target "$@"
else
  cmake --build build -j"$(nproc)"
fi
