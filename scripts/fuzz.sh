#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each in turn for the seconds given, starting
# from its seeds in fuzz/corpus/ and the inputs earlier runs found (build-fuzz/corpus/).
# Prints the executions and findings of each target; fails when any target found a fault,
# whose input is kept in build-fuzz/findings/ (run the target on that file to see it again).
#   scripts/fuzz.sh [seconds per target, default 60] [target...]
#   scripts/fuzz.sh replay [target...]   every input found so far, once, and nothing new
#   scripts/fuzz.sh merge [target...]    fuzz/corpus/<name> becomes a small set of inputs that
#                                        reaches every branch the seeds and found inputs reach
# FUZZ_SANITIZERS chooses the build: "address,undefined" (the default, in build-fuzz/), or
# "undefined" or "none" for long runs several times faster (in build-fuzz-fast/).
# FUZZ_EXECUTIONS=N ends each target's run after N executions instead of after the seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

mode=run
seconds=60
case "${1:-}" in
  replay | merge) mode=$1 && shift ;;
  '' | *_fuzz) ;;
  *) seconds=$1 && shift ;;
esac
targets=("$@")
if ((${#targets[@]} == 0)); then
  targets=(radio_answers_fuzz startup_query_fuzz relay_input_fuzz rig_server_fuzz configuration_fuzz
    memory_file_fuzz portseek_config_fuzz wsjtx_datagrams_fuzz)
fi

sanitizers=${FUZZ_SANITIZERS:-address,undefined}
build=build-fuzz
build_type=RelWithDebInfo
if [[ $sanitizers != address,undefined ]]; then
  build=build-fuzz-fast
  build_type=Release
fi
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=$build_type -DCMAKE_CXX_COMPILER=clang++-14 -DVOCAPAN_FUZZ=ON \
  -DVOCAPAN_FUZZ_SANITIZERS="$sanitizers" >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"

# The targets write the panel's files in a folder of their own for every input; a folder in
# memory spares the disk.
if [[ -w /dev/shm ]]; then export TMPDIR=/dev/shm; fi
export LSAN_OPTIONS="suppressions=$root/tests/leak-suppressions.txt"
findings_dir=$root/build-fuzz/findings
mkdir -p "$findings_dir"

summary=()
failed=0
for target in "${targets[@]}"; do
  name=${target%_fuzz}
  # Paths are whole: each target works in a folder of its own, made its working folder.
  corpus=$root/build-fuzz/corpus/$name
  seeds=$root/fuzz/corpus/$name
  log=$root/$build/$target.log
  mkdir -p "$corpus"
  if [[ $mode == merge ]]; then
    rm -rf "$seeds.merged" && mkdir "$seeds.merged"
    # Branches only, not how often each runs: a few hundred inputs rather than thousands.
    "$root/$build/bin/$target" -merge=1 -use_counters=0 "$seeds.merged" "$seeds" "$corpus" >"$log" 2>&1
    rm -rf "$seeds" && mv "$seeds.merged" "$seeds"
    summary+=("$(printf '%-22s %5d inputs kept' "$target" "$(find "$seeds" -type f | wc -l)")")
    continue
  fi
  limit=(-max_total_time="$seconds")
  if [[ -n ${FUZZ_EXECUTIONS:-} ]]; then limit=(-runs="$FUZZ_EXECUTIONS"); fi
  if [[ $mode == replay ]]; then limit=(-runs=0); fi
  before=$(find "$findings_dir" -name "$target-*" | wc -l)
  status=0
  SECONDS=0
  "$root/$build/bin/$target" "${limit[@]}" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$findings_dir/$target-" "$corpus" "$seeds" >"$log" 2>&1 || status=$?
  took=$SECONDS
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  findings=$(($(find "$findings_dir" -name "$target-*" | wc -l) - before))
  if ((status != 0 && findings == 0)); then findings=1; fi
  if ((findings > 0)); then
    failed=1
    grep -E '^(==[0-9]+==ERROR|SUMMARY|.*runtime error)' "$log" | head -5 || true
  fi
  summary+=("$(printf '%-22s %6s s %12s executions %3d findings (%s)' "$target" "$took" "${executions:-?}" \
    "$findings" "$sanitizers")")
done

printf '%s\n' "${summary[@]}"
if ((failed)); then
  echo "fuzz: a target found a fault; its log is $build/<target>.log, its input in $findings_dir" >&2
  exit 1
fi
