#!/usr/bin/env bash
# CPU use of the running program with one simulated Plus box polled every 65 ms.
#
#   tools/measure-cpu.sh [seconds]        (default 30; BUILD_DIR defaults to build-release)
#
# Builds a Release without sanitizers, lets the program settle, then reads its user and system
# CPU time over the given span and prints it as a percentage of one core.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build-release}
seconds=${1:-30}

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZYNE_SANITIZE=OFF -DZYNE_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target vx-zyne-plus-rgb -j2 >/dev/null

home=$(mktemp -d)
pid=
cleanup() {
    if [[ -n $pid ]]; then kill -TERM "$pid" 2>/dev/null || true; fi
    rm -rf "$home"
}
trap cleanup EXIT
mkdir -p "$home/config" "$home/runtime"
chmod 700 "$home/runtime"

env HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/runtime" USER=zyne-measure-cpu \
    QT_QPA_PLATFORM=offscreen ZYNE_HID_BACKEND=sim "$build/app/vx-zyne-plus-rgb" 2>/dev/null &
pid=$!
sleep 2

ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
hz=$(getconf CLK_TCK)
before=$(ticks)
sleep "$seconds"
after=$(ticks)
polls=$(grep -c 'receiveFanSpeed' "$home/config/Vx/RGBZynePlus/ZynePlus.log" || true)
awk -v t=$((after - before)) -v hz="$hz" -v s="$seconds" -v polls="$polls" \
    'BEGIN { printf "CPU: %.2f %% of one core over %d s (%d speed reports logged in all)\n", 100 * t / hz / s, s, polls }'
