#!/usr/bin/env bash
# The engine against SQLite, GNU sort and xbase64 on generated S_BPI rows.
# Usage: bench/xbase/run.sh BUILD_DIR   (XBASE_BENCH_ROWS sets the row count)
set -euo pipefail
build=$(cd "${1:?usage: run.sh BUILD_DIR}" && pwd)
rows=${XBASE_BENCH_ROWS:-1000000}
data=$build/bench-data/xbase
rm -rf "$data"
mkdir -p "$data"
"$build/bin/xbase_bench" "$rows" --dir "$data"
rm -rf "$data"  # about 1.3 GB at a million rows
