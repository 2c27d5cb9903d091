#!/usr/bin/env bash
# Payload benchmark (not a test): how fast the installer lays a realistic
# application down, against the LZMA SDK's own reference extractor.
#
# For a synthetic application of about 45 MB and one of about 200 MB
# (x86 code, compressible text, already-compressed media: see
# scripts/bench/make-synthetic-app.py) it packs the application into an
# installer through the KIVO_PAYLOAD_APP_DIR build option and measures, in
# one Wine prefix:
#   (a) the whole silent installation (KivoMixerSetup.exe -silence D),
#       including the installer's 3 s start-up wait;
#   (b) the SDK's reference extractor (C/Util/7z, built with the same
#       flags) extracting the same archive.
# It prints the wall times (median of RUNS runs, measured inside Windows),
# the ratio (a - 3 s) / b and the installer's peak working set.
#
#   bash scripts/benchmark-payload.sh [SIZES_MB...]   (default: 45 200)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(45 200)
runs=${RUNS:-3}

bench="$root/build/bench"
mkdir -p "$bench"
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target sample_app_programs kivo_test_helper >/dev/null
sample="$root/build/windows/packages/tool/setupv2/testing/sample_app/app"
helper="$root/build/windows/packages/tool/setupv2/testing/kivo_test_helper.exe"

source scripts/wine-env.sh
( kivo_wine_boot "$root/build/wine/template" )
prefix="$bench/prefix"
rm -rf "$prefix" "$prefix.home"
cp -a "$root/build/wine/template" "$prefix"
kivo_wine_env "$prefix"
wineserver -p </dev/null >/dev/null 2>&1
wine cmd /c exit </dev/null >/dev/null 2>&1
trap 'WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true' EXIT

winpath() { echo "Z:${1//\//\\}"; }

# Runs a program inside the prefix from host directory $1 with the exact
# command line $3; prints "ms peak_ws".
measure() {
  local cwd=$1 exe=$2 line=$3 out
  out=$(cd "$cwd" && wine "$(winpath "$helper")" run "$(winpath "$exe")" "$line" </dev/null 2>/dev/null)
  [[ $out =~ exit=(-?[0-9]+)\ ms=([0-9]+)\ peak_ws=([0-9]+) ]] || { echo "run failed: $out" >&2; exit 1; }
  [ "${BASH_REMATCH[1]}" = 0 ] || { echo "exit code ${BASH_REMATCH[1]}: $line" >&2; exit 1; }
  echo "${BASH_REMATCH[2]} ${BASH_REMATCH[3]}"
}

median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

results=()
for size in "${sizes[@]}"; do
  app="$bench/app-$size"
  python3 scripts/bench/make-synthetic-app.py "$size" "$sample" "$app"
  build="$bench/build-$size"
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-i686.cmake" \
    -DKIVO_PAYLOAD_APP_DIR="$app" >/dev/null
  cmake --build "$build" -j2 --target KivoMixerSetup kivo_lzma_7zdec >/dev/null
  installer="$build/packages/tool/setupv2/installer/KivoMixerSetup.exe"
  archive="$build/packages/tool/setupv2/installer/payload/kivo.7z"
  reference=$(find "$build" -name kivo_lzma_7zdec.exe | head -n1)
  unpacked=$(du -sb "$app" | cut -f1)
  packed=$(stat -c %s "$archive")

  drive="$prefix/drive_c"
  a_times=(); b_times=(); peaks=()
  for run in $(seq "$runs"); do
    rm -rf "$drive/bench"; mkdir -p "$drive/bench/ref"
    read -r ms peak < <(measure "$drive/bench" "$installer" "\"$(winpath "$installer")\" -silence C:\\bench\\install")
    a_times+=("$ms"); peaks+=("$peak")
    read -r ms _ < <(measure "$drive/bench/ref" "$reference" "\"$(winpath "$reference")\" x \"$(winpath "$archive")\"")
    b_times+=("$ms")
    # Both must have laid down the same bytes.
    diff -rq "$drive/bench/install/3.1.0.5" "$drive/bench/ref/install/3.1.0.5" >/dev/null ||
      { echo "the installer and the reference extractor disagree" >&2; exit 1; }
  done
  a=$(median "${a_times[@]}"); b=$(median "${b_times[@]}"); peak=$(median "${peaks[@]}")
  results+=("$(awk -v s="$size" -v u="$unpacked" -v p="$packed" -v a="$a" -v b="$b" -v m="$peak" 'BEGIN {
    printf "%4d MB app  unpacked %6.1f MB  packed %6.1f MB  (a) install %6.2f s  (b) 7zdec %6.2f s  (a-3s)/b %5.2f  installer peak WS %6.1f MB",
      s, u/1e6, p/1e6, a/1000, b/1000, (a-3000)/b, m/1048576 }')")
done

echo
echo "payload benchmark (median of $runs runs, times measured inside Wine):"
printf '%s\n' "${results[@]}"
