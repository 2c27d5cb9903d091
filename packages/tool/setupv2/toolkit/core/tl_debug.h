// TlDebug: the toolkit's message builder for misuse reports.
//
//   TlDebug() << L"no file engine for file" << path;
//
// Items are joined with one blank; when the builder goes out of scope the
// message becomes one diagnostic line (tl_debug_line.h).
//
// Thread rules: a builder belongs to the thread that made it.
#pragma once

#include <cstdint>
#include <string>

#include "toolkit/core/tl_string.h"

class TlDebug {
 public:
  TlDebug() = default;
  ~TlDebug();
  TlDebug(const TlDebug&) = delete;
  TlDebug& operator=(const TlDebug&) = delete;

  TlDebug& operator<<(const wchar_t* text);
  TlDebug& operator<<(const TlString& text);
  TlDebug& operator<<(std::int64_t value);
  TlDebug& operator<<(int value) { return *this << static_cast<std::int64_t>(value); }
  TlDebug& operator<<(unsigned long value) { return *this << static_cast<std::int64_t>(value); }
  TlDebug& operator<<(unsigned value) { return *this << static_cast<std::int64_t>(value); }

 private:
  void item(const wchar_t* text, std::size_t length);

  std::wstring message_;
  bool first_ = true;
};
