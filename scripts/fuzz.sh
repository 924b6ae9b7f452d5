#!/usr/bin/env bash
# Builds the fuzz targets with clang into build-fuzz/ and runs each in turn for the seconds
# given, starting from its seeds in fuzz/corpus/ and the inputs earlier runs found. Prints the
# executions and findings of each target; fails when any target found a fault, whose input
# is kept in build-fuzz/findings/ (run the target on that file to see the fault again).
#   scripts/fuzz.sh [seconds per target, default 60] [target...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
targets=("$@")
if ((${#targets[@]} == 0)); then
  targets=(radio_answers_fuzz relay_input_fuzz configuration_fuzz memory_file_fuzz portseek_config_fuzz)
fi

cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 -DVOCAPAN_FUZZ=ON >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}"

# The targets write the panel's files in a folder of their own for every input; a folder in
# memory spares the disk.
if [[ -w /dev/shm ]]; then export TMPDIR=/dev/shm; fi
export LSAN_OPTIONS="suppressions=$(pwd)/tests/leak-suppressions.txt"
findings_dir=$(pwd)/build-fuzz/findings
mkdir -p "$findings_dir"

summary=()
failed=0
for target in "${targets[@]}"; do
  name=${target%_fuzz}
  # Paths are whole: each target works in a folder of its own, made its working folder.
  corpus=$(pwd)/build-fuzz/corpus/$name
  log=build-fuzz/$target.log
  mkdir -p "$corpus"
  before=$(find "$findings_dir" -name "$target-*" | wc -l)
  status=0
  "$(pwd)/build-fuzz/bin/$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$findings_dir/$target-" "$corpus" "$(pwd)/fuzz/corpus/$name" >"$log" 2>&1 || status=$?
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  findings=$(($(find "$findings_dir" -name "$target-*" | wc -l) - before))
  if ((status != 0 && findings == 0)); then findings=1; fi
  if ((findings > 0)); then
    failed=1
    grep -E '^(==[0-9]+==ERROR|SUMMARY|.*runtime error)' "$log" | head -5 || true
  fi
  summary+=("$(printf '%-22s %8s s %12s executions %3d findings' "$target" "$seconds" "${executions:-?}" "$findings")")
done

printf '%s\n' "${summary[@]}"
if ((failed)); then
  echo "fuzz: a target found a fault; its log is build-fuzz/<target>.log, its input in $findings_dir" >&2
  exit 1
fi
