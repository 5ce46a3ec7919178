#!/usr/bin/env bash
# Builds the library and its tests with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs every test with ctest. Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"

build="$root/build-test"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKYR_SANITIZE=ON \
  -DKYR_BUILD_TESTS=ON >/dev/null
cmake --build "$build" -j "$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$build"
ctest --output-on-failure -j "$(nproc)" "$@"
