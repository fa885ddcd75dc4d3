#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a short while.
# FUZZ_SECONDS sets the time per target (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
secs=${FUZZ_SECONDS:-60}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DKAV_FUZZ=ON -DKAV_TESTS=OFF \
  -DKAV_BENCH=OFF -DKAV_WERROR=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-fuzz
for t in build-fuzz/fuzz/*; do
  [ -f "$t" ] && [ -x "$t" ] || continue
  name=$(basename "$t")
  corpus=build-fuzz/corpus/$name
  mkdir -p "$corpus"
  seeds=fuzz/seeds/$name
  echo "== $name ($secs s)"
  "$t" -max_total_time="$secs" -print_final_stats=1 "$corpus" $( [ -d "$seeds" ] && echo "$seeds" )
done
