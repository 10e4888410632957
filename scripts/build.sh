#!/usr/bin/env bash
# Configures and builds into a build folder (default: build/), passing any
# further arguments to CMake.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${PELLANDOR_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=${PELLANDOR_BUILD_TYPE:-RelWithDebInfo} "$@" >/dev/null
cmake --build "$build"
