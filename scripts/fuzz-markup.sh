#!/usr/bin/env bash
# Fuzzes the markup reader and editor with libFuzzer (native clang build,
# ASan/UBSan). Usage: scripts/fuzz-markup.sh [seconds]   (default 3600)
# The seed corpus in the source tree stays untouched; new inputs collect in
# build/fuzz/markup-corpus, crashes in build/fuzz/markup-artifacts.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-3600}
cmake --preset portable-asan >/dev/null
cmake --build --preset portable-asan --target markup_fuzz >/dev/null
work="$root/build/fuzz"
mkdir -p "$work/markup-corpus" "$work/markup-artifacts"
"$root/build/portable-asan/packages/tool/setupv2/common/markup/fuzz/markup_fuzz" \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 -print_final_stats=1 \
  -artifact_prefix="$work/markup-artifacts/" \
  "$work/markup-corpus" packages/tool/setupv2/common/markup/fuzz/corpus
