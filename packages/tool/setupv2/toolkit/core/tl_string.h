// TlString: the toolkit's implicitly shared UTF-16 string.
//
// Copying shares one block (one pointer and a count); the first change
// makes the copy unique. The default value uses the process-wide empty
// block and allocates nothing. Byte-encoded construction (UTF-8, the ANSI
// code page) needs the code-page converter and lives in
// toolkit/io/tl_text_codec.h.
//
// Edges, chosen to be safe: a length of -1 means "up to the terminating
// zero", any other negative length or a null pointer gives the empty
// string; an index outside the string reads as 0; appending a string to
// itself doubles it; self-assignment keeps the value.
//
// Thread rules: one thread per value and its copies (counts are plain).
#pragma once

#include <cstdint>

#include "common/text/wide.h"
#include "toolkit/core/tl_shared_array.h"

class TlString {
 public:
  TlString() = default;
  TlString(const WChar* text, std::int32_t length = -1);  // NOLINT: literals convert
  explicit TlString(const WString& text);

  // Radix 10 is signed; other radixes (2 to 36) show the value's 32 bits
  // unsigned, lower-case digits, as the C library's integer-to-text call
  // does. Any other radix gives the empty string.
  static TlString number(std::int32_t value, int radix = 10);

  std::int32_t length() const { return d_.length(); }
  bool isEmpty() const { return d_.length() == 0; }
  WChar at(std::int32_t index) const;
  // Zero-terminated; valid until the string changes or is destroyed.
  const WChar* utf16() const { return d_.data(); }
  WString toWString() const { return WString(d_.data(), static_cast<std::size_t>(d_.length())); }

  // Code-unit order; a prefix sorts before the longer string.
  int compare(const TlString& other) const;
  bool operator==(const TlString& other) const;
  bool operator!=(const TlString& other) const { return !(*this == other); }
  bool operator<(const TlString& other) const { return compare(other) < 0; }

  // -1 when absent or when |from| is at or beyond the length; a negative
  // |from| starts at 0. An empty |text| is found at |from|.
  std::int32_t indexOf(WChar c, std::int32_t from = 0) const;
  std::int32_t indexOf(const TlString& text, std::int32_t from = 0) const;
  // Searches backwards from |from|; a negative |from| counts from the end
  // (-1 is the last unit), one beyond the end starts at the last unit.
  std::int32_t lastIndexOf(WChar c, std::int32_t from = -1) const;
  std::int32_t lastIndexOf(const TlString& text, std::int32_t from = -1) const;

  // |count| units from |position| (-1 or too many: to the end), clipped to
  // the string.
  TlString mid(std::int32_t position, std::int32_t count = -1) const;

  TlString& append(const TlString& other);
  TlString& append(const WChar* text, std::int32_t length);
  TlString& append(WChar c);
  TlString& operator+=(const TlString& other) { return append(other); }
  TlString& operator+=(WChar c) { return append(c); }
  void clear() { d_.clear(); }

  // Writable units (makes the value unique), and a new length whose added
  // units are zero.
  WChar* data() { return d_.mutableData(); }
  void resize(std::int32_t length) { d_.resize(length); }

  std::int32_t capacity() const { return d_.capacity(); }
  bool sharesBlockWith(const TlString& other) const { return d_.sharesBlockWith(other.d_); }
  bool usesEmptyBlock() const { return d_.usesEmptyBlock(); }

 private:
  TlSharedArray<WChar> d_;
};

TlString operator+(const TlString& a, const TlString& b);
