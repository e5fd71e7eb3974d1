#!/usr/bin/env bash
# Runs every libFuzzer target for a number of executions at the lowest priority.
#
#   tools/run-fuzzers.sh [runs]      (default 10000000; BUILD_DIR defaults to build-fuzz)
#
# Builds the targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer, runs each from an
# empty corpus and reports the executions done and whether it stopped on a fault.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build-fuzz}
runs=${1:-10000000}
targets=(settings_ini_fuzz xqcomm_fuzz_reply xqcomm_fuzz_descriptor mobile_frames_fuzz script_reader_fuzz)

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZYNE_SANITIZE=ON \
    -DZYNE_BUILD_TESTS=ON -DZYNE_BUILD_FUZZ=ON >/dev/null
cmake --build "$build" --target "${targets[@]}" -j2 >/dev/null

for target in "${targets[@]}"; do
    exe=$(find "$build" -type f -name "$target" -perm -u+x | head -1)
    corpus="$build/corpus/$target"
    mkdir -p "$corpus"
    log="$build/$target.log"
    status=0
    nice -n 19 "$exe" -runs="$runs" -max_len=4096 -print_final_stats=1 "$corpus" >"$log" 2>&1 || status=$?
    done_runs=$(awk '/stat::number_of_executed_units/ { print $2 }' "$log")
    echo "$target: ${done_runs:-?} executions, exit status $status ($log)"
done
