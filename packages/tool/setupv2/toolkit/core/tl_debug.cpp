#include "toolkit/core/tl_debug.h"

#include <cwchar>

#include "toolkit/core/tl_debug_line.h"

TlDebug::~TlDebug() { tlWriteDebugLine(message_.c_str()); }

void TlDebug::item(const wchar_t* text, std::size_t length) {
  if (!first_) message_ += L' ';
  first_ = false;
  message_.append(text, length);
}

TlDebug& TlDebug::operator<<(const wchar_t* text) {
  if (text == nullptr) text = L"";
  item(text, std::wcslen(text));
  return *this;
}

TlDebug& TlDebug::operator<<(const TlString& text) {
  item(text.utf16(), static_cast<std::size_t>(text.length()));
  return *this;
}

TlDebug& TlDebug::operator<<(std::int64_t value) {
  std::wstring digits = std::to_wstring(value);
  item(digits.data(), digits.size());
  return *this;
}
