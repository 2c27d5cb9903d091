#!/usr/bin/env bash
# Runs the bridge's AT-SPI end-to-end test several times in a row (default
# 10) against an existing build/bridge and prints each run's wall time.
# Exits non-zero if any run fails.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
runs=${1:-10}
failed=0
for i in $(seq 1 "$runs"); do
  start=$(date +%s%N)
  if KIVO_BRIDGE_BIN="$root/build/bridge/bin" /usr/bin/python3 -m pytest -q -p no:cacheprovider \
       "$root/kivomixeracc/tests_e2e" > /tmp/bridge-e2e-run.log 2>&1; then
    result=pass
  else
    result=FAIL
    failed=$((failed + 1))
    cat /tmp/bridge-e2e-run.log
  fi
  end=$(date +%s%N)
  ms=$(( (end - start) / 1000000 ))
  printf 'run %2d: %s %d.%03d s\n' "$i" "$result" $((ms / 1000)) $((ms % 1000))
done
echo "failed runs: $failed of $runs"
[ "$failed" -eq 0 ]
