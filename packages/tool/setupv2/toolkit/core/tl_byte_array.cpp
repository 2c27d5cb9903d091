#include "toolkit/core/tl_byte_array.h"

#include <cstring>

TlByteArray::TlByteArray(const std::string& bytes)
    : d_(bytes.data(), bytes.size() > static_cast<std::size_t>(TlSharedArray<char>::kMaxLength)
                           ? 0
                           : static_cast<std::int32_t>(bytes.size())) {}

TlByteArray& TlByteArray::append(const TlByteArray& other) {
  if (isEmpty()) {
    *this = other;
    return *this;
  }
  d_.append(other.constData(), other.size());
  return *this;
}

TlByteArray& TlByteArray::append(const char* bytes, std::int32_t size) {
  d_.append(bytes, size);
  return *this;
}

bool TlByteArray::operator==(const TlByteArray& other) const {
  return size() == other.size() &&
         std::memcmp(constData(), other.constData(), static_cast<std::size_t>(size())) == 0;
}
