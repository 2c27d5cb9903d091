// A seekable input stream over bytes in memory (the payload resource, read
// in place), in the LZMA SDK's ISeekInStream form (portable).
//
// Read never returns a short count: a read that would pass the end fails
// with SZ_ERROR_ARCHIVE and reads nothing; wrapped in the SDK's look-in
// stream in exact-read mode, the archive reader therefore never reads past
// the end. The bytes are borrowed and must outlive the stream.
#pragma once

#include <cstddef>

#include "7zTypes.h"

namespace kivo {

class MemoryInStream {
 public:
  MemoryInStream(const unsigned char* bytes, size_t size);

  MemoryInStream(const MemoryInStream&) = delete;
  MemoryInStream& operator=(const MemoryInStream&) = delete;

  // The interface to hand to the SDK (LookToRead2's realStream).
  ISeekInStreamPtr stream() const { return &vt_; }
  size_t position() const { return position_; }

 private:
  static SRes read(ISeekInStreamPtr self, void* buffer, size_t* size);
  static SRes seek(ISeekInStreamPtr self, Int64* offset, ESzSeek origin);

  ISeekInStream vt_;  // first member: the SDK hands this pointer back
  const unsigned char* bytes_;
  size_t size_;
  size_t position_ = 0;
};

}  // namespace kivo
