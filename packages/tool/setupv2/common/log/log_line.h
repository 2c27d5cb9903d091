// How one log line looks on disk. Kept apart from the file handling so that
// the exact format is tested natively too.
#pragma once

#include "common/text/wide.h"

namespace kivo {

struct LogTime {
  int year;
  int month;
  int day;
  int hour;
  int minute;
  int second;
};

// Longest line or message in UTF-16 units; the writers work in buffers of
// one more unit, so anything longer is cut, line ending included.
constexpr WString::size_type kLogLineLimit = 2047;

// "[%4d-%.2d-%.2d %.2d:%.2d:%.2d] %s\r\n": the year space-padded to at least
// four digits, the other fields two digits with a leading zero.
WString formatLogLine(const LogTime& time, const WString& message);

}  // namespace kivo
