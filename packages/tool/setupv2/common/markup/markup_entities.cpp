#include "common/markup/markup_entities.h"

#include <cstdint>

namespace kivo {

namespace {

struct NamedEntity {
  const WChar* name;  // between "&" and ";"
  WChar character;
};

const NamedEntity kNamedEntities[] = {
    {KW("lt"), KW('<')}, {KW("amp"), KW('&')}, {KW("gt"), KW('>')},
    {KW("apos"), KW('\'')}, {KW("quot"), KW('"')},
};

int digitValue(WChar c, bool hex) {
  if (c >= KW('0') && c <= KW('9')) return c - KW('0');
  if (!hex) return -1;
  if (c >= KW('a') && c <= KW('f')) return c - KW('a') + 10;
  if (c >= KW('A') && c <= KW('F')) return c - KW('A') + 10;
  return -1;
}

// Length of the reference at |at| (an "&") and its code point, or 0.
size_t numericReference(const WString& value, size_t at, uint32_t& code) {
  size_t i = at + 1;
  if (i >= value.size() || value[i] != KW('#')) return 0;
  ++i;
  const bool hex = i < value.size() && value[i] == KW('x');
  if (hex) ++i;
  const size_t firstDigit = i;
  code = 0;
  while (i < value.size() && digitValue(value[i], hex) >= 0) {
    if (i - firstDigit == 7) return 0;
    code = code * (hex ? 16 : 10) + static_cast<uint32_t>(digitValue(value[i], hex));
    ++i;
  }
  if (i == firstDigit || i >= value.size() || value[i] != KW(';')) return 0;
  if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return i + 1 - at;
}

}  // namespace

WString decodeEntities(const WString& value) {
  WString out;
  out.reserve(value.size());
  size_t i = 0;
  while (i < value.size()) {
    if (value[i] != KW('&')) {
      out.push_back(value[i++]);
      continue;
    }
    size_t taken = 0;
    for (const NamedEntity& entity : kNamedEntities) {
      const WString name(entity.name);
      if (value.compare(i + 1, name.size(), name) == 0 && i + 1 + name.size() < value.size() &&
          value[i + 1 + name.size()] == KW(';')) {
        out.push_back(entity.character);
        taken = name.size() + 2;
        break;
      }
    }
    uint32_t code = 0;
    if (taken == 0 && (taken = numericReference(value, i, code)) != 0) {
      if (code < 0x10000) {
        out.push_back(static_cast<WChar>(code));
      } else {
        out.push_back(static_cast<WChar>(0xD800 + ((code - 0x10000) >> 10)));
        out.push_back(static_cast<WChar>(0xDC00 + ((code - 0x10000) & 0x3FF)));
      }
    }
    if (taken == 0) {
      out.push_back(KW('&'));
      taken = 1;
    }
    i += taken;
  }
  return out;
}

WString escapeAttributeValue(const WString& value) {
  WString out;
  out.reserve(value.size() + 8);
  for (WChar c : value) {
    switch (c) {
      case KW('<'): out += KW("&lt;"); break;
      case KW('&'): out += KW("&amp;"); break;
      case KW('>'): out += KW("&gt;"); break;
      case KW('\''): out += KW("&apos;"); break;
      case KW('"'): out += KW("&quot;"); break;
      default: out.push_back(c);
    }
  }
  return out;
}

}  // namespace kivo
