#!/usr/bin/env bash
# Builds the Linux programs, the simulated radio and the prompt recordings into build/.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
