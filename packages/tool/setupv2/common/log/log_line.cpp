#include "common/log/log_line.h"

namespace kivo {
namespace {

// Appends |value| as printf's "%<width>.<precision>d" would: at least
// |precision| digits, the sign before them, spaces in front up to |width|.
void appendNumber(WString& out, int value, WString::size_type width,
                  WString::size_type precision) {
  WString text;
  // Work on the unsigned magnitude so that INT_MIN does not overflow.
  unsigned int magnitude = value < 0 ? 0u - static_cast<unsigned int>(value)
                                     : static_cast<unsigned int>(value);
  do {
    text.insert(text.begin(), static_cast<WChar>(KW('0') + magnitude % 10));
    magnitude /= 10;
  } while (magnitude != 0);
  if (text.size() < precision) text.insert(0, precision - text.size(), KW('0'));
  if (value < 0) text.insert(text.begin(), KW('-'));
  if (text.size() < width) text.insert(0, width - text.size(), KW(' '));
  out += text;
}

}  // namespace

WString formatLogLine(const LogTime& time, const WString& message) {
  WString line;
  line.reserve(24 + message.size());
  line += KW('[');
  appendNumber(line, time.year, 4, 1);
  line += KW('-');
  appendNumber(line, time.month, 0, 2);
  line += KW('-');
  appendNumber(line, time.day, 0, 2);
  line += KW(' ');
  appendNumber(line, time.hour, 0, 2);
  line += KW(':');
  appendNumber(line, time.minute, 0, 2);
  line += KW(':');
  appendNumber(line, time.second, 0, 2);
  line += KW("] ");
  line += message;
  line += KW("\r\n");
  if (line.size() > kLogLineLimit) line.resize(kLogLineLimit);
  return line;
}

}  // namespace kivo
