#!/usr/bin/env bash
# TESTE_ARQUIVO_CNES over a kit of 1,000,000 lines of 120 bytes (96 of body,
# 24 of trailer, CR LF), against `wc -l` over the same file as the floor.
# Usage: bench/cadcheck/run.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: run.sh BUILD_DIR}" && pwd)
lines=${CADCHECK_BENCH_LINES:-1000000}
data=$build/bench-data
kit=$data/cadcheck_kit.txt
mkdir -p "$data"

awk -v n="$lines" 'BEGIN {
  for (i = 1; i <= n; i++)
    printf "%07d%-30s%06d%02d %-28s%014d%8s\n", i, "ESTABELECIMENTO " i % 977, i % 1000000,
           i % 27, "RUA DAS FLORES " i % 313, (i * 7919) % 1000000007, "FIM"
}' | "$build/bin/kavfix" cnes-kit -o "$kit"
cat "$kit" > /dev/null  # both timings start from a warm page cache

best_wc=
for _ in 1 2 3; do
  start=$(date +%s.%N)
  wc -l < "$kit" > /dev/null
  t=$(echo "$(date +%s.%N) - $start" | bc -l)
  if [ -z "$best_wc" ] || (( $(echo "$t < $best_wc" | bc -l) )); then best_wc=$t; fi
done
best_cad=$("$build/bin/cadcheck_bench" "$kit" 3)

echo "file: $kit ($(wc -l < "$kit") lines, $(stat -c %s "$kit") bytes)"
printf 'TESTE_ARQUIVO_CNES: %.3f s, %.0f lines/s\n' "$best_cad" "$(echo "$lines / $best_cad" | bc -l)"
printf 'wc -l:              %.3f s, %.0f lines/s\n' "$best_wc" "$(echo "$lines / $best_wc" | bc -l)"
printf 'ratio to the floor: %.1f\n' "$(echo "$best_cad / $best_wc" | bc -l)"
