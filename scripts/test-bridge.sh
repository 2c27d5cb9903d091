#!/usr/bin/env bash
# Builds the accessibility bridge natively (CMake + Ninja into build/bridge),
# runs its Qt Test unit tests under the offscreen platform, then the AT-SPI
# end-to-end test against the demo host. Exits non-zero on any failure.
# Assumes the packages of scripts/packages/*.txt are installed.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build/bridge"

cmake -S "$root/kivomixeracc" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$build"

QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure

KIVO_BRIDGE_BIN="$build/bin" /usr/bin/python3 -m pytest -q -p no:cacheprovider "$root/kivomixeracc/tests_e2e"
