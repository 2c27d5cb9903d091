#include "installer/extract/memory_in_stream.h"

#include <cstring>

namespace kivo {

MemoryInStream::MemoryInStream(const unsigned char* bytes, size_t size) : bytes_(bytes), size_(size) {
  vt_.Read = &MemoryInStream::read;
  vt_.Seek = &MemoryInStream::seek;
}

SRes MemoryInStream::read(ISeekInStreamPtr self, void* buffer, size_t* size) {
  MemoryInStream* s = reinterpret_cast<MemoryInStream*>(const_cast<ISeekInStream*>(self));
  const size_t wanted = *size;
  if (wanted > s->size_ - s->position_) {
    *size = 0;
    return SZ_ERROR_ARCHIVE;
  }
  if (wanted != 0) std::memcpy(buffer, s->bytes_ + s->position_, wanted);
  s->position_ += wanted;
  return SZ_OK;
}

SRes MemoryInStream::seek(ISeekInStreamPtr self, Int64* offset, ESzSeek origin) {
  MemoryInStream* s = reinterpret_cast<MemoryInStream*>(const_cast<ISeekInStream*>(self));
  Int64 target = 0;
  switch (origin) {
    case SZ_SEEK_SET:
      target = *offset;
      break;
    case SZ_SEEK_CUR:
      target = static_cast<Int64>(s->position_) + *offset;
      break;
    case SZ_SEEK_END:
      target = static_cast<Int64>(s->size_) - *offset;
      break;
    default:
      return SZ_ERROR_PARAM;
  }
  // A position outside the bytes would let the next read run wild.
  if (target < 0 || static_cast<UInt64>(target) > s->size_) return SZ_ERROR_ARCHIVE;
  s->position_ = static_cast<size_t>(target);
  *offset = target;
  return SZ_OK;
}

}  // namespace kivo
