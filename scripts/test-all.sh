#!/usr/bin/env bash
# Builds everything and runs every test layer:
#   1. Windows unit tests (GoogleTest, cross-compiled) under Wine, by CTest;
#   2. the portable modules' unit tests natively under ASan/UBSan;
#   3. end-to-end tests of the real programs in fresh Wine prefixes;
#   4. the accessibility bridge's tests (Qt, AT-SPI).
# Installs what is missing first (needs root on a fresh machine). Every
# layer runs even when an earlier one fails; the exit code says whether all
# passed.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

if [ "$(id -u)" = 0 ]; then
  bash scripts/setup.sh || { echo "set-up failed"; exit 1; }
else
  echo "not root: skipping set-up, assuming everything is installed"
fi

declare -a names results times
run_layer() {
  local name=$1; shift
  local start=$(date +%s)
  echo
  echo "=== $name ==="
  "$@"
  local rc=$?
  names+=("$name"); results+=("$rc"); times+=("$(( $(date +%s) - start ))")
}

source scripts/wine-env.sh
template="$root/build/wine/template"

windows_unit() {
  cmake --preset windows >/dev/null && cmake --build --preset windows || return 1
  ( kivo_wine_boot "$template" ) || return 1
  local prefix="$root/build/wine/unit"
  rm -rf "$prefix" "$prefix.home"
  cp -a "$template" "$prefix"
  (
    kivo_wine_env "$prefix"
    # The extraction worker's tests start a client program with a window.
    kivo_virtual_display
    # A warm wineserver and Wine's services, started apart from CTest's
    # output pipes (they would hold them open and stall CTest).
    wineserver -p </dev/null >/dev/null 2>&1
    wine cmd /c exit </dev/null >/dev/null 2>&1
    ctest --preset windows
    rc=$?
    wineserver -k
    kivo_virtual_display_stop
    exit $rc
  )
}

portable_asan() {
  cmake --preset portable-asan >/dev/null && cmake --build --preset portable-asan &&
    ctest --preset portable-asan &&
    bash scripts/fuzz-markup.sh 25  # a short bounded fuzz run of the markup document
}

end_to_end() {
  KIVO_WINE_TEMPLATE="$template" /usr/bin/python3 -m pytest -q tests/e2e
}

bridge() {
  if [ -f scripts/test-bridge.sh ]; then bash scripts/test-bridge.sh; else echo "no bridge yet"; fi
}

total_start=$(date +%s)
run_layer "windows unit tests (Wine)" windows_unit
run_layer "portable unit tests (ASan/UBSan)" portable_asan
run_layer "end-to-end tests (Wine)" end_to_end
run_layer "accessibility bridge tests" bridge

echo
echo "=== summary ==="
passed=0; failed=0
for i in "${!names[@]}"; do
  if [ "${results[$i]}" = 0 ]; then state=passed; passed=$((passed+1)); else state=FAILED; failed=$((failed+1)); fi
  printf '%-40s %-7s %5ss\n' "${names[$i]}" "$state" "${times[$i]}"
done
echo "total time: $(( $(date +%s) - total_start ))s"
echo "layers: $passed passed, $failed failed"
[ "$failed" = 0 ]
