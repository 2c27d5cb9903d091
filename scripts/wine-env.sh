# Sourced by the scripts that run Windows programs: a Wine environment that
# stands for a user's Chinese 64-bit Windows, isolated from this machine.
#
#   kivo_wine_env PREFIX   exports the variables for PREFIX
#   kivo_wine_boot PREFIX  creates and boots PREFIX (once), fonts mapped

kivo_wine_env() {
  export WINEPREFIX="$1"
  export WINEARCH=win64
  export WINEDEBUG=-all,err+module
  export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="
  export LANG=zh_CN.UTF-8
  export LC_ALL=zh_CN.UTF-8
  # The prefix's Desktop and Documents link into HOME: keep them out of the
  # real one.
  mkdir -p "$1.home"
  export HOME="$1.home"
  export XDG_DATA_HOME="$1.home/.local/share"
  # No display is needed for console and silent runs.
  export DISPLAY="${DISPLAY:-}"
}

kivo_wine_boot() {
  local prefix="$1"
  kivo_wine_env "$prefix"
  if [ -f "$prefix/.kivo-booted-2" ]; then return 0; fi
  rm -rf "$prefix"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
  # Neither 微软雅黑 nor 宋体 exists under Wine; map the faces the programs
  # ask for onto installed fonts so that Chinese text draws.
  local reg="$prefix/drive_c/kivo-fonts.reg"
  printf '%s\r\n' \
    'Windows Registry Editor Version 5.00' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
    '"微软雅黑"="WenQuanYi Micro Hei"' \
    '"宋体"="WenQuanYi Micro Hei"' \
    '"Microsoft YaHei"="WenQuanYi Micro Hei"' \
    '"Tahoma"="DejaVu Sans"' \
    '"Microsoft Sans Serif"="DejaVu Sans"' \
    | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$reg"
  wine regedit /S 'C:\kivo-fonts.reg' >/dev/null 2>&1 || true
  wineserver -w
  # Wine links Desktop, Downloads, Documents... into HOME. Make them real
  # folders, as on Windows, so that every copy of the prefix has its own.
  find "$prefix/drive_c/users" -maxdepth 8 -type l -lname "$HOME*" | while read -r link; do
    rm -f "$link" && mkdir -p "$link"
  done
  touch "$prefix/.kivo-booted-2"
}

# Wine cannot create a window without an X display. When none is set, start
# a private Xvfb (on a free display number) and export DISPLAY; the caller
# stops it with kivo_virtual_display_stop.
kivo_virtual_display() {
  KIVO_XVFB_PID=
  if [ -n "${DISPLAY:-}" ]; then return 0; fi
  local n=$(( 100 + RANDOM % 800 ))
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
  KIVO_XVFB_PID=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && return 0; sleep 0.05; done
  return 1
}

kivo_virtual_display_stop() {
  if [ -n "${KIVO_XVFB_PID:-}" ]; then kill "$KIVO_XVFB_PID" 2>/dev/null; wait "$KIVO_XVFB_PID" 2>/dev/null; fi
  KIVO_XVFB_PID=
}
