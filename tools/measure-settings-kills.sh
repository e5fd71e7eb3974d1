#!/usr/bin/env bash
# Kills a settings writer at random moments and checks what the next write finds.
#
#   tools/measure-settings-kills.sh [kills]     (default 1000; BUILD_DIR defaults to build-release)
#
# Each round starts a process that writes Device.ini and Profile1.ini in turn, kills it with
# SIGKILL after a random 0-40 ms, then runs a probe that checks both files are whole, writes each
# once and times the writes. Counts damaged files, writes slower than 100 ms, and the temporary
# and lock files left in the folder after the probe's write.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build-release}
kills=${1:-1000}

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZYNE_SANITIZE=OFF -DZYNE_BUILD_TESTS=OFF \
    -DZYNE_BUILD_BENCH=ON >/dev/null
cmake --build "$build" --target settings_kill_writer -j2 >/dev/null
tool="$build/bench/settings/settings_kill_writer"

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT

damaged=0 slow=0 leftovers=0 slowest=0 unlocked=0
for round in $(seq 1 "$kills"); do
    "$tool" write "$folder" &
    writer=$!
    sleep "0.0$(printf '%02d' $((RANDOM % 40)))"
    kill -KILL "$writer"
    wait "$writer" 2>/dev/null || true
    read -r bad device_ms profile_ms without_lock < <("$tool" probe "$folder")
    damaged=$((damaged + bad))
    unlocked=$((unlocked + without_lock))
    for ms in "$device_ms" "$profile_ms"; do
        ((ms > 100)) && slow=$((slow + 1))
        ((ms > slowest)) && slowest=$ms
    done
    # The probe held each file's lock while writing: nothing of a killed write may be left.
    left=$(find "$folder" -name '*.zyne-*' -o -name '*.lock' | wc -l)
    leftovers=$((leftovers + left))
done
echo "kills: $kills"
echo "damaged files found after a kill: $damaged"
echo "writes after a kill slower than 100 ms: $slow (slowest $slowest ms)"
echo "temporary or lock files left after the next write: $leftovers"
echo "writes after a kill that gave up waiting for the lock: $unlocked"
