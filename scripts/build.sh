#!/usr/bin/env bash
# Configure and build Quillmark into build/ (extra CMake arguments pass through).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUILLMARK_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMARK_WERROR=ON "$@" >/dev/null
ninja -C "$build"
