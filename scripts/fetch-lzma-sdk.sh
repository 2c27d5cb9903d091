#!/usr/bin/env bash
# Unpacks the C 7z decoder from Debian's 7zip source package into
# third_party/lzma (git-ignored). Nothing of it is committed.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dest="$here/third_party/lzma"
if [ -f "$dest/C/7zDec.c" ]; then exit 0; fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
( cd "$work" && apt-get source --download-only -q 7zip >/dev/null )
orig=$(ls "$work"/7zip_*.orig.tar.* | head -n1)
mkdir -p "$dest.tmp"
tar -xf "$orig" -C "$dest.tmp"
top=$(ls "$dest.tmp")
rm -rf "$dest"
mv "$dest.tmp/$top" "$dest"
rmdir "$dest.tmp"
test -f "$dest/C/7zDec.c"
