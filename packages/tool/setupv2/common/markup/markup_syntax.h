// Character classes and small scanners shared by the markup parser and the
// editing operations, so that what an edit writes is read back the same way.
#pragma once

#include <cstdint>

#include "common/text/wide.h"

namespace kivo {

// Blank, tab, line feed, carriage return.
inline bool isMarkupWhite(WChar c) {
  return c == KW(' ') || c == KW('\t') || c == KW('\n') || c == KW('\r');
}

// What may follow "<" in a start tag: an ASCII letter, ":" or "_", or any
// character outside ASCII (so that names in other scripts open elements).
inline bool isTagNameStart(WChar c) {
  return (c >= KW('a') && c <= KW('z')) || (c >= KW('A') && c <= KW('Z')) || c == KW(':') ||
         c == KW('_') || static_cast<uint32_t>(c) >= 0x80;
}

// A tag name runs to white space, "/" or ">" (or |limit|).
inline uint32_t tagNameEnd(const WString& text, uint32_t from, uint32_t limit) {
  while (from < limit && !isMarkupWhite(text[from]) && text[from] != KW('/') && text[from] != KW('>')) {
    ++from;
  }
  return from;
}

// An attribute name runs to "=", white space, ">", "/" or "?".
inline bool endsAttributeName(WChar c) {
  return c == KW('=') || isMarkupWhite(c) || c == KW('>') || c == KW('/') || c == KW('?');
}

// Decimal text of a count or offset, for result messages.
inline WString decimalText(uint64_t value) {
  WString digits;
  do {
    digits.insert(digits.begin(), static_cast<WChar>(KW('0') + value % 10));
    value /= 10;
  } while (value != 0);
  return digits;
}

}  // namespace kivo
