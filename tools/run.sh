#!/usr/bin/env bash
# Installs what the program needs, builds it and starts it.
# Without a display it runs offscreen; ZYNE_HID_BACKEND=sim starts it against the simulated rig.
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZYNE_BUILD_TESTS=OFF
cmake --build build -j"$(nproc)"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    export QT_QPA_PLATFORM=offscreen
fi
exec ./build/app/vx-zyne-plus-rgb "$@"
