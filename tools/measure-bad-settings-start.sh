#!/usr/bin/env bash
# Start-up with settings files that are not settings files: a FIFO as Device.ini, a link to
# /dev/zero as Device.ini and as the profile, and a 50 MB Device.ini.
#
#   tools/measure-bad-settings-start.sh        (BUILD_DIR defaults to build-release)
#
# For each case: the time from process start to the "started in" line (logged once the window,
# engine and tray icon are up), and the peak resident memory (VmHWM) two seconds later.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build-release}

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

prepare() {
    local settings=$1/config/Vx/RGBZynePlus
    mkdir -p "$settings/ZynePlus"
    case $2 in
    fifo) mkfifo "$settings/Device.ini" ;;
    zero) ln -s /dev/zero "$settings/Device.ini" && ln -s /dev/zero "$settings/ZynePlus/Profile1.ini" ;;
    large) { printf '[Device0]\nProfile=2\n'; head -c $((50 * 1024 * 1024)) /dev/zero | tr '\0' '#'; } \
        >"$settings/Device.ini" ;;
    none) ;;
    esac
}

for case in none fifo zero large; do
    home="$work/$case"
    mkdir -p "$home/tmp" "$home/runtime"
    chmod 700 "$home/runtime"
    prepare "$home" "$case"
    launched=$(date +%s%3N)
    env HOME="$home" XDG_CONFIG_HOME="$home/config" TMPDIR="$home/tmp" XDG_RUNTIME_DIR="$home/runtime" \
        QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES='zyne.start=true' ZYNE_HID_BACKEND=sim \
        "$exe" 2>"$home/stderr.log" &
    pid=$!
    line=
    for _ in $(seq 1 2000); do
        line=$(grep -m1 'started in' "$home/stderr.log" || true)
        [[ -n $line ]] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.005
    done
    if [[ -z $line ]]; then
        echo "$case: no \"started in\" line within 10 s; stderr:" >&2
        tail -5 "$home/stderr.log" >&2
        kill -KILL "$pid"
        wait "$pid" 2>/dev/null || true
        pid=
        continue
    fi
    stamp=${line%% *}
    sleep 2
    peak=$(awk '/^VmHWM:/ { printf "%.1f", $2 / 1024 }' "/proc/$pid/status")
    kill -TERM "$pid"
    wait "$pid" || true
    pid=
    printf '%-6s to the tray: %5d ms   peak resident memory: %s MB\n' "$case" \
        $(($(date -d "$stamp" +%s%3N) - launched)) "$peak"
done
