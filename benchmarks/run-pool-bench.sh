#!/usr/bin/env bash
# Builds the memory-pool benchmark and runs it under Wine: once with the
# pool, once with /disablemempool (every block from the C run-time heap).
# Prints the figures; it checks nothing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
cmake --preset windows >/dev/null
cmake --build --preset windows --target pool_bench -j2 >/dev/null

source scripts/wine-env.sh
template="$root/build/wine/template"
( kivo_wine_boot "$template" ) >/dev/null 2>&1
prefix="$root/build/wine/bench"
[ -d "$prefix" ] || cp -a "$template" "$prefix"
exe="$root/build/windows/benchmarks/pool_bench.exe"
(
  kivo_wine_env "$prefix"
  wineserver -p </dev/null >/dev/null 2>&1
  wine cmd /c exit </dev/null >/dev/null 2>&1
  echo "== with the pool =="
  wine "$exe"
  echo
  echo "== /disablemempool =="
  wine "$exe" /disablemempool
  wineserver -k || true
)
echo
echo "cores: $(nproc); load: $(cut -d' ' -f1-3 /proc/loadavg)"
