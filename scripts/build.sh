#!/usr/bin/env bash
# Configures and builds Tesso into a build folder.
# Usage: scripts/build.sh [BUILD_DIR] [extra cmake arguments...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-"$root/build"}
shift || true
# Line tables only (-g1): backtraces and sanitizer reports keep file and line, the build takes a
# quarter less time than with full debug information. Later arguments override it.
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG" \
    "$@" >/dev/null
cmake --build "$dir" -j2
