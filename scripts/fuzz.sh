#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds
# (default 60), starting from the seed corpus made by the core's writer.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build_dir=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTILDORA_FUZZ=ON -DTILDORA_BUILD_APP=ON -DTILDORA_BUILD_TESTS=OFF -DTILDORA_BUILD_BENCH=OFF \
  >/dev/null
# The editor's document needs the Qt libraries configured, but none of the programs built.
cmake --build "$build_dir" --parallel "$(nproc)" --target tildora_fuzz_targets
rm -rf "$build_dir/seeds"
"$build_dir/fuzz/make_fuzz_seeds" "$build_dir/seeds"
passed=0
for target in "$build_dir"/fuzz/*_fuzz; do
  name=$(basename "$target" _fuzz)
  corpus="$build_dir/corpus/$name"
  mkdir -p "$corpus"
  # The whole set's worst cases need an index of 65535 entries beside a record: ~300 KB.
  max_len=()
  if [ "$name" = question_set ] || [ "$name" = editor_document ]; then
    max_len=(-max_len=400000)
  fi
  echo "fuzzing $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 \
    "${max_len[@]}" "$corpus" "$build_dir/seeds/$name" 2>"$build_dir/$name.log" ||
    { tail -40 "$build_dir/$name.log"; echo "fuzz target $name failed"; exit 1; }
  passed=$((passed + 1))
done
echo "fuzz: $passed passed, 0 failed"
