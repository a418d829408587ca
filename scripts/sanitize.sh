#!/usr/bin/env bash
# The test suite again under AddressSanitizer with UndefinedBehaviorSanitizer (every test), and
# the threaded core (link, listener, read-all worker, hot-plug, virtual keyboard) under
# ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="$(nproc)"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cmake -S . -B build-asan -DQUENLAR_SANITIZE=address -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build-asan -j "$jobs"
ctest --test-dir build-asan --output-on-failure -j "$jobs"

export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1"
cmake -S . -B build-tsan -DQUENLAR_SANITIZE=thread -DQUENLAR_GUI=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-tsan -j "$jobs" --target device_tests model_tests soak_tests
ctest --test-dir build-tsan --output-on-failure -j "$jobs" -R '^(Command|WriteAll|ReadSequences|Listener|WriteAckFlag|RoundTrip|VirtualKeyboardStateFile|FaultMatrix|Soak|KeyboardState|FileIo)'
