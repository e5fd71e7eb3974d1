#!/usr/bin/env bash
# Start-up time and memory of the program with 16 simulated Plus boxes plugged in.
#
#   tools/measure-startup.sh [runs]        (default 7 runs; BUILD_DIR defaults to build-release)
#
# Builds a Release without sanitizers, starts the program in a fresh settings folder each run and
# prints the median time from process start to its "started in" log line (taken from the log line's
# own time stamp, so polling adds nothing), the part of it spent inside main(), and the resident
# memory (VmRSS) once started.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build-release}
runs=${1:-7}

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZYNE_SANITIZE=OFF -DZYNE_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target vx-zyne-plus-rgb -j2 >/dev/null
exe="$build/app/vx-zyne-plus-rgb"

work=$(mktemp -d)
pid=
cleanup() {
    if [[ -n $pid ]]; then kill -KILL "$pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

boxes=$(seq 0 15 | sed 's/.*/{"index": &}/' | paste -sd, -)
printf '{"plus": [%s]}\n' "$boxes" >"$work/rig.json"

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

touch "$work/total" "$work/inside" "$work/rss"
for run in $(seq 1 "$runs"); do
    home="$work/run-$run"
    mkdir -p "$home/config" "$home/tmp" "$home/runtime"
    chmod 700 "$home/runtime"
    launched=$(date +%s%3N)
    env HOME="$home" XDG_CONFIG_HOME="$home/config" TMPDIR="$home/tmp" XDG_RUNTIME_DIR="$home/runtime" \
        USER="zyne-measure-$run" QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES='zyne.*=true' \
        ZYNE_HID_BACKEND=sim ZYNE_SIM_RIG="$work/rig.json" ZYNE_SIM_TRACE="$home/trace.jsonl" \
        ZYNE_SIM_CONTROL="$home/control.sock" \
        "$exe" 2>"$home/stderr.log" &
    pid=$!

    line=
    for _ in $(seq 1 6000); do
        line=$(grep -m1 'started in' "$home/stderr.log" || true)
        [[ -n $line ]] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.005
    done
    if [[ -z $line ]]; then
        echo "run $run: no \"started in\" line; stderr:" >&2
        tail -20 "$home/stderr.log" >&2
        exit 1
    fi

    if ! grep -q 'checkControllerStr:.*1111111111111111' "$home/stderr.log"; then
        echo "run $run: the program did not find all 16 boxes" >&2
        exit 1
    fi

    stamp=${line%% *}
    echo $(($(date -d "$stamp" +%s%3N) - launched)) >>"$work/total"
    sed -E 's/.*started in ([0-9]+) ms.*/\1/' <<<"$line" >>"$work/inside"
    awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status" >>"$work/rss"

    kill -TERM "$pid"
    status=0
    wait "$pid" || status=$?
    pid=
    [[ $status -eq 0 ]] || { echo "run $run: exit code $status after SIGTERM" >&2; exit 1; }
done

total=$(median <"$work/total")
echo "runs: $runs, 16 simulated Plus boxes, $(nproc) cores"
echo "start-up, process start to \"started in\": median ${total} ms (all: $(sort -n "$work/total" | xargs))"
echo "  of which inside main(): median $(median <"$work/inside") ms"
echo "resident memory once started: median $(median <"$work/rss" | awk '{ printf "%.1f", $1 / 1024 }') MB"
