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

# ThreadSanitizer, in a build of its own (it can't be combined with ASan): the tests labelled
# "threads" (the classic engine's thread, the AWT chip workers, the running program with both), so a
# data race fails the run (halt_on_error: the process ends with the report on its stderr). Only what
# they need is built.
# ignore_noninstrumented_modules: memory accesses that Qt, glib, libc and umockdev make themselves
# (memmove of Qt's event queue, glib's wake-up fd, tzset) are theirs to order under locks we can't
# see; their pthread locks still count. tools/tsan.supp says what else of Qt's is out of sight.
cd ..
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZYNE_SANITIZE_THREAD=ON -DZYNE_BUILD_TESTS=ON
cmake --build build-tsan -j"$(nproc)" --target thread_tests
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 ignore_noninstrumented_modules=1 suppressions=$PWD/tools/tsan.supp"
cd build-tsan
ctest --output-on-failure --timeout 300 -j2 -L threads
