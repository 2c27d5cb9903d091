#!/usr/bin/env bash
# The main job: build the installer and install silently into a scratch
# Chinese 64-bit Wine machine, then show the exit code, the installed tree
# and the installer's log.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

if [ "$(id -u)" = 0 ]; then bash scripts/setup.sh; fi

cmake --preset windows >/dev/null
cmake --build --preset windows

source scripts/wine-env.sh
template="$root/build/wine/template"
( kivo_wine_boot "$template" )

scratch="$root/build/wine/main-run"
rm -rf "$scratch" "$scratch.home"
cp -a "$template" "$scratch"
kivo_wine_env "$scratch"
wineserver -p </dev/null >/dev/null 2>&1

target='C:\Program Files (x86)\Kivo 伴侣'
downloads="$scratch/drive_c/users/${USER:-root}/Downloads"
mkdir -p "$downloads"
cp build/windows/packages/tool/setupv2/installer/KivoMixerSetup.exe "$downloads/"
echo "Installing silently into $target ..."
set +e
wine "C:\\users\\${USER:-root}\\Downloads\\KivoMixerSetup.exe" -silence "$target" </dev/null
status=$?
set -e
# wine reports the exit code modulo 256.
code=$(( status > 127 ? status - 256 : status ))
wineserver -k

echo
echo "exit code: $code"
echo
echo "installed tree ($target):"
host_target="$scratch/drive_c/Program Files (x86)/Kivo 伴侣"
if [ -d "$host_target" ]; then (cd "$host_target" && find . | sort); else echo "(nothing)"; fi
echo
# The payload is the sample application (or KIVO_PAYLOAD_APP_DIR's folder).
app=$(sed -n 's/^KIVO_PAYLOAD_APP_DIR:PATH=//p' build/windows/CMakeCache.txt)
[ -n "$app" ] || app=build/windows/packages/tool/setupv2/testing/sample_app/app
if [ -d "$host_target" ] && diff -r "$app" "$host_target" -x Uninstall.exe -x install >/dev/null; then
  echo "installed files: identical to the application folder $app"
else
  echo "installed files: DIFFER from the application folder $app"
fi
echo
log="$scratch/drive_c/users/${USER:-root}/AppData/Roaming/tarlan/kivomixer/setup/setupV2.log"
echo "log ($log):"
iconv -f UTF-16 -t UTF-8 "$log" | tr -d '\r'
