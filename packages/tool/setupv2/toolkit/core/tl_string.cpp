#include "toolkit/core/tl_string.h"

namespace {

std::int32_t zeroTerminatedLength(const WChar* text) {
  std::int32_t n = 0;
  while (n < TlSharedArray<WChar>::kMaxLength && text[n] != 0) ++n;
  return n;
}

std::int32_t clampedLength(std::size_t size) {
  return size > static_cast<std::size_t>(TlSharedArray<WChar>::kMaxLength)
             ? TlSharedArray<WChar>::kMaxLength
             : static_cast<std::int32_t>(size);
}

bool matchesAt(const WChar* hay, const WChar* needle, std::int32_t count) {
  for (std::int32_t i = 0; i < count; ++i) {
    if (hay[i] != needle[i]) return false;
  }
  return true;
}

}  // namespace

TlString::TlString(const WChar* text, std::int32_t length) {
  if (text == nullptr) return;
  if (length == -1) length = zeroTerminatedLength(text);
  d_.append(text, length);
}

TlString::TlString(const WString& text) : d_(text.data(), clampedLength(text.size())) {}

TlString TlString::number(std::int32_t value, int radix) {
  if (radix < 2 || radix > 36) return TlString();
  // 32 binary digits, a sign and the zero: room for every radix.
  WChar buffer[34];
  int pos = 33;
  buffer[pos] = 0;
  bool negative = radix == 10 && value < 0;
  std::uint32_t magnitude = negative ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
  do {
    std::uint32_t digit = magnitude % static_cast<std::uint32_t>(radix);
    buffer[--pos] = static_cast<WChar>(digit < 10 ? '0' + digit : 'a' + (digit - 10));
    magnitude /= static_cast<std::uint32_t>(radix);
  } while (magnitude != 0);
  if (negative) buffer[--pos] = '-';
  return TlString(buffer + pos, 33 - pos);
}

WChar TlString::at(std::int32_t index) const {
  return index >= 0 && index < length() ? utf16()[index] : WChar(0);
}

int TlString::compare(const TlString& other) const {
  std::int32_t n = length() < other.length() ? length() : other.length();
  const WChar* a = utf16();
  const WChar* b = other.utf16();
  for (std::int32_t i = 0; i < n; ++i) {
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
  }
  if (length() == other.length()) return 0;
  return length() < other.length() ? -1 : 1;
}

bool TlString::operator==(const TlString& other) const {
  return sharesBlockWith(other) ||
         (length() == other.length() && matchesAt(utf16(), other.utf16(), length()));
}

std::int32_t TlString::indexOf(WChar c, std::int32_t from) const {
  if (from < 0) from = 0;
  for (std::int32_t i = from; i < length(); ++i) {
    if (utf16()[i] == c) return i;
  }
  return -1;
}

std::int32_t TlString::indexOf(const TlString& text, std::int32_t from) const {
  if (from < 0) from = 0;
  if (from >= length()) return -1;
  for (std::int32_t i = from; i + text.length() <= length(); ++i) {
    if (matchesAt(utf16() + i, text.utf16(), text.length())) return i;
  }
  return -1;
}

std::int32_t TlString::lastIndexOf(WChar c, std::int32_t from) const {
  if (from < 0) from += length();
  if (from >= length()) from = length() - 1;
  for (std::int32_t i = from; i >= 0; --i) {
    if (utf16()[i] == c) return i;
  }
  return -1;
}

std::int32_t TlString::lastIndexOf(const TlString& text, std::int32_t from) const {
  if (from < 0) from += length();
  if (from < 0 || isEmpty()) return -1;
  if (from >= length()) from = length() - 1;
  std::int32_t last = length() - text.length();
  if (from > last) from = last;
  for (std::int32_t i = from; i >= 0; --i) {
    if (matchesAt(utf16() + i, text.utf16(), text.length())) return i;
  }
  return -1;
}

TlString TlString::mid(std::int32_t position, std::int32_t count) const {
  if (position < 0) position = 0;
  if (position >= length()) return TlString();
  std::int32_t rest = length() - position;
  if (count < 0 || count > rest) count = rest;
  if (position == 0 && count == length()) return *this;
  return TlString(utf16() + position, count);
}

TlString& TlString::append(const TlString& other) {
  if (isEmpty()) {
    *this = other;  // shares instead of copying
    return *this;
  }
  d_.append(other.utf16(), other.length());
  return *this;
}

TlString& TlString::append(const WChar* text, std::int32_t length) {
  d_.append(text, length);
  return *this;
}

TlString& TlString::append(WChar c) {
  d_.append(&c, 1);
  return *this;
}

TlString operator+(const TlString& a, const TlString& b) {
  TlString result(a);
  result.append(b);
  return result;
}
