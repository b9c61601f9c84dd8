#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test with LeakSanitizer on: a
# leak in our code fails its test. Exits non-zero when a test fails.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
morikoyomi_install_deps

build=build/test
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DMORIKOYOMI_SANITIZE=ON >/dev/null
cmake --build "$build" -j "$(nproc)"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1
# Only system libraries are suppressed there, each with the reason.
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
