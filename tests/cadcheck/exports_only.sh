#!/usr/bin/env bash
# Fails unless the library defines exactly the four functions and needs
# nothing beyond the C and C++ run time.
set -euo pipefail
lib=$1
exports=$(nm -D --defined-only "$lib" | awk '{print $3}' | sort | tr '\n' ' ')
expected="CPT TESTE_ARQUIVO_CNES VALIDA_STRINGS pcDLLVersion "
if [ "$exports" != "$expected" ]; then
  echo "exports: $exports (expected $expected)"; exit 1
fi
needed=$(readelf -d "$lib" | sed -n 's/.*Shared library: \[\(.*\)\]/\1/p')
for n in $needed; do
  case $n in
    libc.so.*|libm.so.*|libstdc++.so.*|libgcc_s.so.*) ;;
    *) echo "needs $n"; exit 1 ;;
  esac
done
