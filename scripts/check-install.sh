#!/usr/bin/env bash
# Installs a built tree into a temporary prefix, then builds and runs a small program
# outside the tree against it: once through the CMake package, once through pkg-config.
# Usage: check-install.sh BUILD_DIR [EXTRA_COMPILER_FLAGS]
set -euo pipefail
build=$1
flags=${2:-}
flags=${flags//;/ }
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
cp -r "$root/examples/consumer" "$work/consumer"

cmake -S "$work/consumer" -B "$work/cmake-build" -DCMAKE_PREFIX_PATH="$work/prefix" \
  -DCMAKE_CXX_FLAGS="$flags" >/dev/null
cmake --build "$work/cmake-build" >/dev/null
out=$(LD_LIBRARY_PATH="$work/prefix/lib" "$work/cmake-build/consumer")
[ "$out" = "[a b]" ] || { echo "CMake consumer printed '$out'"; exit 1; }

export PKG_CONFIG_PATH="$work/prefix/lib/pkgconfig"
# shellcheck disable=SC2046,SC2086
g++ $flags "$work/consumer/main.cpp" -o "$work/pc-consumer" $(pkg-config --cflags --libs kyr)
out=$(LD_LIBRARY_PATH="$work/prefix/lib" "$work/pc-consumer")
[ "$out" = "[a b]" ] || { echo "pkg-config consumer printed '$out'"; exit 1; }
echo "install consumer: CMake and pkg-config builds work"
