#!/usr/bin/env bash
# Builds the kyr tool (release) and runs it with the given arguments: scripts/run.sh help
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" >&2

build="$root/build-release"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DKYR_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target kyr_tool >/dev/null
exec "$build/tools/kyr/kyr" "$@"
