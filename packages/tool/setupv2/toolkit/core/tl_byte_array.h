// TlByteArray: bytes with the same implicit sharing as TlString. It carries
// resource bytes, file contents and encoded text.
//
// Edges: a negative size or a null pointer gives the empty array; an index
// outside the array reads as 0; appending an array to itself doubles it.
// The bytes are always followed by a zero byte that is not counted.
//
// Thread rules: one thread per value and its copies.
#pragma once

#include <cstdint>
#include <string>

#include "toolkit/core/tl_shared_array.h"

class TlByteArray {
 public:
  TlByteArray() = default;
  TlByteArray(const char* bytes, std::int32_t size) : d_(bytes, size) {}
  explicit TlByteArray(const std::string& bytes);

  std::int32_t size() const { return d_.length(); }
  bool isEmpty() const { return d_.length() == 0; }
  const char* constData() const { return d_.data(); }
  char at(std::int32_t index) const { return index >= 0 && index < size() ? d_.data()[index] : 0; }
  std::string toStdString() const { return std::string(d_.data(), static_cast<std::size_t>(d_.length())); }

  // Writable bytes (makes the value unique).
  char* data() { return d_.mutableData(); }
  // New size; added bytes are zero. A negative size counts as 0.
  void resize(std::int32_t size) { d_.resize(size); }
  TlByteArray& append(const TlByteArray& other);
  TlByteArray& append(const char* bytes, std::int32_t size);
  void clear() { d_.clear(); }

  bool operator==(const TlByteArray& other) const;
  bool operator!=(const TlByteArray& other) const { return !(*this == other); }
  bool sharesBlockWith(const TlByteArray& other) const { return d_.sharesBlockWith(other.d_); }

 private:
  TlSharedArray<char> d_;
};
