#include "installer/extract/memory_in_stream.h"

#include <gtest/gtest.h>

namespace {

SRes readFrom(ISeekInStreamPtr s, void* buffer, size_t* size) { return s->Read(s, buffer, size); }
SRes seekIn(ISeekInStreamPtr s, Int64* offset, ESzSeek origin) { return s->Seek(s, offset, origin); }

TEST(MemoryInStreamTest, ReadsExactlyOrNothing) {
  const unsigned char bytes[] = {1, 2, 3, 4, 5};
  kivo::MemoryInStream stream(bytes, sizeof bytes);
  unsigned char out[8] = {0};
  size_t size = 3;
  ASSERT_EQ(readFrom(stream.stream(), out, &size), SZ_OK);
  EXPECT_EQ(size, 3u);
  EXPECT_EQ(out[2], 3);
  size = 3;  // only two are left
  EXPECT_EQ(readFrom(stream.stream(), out, &size), SZ_ERROR_ARCHIVE);
  EXPECT_EQ(size, 0u);
  EXPECT_EQ(stream.position(), 3u);
  size = 2;
  ASSERT_EQ(readFrom(stream.stream(), out, &size), SZ_OK);
  EXPECT_EQ(out[1], 5);
  size = 0;
  EXPECT_EQ(readFrom(stream.stream(), out, &size), SZ_OK);
}

TEST(MemoryInStreamTest, SeeksFromEachOriginAndStaysInside) {
  const unsigned char bytes[] = {1, 2, 3, 4, 5};
  kivo::MemoryInStream stream(bytes, sizeof bytes);
  Int64 offset = 0;
  ASSERT_EQ(seekIn(stream.stream(), &offset, SZ_SEEK_END), SZ_OK);
  EXPECT_EQ(offset, 5);
  offset = 1;
  ASSERT_EQ(seekIn(stream.stream(), &offset, SZ_SEEK_SET), SZ_OK);
  offset = 2;
  ASSERT_EQ(seekIn(stream.stream(), &offset, SZ_SEEK_CUR), SZ_OK);
  EXPECT_EQ(offset, 3);
  EXPECT_EQ(stream.position(), 3u);
  for (auto bad : {std::make_pair(Int64{6}, SZ_SEEK_SET), std::make_pair(Int64{-4}, SZ_SEEK_CUR),
                   std::make_pair(Int64{-1}, SZ_SEEK_SET)}) {
    offset = bad.first;
    EXPECT_NE(seekIn(stream.stream(), &offset, bad.second), SZ_OK);
    EXPECT_EQ(stream.position(), 3u);
  }
}

}  // namespace
