#include "common/system/font_probe.h"

#include <windows.h>

#include <cwchar>

namespace kivo {

bool fontAvailable = false;

namespace {

int CALLBACK onFontFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

}  // namespace

void probeFontAvailable() {
  HDC screen = ::GetDC(nullptr);
  if (screen == nullptr) return;
  LOGFONTW wanted = {};
  wanted.lfCharSet = DEFAULT_CHARSET;
  wcsncpy(wanted.lfFaceName, L"\u5fae\u8f6f\u96c5\u9ed1", LF_FACESIZE - 1);
  bool found = false;
  ::EnumFontFamiliesExW(screen, &wanted, onFontFamily, reinterpret_cast<LPARAM>(&found), 0);
  ::ReleaseDC(nullptr, screen);
  if (found) fontAvailable = true;
}

}  // namespace kivo
