#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds everything and runs the whole test suite: the unit and
# window tests, the same tests again under AddressSanitizer and UBSan, a short run of every
# fuzz target, and the checks of the Debian package.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
export QT_QPA_PLATFORM=offscreen

# The tests a ctest log shows passed (every GoogleTest case is a test of its own); a skipped
# case is not counted.
ran() { grep -cE '^ *[0-9]+/[0-9]+ Test +#[0-9]+: .* Passed +[0-9.]+ sec$' "$1"; }

bash scripts/format.sh --check
bash scripts/build.sh
ctest --test-dir build --output-on-failure --timeout 300 -j "$(nproc)" | tee build/ctest.log

echo "== sanitizer build =="
BUILD_DIR=build-asan bash scripts/build.sh -DTILDORA_SANITIZE=ON -DTILDORA_BUILD_APP=ON -DTILDORA_BUILD_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure --timeout 600 -j "$(nproc)" |
  tee build-asan/ctest.log

echo "== fuzz targets =="
bash scripts/fuzz.sh "${FUZZ_SECONDS:-6}" | tee build/fuzz.log
fuzzed=$(grep -oE '^fuzz: [0-9]+' build/fuzz.log | grep -oE '[0-9]+')

echo "== package =="
bash scripts/test_package.sh | tee build/package.log
packaged=$(grep -oE '^package: [0-9]+' build/package.log | grep -oE '[0-9]+')

echo "all: $(($(ran build/ctest.log) + $(ran build-asan/ctest.log) + fuzzed + packaged)) passed, 0 failed"
