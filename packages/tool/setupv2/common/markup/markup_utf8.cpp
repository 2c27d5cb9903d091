#include "common/markup/markup_utf8.h"

#include <cstdint>

namespace kivo {

namespace {

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

void appendCodePoint(WString& out, uint32_t code) {
  if (code < 0x10000) {
    out.push_back(static_cast<WChar>(code));
  } else {
    code -= 0x10000;
    out.push_back(static_cast<WChar>(0xD800 + (code >> 10)));
    out.push_back(static_cast<WChar>(0xDC00 + (code & 0x3FF)));
  }
}

}  // namespace

WString decodeUtf8(const std::string& bytes) {
  WString out;
  out.reserve(bytes.size());
  const size_t size = bytes.size();
  size_t i = 0;
  while (i < size) {
    const unsigned char lead = static_cast<unsigned char>(bytes[i]);
    if (lead == 0) break;
    if (lead < 0x80) {
      out.push_back(static_cast<WChar>(lead));
      ++i;
      continue;
    }
    size_t needed;
    uint32_t code;
    uint32_t minimum;
    if (lead >= 0xC2 && lead <= 0xDF) {
      needed = 1, code = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      needed = 2, code = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      needed = 3, code = lead & 0x07, minimum = 0x10000;
    } else {
      out.push_back(KW('?'));
      ++i;
      continue;
    }
    size_t taken = 0;
    while (taken < needed && i + 1 + taken < size &&
           isContinuation(static_cast<unsigned char>(bytes[i + 1 + taken]))) {
      code = (code << 6) | (static_cast<unsigned char>(bytes[i + 1 + taken]) & 0x3F);
      ++taken;
    }
    i += 1 + taken;
    if (taken < needed || code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      out.push_back(KW('?'));
    } else {
      appendCodePoint(out, code);
    }
  }
  return out;
}

std::string encodeUtf8(const WString& text) {
  std::string out;
  out.reserve(text.size() * 3 / 2);
  const size_t size = text.size();
  for (size_t i = 0; i < size; ++i) {
    uint32_t code = static_cast<uint16_t>(text[i]);
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < size) {
      const uint32_t low = static_cast<uint16_t>(text[i + 1]);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        ++i;
      }
    }
    if (code >= 0xD800 && code <= 0xDFFF) {
      out.push_back('?');
    } else if (code < 0x80) {
      out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (code >> 6)));
      out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (code >> 12)));
      out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (code >> 18)));
      out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
  }
  return out;
}

}  // namespace kivo
