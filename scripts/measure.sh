#!/usr/bin/env bash
# Measures the figures of docs/performance.md on this machine: the core, main-window and editor
# document benchmarks (offscreen, REPETITIONS runs each, default 5), then start-up and peak
# memory of the main window beside a bare Qt window under Xvfb (RUNS fresh processes each,
# default 21).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
BUILD_DIR=$build_dir bash scripts/build.sh
repeticiones=(--benchmark_repetitions="${REPETITIONS:-5}" --benchmark_display_aggregates_only=true)
QT_QPA_PLATFORM=offscreen "$build_dir/bench/core_bench" "${repeticiones[@]}"
QT_QPA_PLATFORM=offscreen "$build_dir/bench/window_bench" "${repeticiones[@]}"
QT_QPA_PLATFORM=offscreen "$build_dir/bench/editor_bench" "${repeticiones[@]}"
env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1024x768x24" \
  "$build_dir/bench/startup_bench" "${RUNS:-21}"
