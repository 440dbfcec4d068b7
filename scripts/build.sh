#!/usr/bin/env bash
# Configures and builds into build/ (or the folder given as $BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_COMPILE_WARNING_AS_ERROR=ON "$@" >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)"
