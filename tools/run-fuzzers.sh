#!/usr/bin/env bash
# Runs every libFuzzer target for a number of executions at the lowest priority.
#
#   tools/run-fuzzers.sh [runs] [target ...]
#       runs      executions per target (default 10000000)
#       target    the targets to run (default: all of them)
#   BUILD_DIR     build folder (default build-fuzz)
#   PARALLEL      processes per target, each with its own seed and an equal share of the runs
#                 (default: the number of cores)
#
# Builds the targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer, runs each from its
# corpus folder (empty at first) and reports the executions done and whether any process stopped on
# a fault.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build-fuzz}
runs=${1:-10000000}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] ||
    targets=(settings_ini_fuzz xqcomm_fuzz_reply xqcomm_fuzz_descriptor mobile_frames_fuzz script_reader_fuzz)
parallel=${PARALLEL:-$(nproc)}

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZYNE_SANITIZE=ON \
    -DZYNE_BUILD_TESTS=ON -DZYNE_BUILD_FUZZ=ON >/dev/null
cmake --build "$build" --target "${targets[@]}" -j2 >/dev/null

# The targets allocate a lot per run, and what ASan and libFuzzer do per allocation costs more than
# the run itself: a small quarantine (the default 256 MB of freed memory kept aside turns most of a
# run into page faults; use-after-free of recent allocations is still caught), no fill pattern in
# new blocks, two frames of allocation stack (a kept crash input replays with full stacks), and
# leaks checked once at exit rather than after every input (-detect_leaks=0). Together they make a
# settings run three to four times faster.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=4:max_malloc_fill_size=0:malloc_context_size=2}

faults=0
for target in "${targets[@]}"; do
    exe=$(find "$build" -type f -name "$target" -perm -u+x | head -1)
    corpus="$build/corpus/$target"
    mkdir -p "$corpus"
    pids=()
    for k in $(seq 1 "$parallel"); do
        log="$build/$target.$k.log"
        # The chip library's own warnings (a reply that never ends, ...) are expected here by the
        # million; only libFuzzer's lines are kept.
        (nice -n 19 "$exe" -runs=$((runs / parallel)) -seed="$k" -max_len=4096 -detect_leaks=0 \
            -print_final_stats=1 -artifact_prefix="$build/$target-" "$corpus" 2>&1 |
            grep -v '^zyne\.xqcomm: ' >"$log"
            exit "${PIPESTATUS[0]}") &
        pids+=($!)
    done
    total=0 failed=0
    for k in $(seq 1 "$parallel"); do
        status=0
        wait "${pids[$((k - 1))]}" || status=$?
        log="$build/$target.$k.log"
        done_runs=$(awk '/stat::number_of_executed_units/ { print $2 }' "$log")
        total=$((total + ${done_runs:-0}))
        [ "$status" -eq 0 ] || { failed=$((failed + 1)); echo "$target: process $k stopped with status $status ($log)"; }
    done
    echo "$target: $total executions in $parallel processes, $failed stopped on a fault"
    [ "$failed" -eq 0 ] || faults=$((faults + 1))
done
[ "$faults" -eq 0 ]
