#!/usr/bin/env bash
# Runs every benchmark with its peers: bench/<concern>/run.sh BUILD_DIR.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
for r in bench/*/run.sh; do
  echo "== $(dirname "$r")"
  bash "$r" "$build"
done
