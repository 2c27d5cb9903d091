#!/usr/bin/env bash
# Installs everything the build and the tests need on a fresh Debian 12
# machine. Run as root; safe to run again on a machine that has it all.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
here=$(cd "$(dirname "$0")/.." && pwd)

need_update=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  need_update=1
fi

# Debian's source entries let us take the 7z decoder sources from the
# distribution instead of committing a copy of them.
if ! grep -rqs 'deb-src' /etc/apt/sources.list.d/ /etc/apt/sources.list 2>/dev/null; then
  src=$(grep -l 'deb.debian.org/debian' /etc/apt/sources.list.d/*.sources 2>/dev/null | head -n1 || true)
  if [ -n "$src" ]; then
    sed -e 's/^Types:.*/Types: deb-src/' "$src" > /etc/apt/sources.list.d/kivo-deb-src.sources
  else
    grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' > /etc/apt/sources.list.d/kivo-deb-src.list
  fi
  need_update=1
fi

# One list per concern; comments and blank lines are allowed.
mapfile -t packages < <(cat "$here"/scripts/packages/*.txt | sed -e 's/#.*//' -e 's/[[:space:]]//g' | grep -v '^$' | sort -u)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ] || [ $need_update = 1 ]; then
  apt-get update -q
fi
if [ ${#missing[@]} -gt 0 ]; then
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The users run Chinese Windows: Wine needs the zh_CN locale for code page 936.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf8$'; then
  sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen
fi

"$here/scripts/fetch-lzma-sdk.sh"
echo "setup: done"
