#include "toolkit/core/tl_mem_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

std::vector<std::wstring>& reports() {
  static std::vector<std::wstring> lines;
  return lines;
}
void catchReport(const wchar_t* message) { reports().push_back(message); }

std::wstring withAddress(const wchar_t* pattern, const void* block) {
  wchar_t text[128];
  _snwprintf(text, 127, pattern, static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(block)));
  text[127] = 0;
  return text;
}

// A pool of its own for each test, reporting into reports().
class PoolTest : public ::testing::Test {
 protected:
  void SetUp() override { reports().clear(); }
  static TlMemPool::Config config() {
    TlMemPool::Config c;
    c.reporter = catchReport;
    return c;
  }
};

TEST(TlMemPoolClasses, RequestSizesMapToBlockSizes) {
  struct Case {
    std::size_t request;
    std::uint32_t block;
  } cases[] = {{0, 8},     {1, 8},     {8, 8},     {9, 16},    {20, 24},   {32, 32},   {33, 48},
               {48, 48},   {49, 64},   {64, 64},   {65, 80},   {81, 96},   {96, 96},   {97, 128},
               {128, 128}, {129, 160}, {161, 192}, {193, 224}, {225, 256}, {256, 256}, {257, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(TlMemPool::blockSizeOf(TlMemPool::classFor(c.request)), c.block) << c.request;
  }
}

TEST(TlMemPoolProcess, EdgesOfTheProcessPool) {
  void* zero = mp_alloc(0);
  ASSERT_NE(zero, nullptr);
  std::memset(zero, 0x5A, 8);
  EXPECT_TRUE(tlProcessPool().owns(zero));
  EXPECT_EQ(mp_size(zero), 8u);

  void* twenty = mp_alloc(20);
  EXPECT_EQ(mp_size(twenty), 24u);
  void* largest = mp_alloc(256);
  EXPECT_TRUE(tlProcessPool().owns(largest));
  void* heap = mp_alloc(257);
  EXPECT_FALSE(tlProcessPool().owns(heap));
  EXPECT_GE(mp_size(heap), 257u);
  for (void* p : {zero, twenty, largest, heap}) mp_free(p);
  mp_free(nullptr);
}

TEST(TlMemPoolProcess, ReallocKeepsTheBytesAcrossEveryKindOfBlock) {
  auto* p = static_cast<unsigned char*>(mp_realloc(nullptr, 10));
  for (int i = 0; i < 10; ++i) p[i] = static_cast<unsigned char>(i + 1);
  EXPECT_EQ(mp_realloc(p, 16), p) << "still fits its 16-byte block";
  auto* bigger = static_cast<unsigned char*>(mp_realloc(p, 200));
  EXPECT_NE(bigger, p);
  EXPECT_EQ(mp_size(bigger), 224u);
  auto* heap = static_cast<unsigned char*>(mp_realloc(bigger, 5000));
  EXPECT_FALSE(tlProcessPool().owns(heap));
  heap = static_cast<unsigned char*>(mp_realloc(heap, 6000));
  for (int i = 0; i < 10; ++i) ASSERT_EQ(heap[i], i + 1);
  mp_free(heap);
}

TEST_F(PoolTest, EveryClassAllocatesAndReleasesDistinctBlocks) {
  TlMemPool pool(config());
  std::vector<std::pair<unsigned char*, std::size_t>> blocks;
  for (std::size_t size = 0; size <= 300; ++size) {
    for (int copy = 0; copy < 3; ++copy) {
      auto* p = static_cast<unsigned char*>(pool.alloc(size));
      ASSERT_NE(p, nullptr);
      ASSERT_EQ(reinterpret_cast<std::uintptr_t>(p) % 4, 0u);
      EXPECT_EQ(pool.owns(p), size <= 256) << size;
      std::memset(p, static_cast<int>(size & 0xff), size);
      blocks.push_back({p, size});
    }
  }
  for (auto& b : blocks) {
    for (std::size_t i = 0; i < b.second; ++i) ASSERT_EQ(b.first[i], b.second & 0xff) << b.second;
    pool.free(b.first);
  }
  for (int c = 0; c < TlMemPool::kClassCount; ++c) {
    TlMemPool::ClassState s = pool.classState(c);
    EXPECT_EQ(s.chunks, 1u) << c;
    EXPECT_EQ(s.freeBlocks, s.blocks) << c;
  }
  EXPECT_TRUE(reports().empty());
}

TEST_F(PoolTest, ChunksOfAClassDoubleUpToOneMebibyte) {
  TlMemPool pool(config());
  std::vector<void*> blocks;
  while (pool.chunkCount() < 6) blocks.push_back(pool.alloc(8));
  const std::uint32_t expected[] = {131072, 262144, 524288, 1048576, 1048576, 1048576};
  for (std::uint32_t i = 0; i < 6; ++i) EXPECT_EQ(pool.chunkBytes(i), expected[i]) << i;

  // Blocks are carved while a whole block ends strictly before the end.
  TlMemPool::ClassState s = pool.classState(0);
  std::uint32_t carved = 0;
  for (std::uint32_t bytes : expected) carved += (bytes - 3) / 12;
  EXPECT_EQ(s.blocks, carved);
  EXPECT_EQ(s.blocks - s.freeBlocks, blocks.size());
  std::set<void*> distinct(blocks.begin(), blocks.end());
  EXPECT_EQ(distinct.size(), blocks.size());
  for (void* p : blocks) pool.free(p);
  EXPECT_EQ(pool.classState(0).freeBlocks, carved);
  // Another class starts small again.
  void* other = pool.alloc(100);
  EXPECT_EQ(pool.classState(TlMemPool::classFor(100)).lastChunkBytes, 131072u);
  pool.free(other);
}

TEST_F(PoolTest, AFullChunkTableFallsBackToTheHeap) {
  TlMemPool::Config c = config();
  c.firstChunkBytes = c.largestChunkBytes = 4096;  // 1024 small chunks
  TlMemPool pool(c);
  std::vector<void*> pooled;
  while (pool.chunkCount() < 1024 || pool.classState(12).freeBlocks > 0) pooled.push_back(pool.alloc(256));
  ASSERT_EQ(pool.chunkCount(), 1024u);
  // The last chunk's index needs all ten header bits.
  EXPECT_TRUE(pool.owns(pooled.back()));
  EXPECT_EQ(pool.size(pooled.back()), 256u);

  void* spill = pool.alloc(256);
  void* otherClass = pool.alloc(8);
  EXPECT_FALSE(pool.owns(spill));
  EXPECT_FALSE(pool.owns(otherClass));
  std::memset(spill, 1, 256);
  pool.free(spill);
  pool.free(otherClass);

  pool.free(pooled.back());
  void* again = pool.alloc(250);
  EXPECT_EQ(again, pooled.back()) << "a released block is used before the heap";
  pooled.back() = again;
  for (void* p : pooled) pool.free(p);
  EXPECT_EQ(pool.classState(12).freeBlocks, pool.classState(12).blocks);
  EXPECT_TRUE(reports().empty());
}

TEST_F(PoolTest, OverwrittenGuardIsReportedAndThePoolGoesOn) {
  TlMemPool pool(config());
  auto* p = static_cast<unsigned char*>(pool.alloc(16));
  p[16] = 0;  // one byte past the block
  pool.free(p);
  ASSERT_EQ(reports().size(), 1u);
  EXPECT_EQ(reports()[0], withAddress(L"mp_free - detect block 0x%08X corrupt!", p));

  void* next = pool.alloc(16);
  EXPECT_EQ(next, p) << "the block was still released";
  pool.free(next);
  EXPECT_EQ(reports().size(), 1u) << "the guard was repaired";
}

TEST_F(PoolTest, RepeatedFreeIsReportedAndTheBlockIsNotListedTwice) {
  TlMemPool pool(config());
  void* p = pool.alloc(40);
  pool.free(p);
  pool.free(p);
  ASSERT_EQ(reports().size(), 1u);
  EXPECT_EQ(reports()[0], withAddress(L"mp_free - repeat free block 0x%08X!", p));

  void* a = pool.alloc(40);
  void* b = pool.alloc(40);
  EXPECT_NE(a, b);
  pool.free(a);
  pool.free(b);
  TlMemPool::ClassState s = pool.classState(TlMemPool::classFor(40));
  EXPECT_EQ(s.freeBlocks, s.blocks);
}

TEST_F(PoolTest, DamagedFreeBlocksAreReportedWhenPopped) {
  TlMemPool pool(config());
  auto* first = static_cast<unsigned char*>(pool.alloc(24));
  auto* second = static_cast<unsigned char*>(pool.alloc(24));
  pool.free(second);
  pool.free(first);  // the list is now first -> second -> ...

  // A write after release clobbers the link in the free block.
  std::memset(first, 0x41, 24);
  void* got = pool.alloc(24);
  EXPECT_EQ(got, first);
  ASSERT_EQ(reports().size(), 1u);
  EXPECT_EQ(reports()[0], withAddress(L"mp_alloc - detect block 0x%08X corrupt!", first));
  // The pool carries on with fresh blocks, never the bad address.
  for (int i = 0; i < 100; ++i) {
    auto* q = static_cast<unsigned char*>(pool.alloc(24));
    ASSERT_TRUE(pool.owns(q));
    std::memset(q, 0, 24);
  }

  // A free block whose guard was overwritten.
  auto* victim = static_cast<unsigned char*>(pool.alloc(200));
  pool.free(victim);
  victim[224] ^= 0xFF;
  reports().clear();
  EXPECT_EQ(pool.alloc(200), victim);
  ASSERT_EQ(reports().size(), 1u);
  EXPECT_EQ(reports()[0], withAddress(L"mp_alloc - detect block 0x%08X corrupt!", victim));
}

TEST_F(PoolTest, ReallocOfAReleasedBlockReportsAndGivesAFreshOne) {
  TlMemPool pool(config());
  void* p = pool.alloc(8);
  pool.free(p);
  void* q = pool.realloc(p, 8);
  ASSERT_EQ(reports().size(), 1u);
  EXPECT_EQ(reports()[0], withAddress(L"mp_free - detect block 0x%08X corrupt!", p));
  // Whatever it got, the block is handed out once only.
  void* r = pool.alloc(8);
  EXPECT_NE(r, q);
  pool.free(q);
  pool.free(r);
  EXPECT_EQ(reports().size(), 1u);
}

TEST_F(PoolTest, DisabledPoolNeverMakesAChunk) {
  TlMemPool::Config c = config();
  c.disabled = true;
  TlMemPool pool(c);
  void* small = pool.alloc(8);
  void* grown = pool.realloc(pool.alloc(16), 100);
  EXPECT_FALSE(pool.owns(small));
  EXPECT_GE(pool.size(grown), 100u);
  pool.free(small);
  pool.free(grown);
  EXPECT_EQ(pool.chunkCount(), 0u);
}

TEST(TlMemPoolSwitch, DisableMemPoolWithinTheFirst259Characters) {
  std::wstring pad(240, L'x');
  struct Case {
    std::wstring line;
    bool disabled;
  } cases[] = {
      {L"\"C:\\Kivo\\KivoMixerSetup.exe\" /disablemempool", true},
      {L"setup.exe -silence /DisableMemPool", true},
      {L"setup.exe/DISABLEMEMPOOLx", true},
      {L"setup.exe /disablemempoo", false},
      {L"setup.exe -disablemempool", false},
      {L"", false},
      {pad + std::wstring(4, L'y') + L"/disablemempool", true},  // ends at 259
      {pad + std::wstring(5, L'y') + L"/disablemempool", false},  // cut by one
  };
  for (const Case& c : cases) EXPECT_EQ(tlCommandLineDisablesPool(c.line.c_str()), c.disabled) << c.line.size();
  EXPECT_FALSE(tlCommandLineDisablesPool(nullptr));
}

// Four threads allocate, fill, check and release at once; a block handed
// to two threads, or lost, shows up as a wrong pattern or a short list.
TEST_F(PoolTest, ManyThreadsLoseAndCorruptNothing) {
  TlMemPool pool(config());
  const int kThreads = 4, kOps = 1000000, kSlots = 256;
  std::atomic<int> damaged{0};
  auto work = [&](int id) {
    struct Slot {
      unsigned char* p = nullptr;
      std::size_t size = 0;
      unsigned char tag = 0;
    } slots[kSlots];
    std::uint32_t seed = 0x9E3779B9u * static_cast<std::uint32_t>(id + 1);
    for (int op = 0; op < kOps; ++op) {
      seed = seed * 1664525u + 1013904223u;
      Slot& s = slots[(seed >> 8) % kSlots];
      if (s.p != nullptr) {
        for (std::size_t i = 0; i < s.size; ++i) {
          if (s.p[i] != s.tag) {
            ++damaged;
            break;
          }
        }
        pool.free(s.p);
        s.p = nullptr;
      } else {
        s.size = (seed >> 16) % 280;  // a few go to the heap
        s.tag = static_cast<unsigned char>(id * 64 + op);
        s.p = static_cast<unsigned char*>(pool.alloc(s.size));
        std::memset(s.p, s.tag, s.size);
      }
    }
    for (Slot& s : slots) pool.free(s.p);
  };
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i) threads.emplace_back(work, i);
  for (std::thread& t : threads) t.join();

  EXPECT_EQ(damaged.load(), 0);
  EXPECT_TRUE(reports().empty());
  for (int c = 0; c < TlMemPool::kClassCount; ++c) {
    TlMemPool::ClassState s = pool.classState(c);
    EXPECT_EQ(s.freeBlocks, s.blocks) << "class " << c;
  }
}

}  // namespace
