#!/usr/bin/env bash
# Installs what the tests need, builds with AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs every test through ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/install-deps.sh
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZYNE_SANITIZE=ON -DZYNE_BUILD_TESTS=ON
cmake --build build-test -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
# umockdev preloads its library ahead of the sanitizer runtime; leaks are checked, except for what
# Qt's GUI platform keeps until exit.
export ASAN_OPTIONS=verify_asan_link_order=0
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp"
cd build-test
ctest --output-on-failure --timeout 300 -j2
