// The toolkit's small-block memory pool.
//
// Requests of up to 256 bytes are served from 13 size classes (8, 16, 24,
// 32, 48, 64, 80, 96, 128, 160, 192, 224, 256 bytes), each a free list of
// blocks carved from chunks of committed virtual memory: the first chunk of
// a class is 128 KiB, each later one twice the previous, at most 1 MiB; at
// most 1024 chunks exist and they are never given back. Everything else,
// and everything once the chunk table is full, goes to the C run-time heap.
//
// Block layout, stride = block size + 4: a 16-bit header (bits 6-15 the
// chunk's index in the table, bit 0 set while the block is free), the
// payload (4-byte aligned), a 16-bit guard word 0xCDAB. A free block's
// payload begins with the link to the next free block.
//
// Misuse (a block popped without its free bit or guard, a repeated free, a
// damaged guard at release or reallocation) is reported and the pool goes
// on working. Reports are made after the pool's lock is released.
//
// Thread rules: every operation is safe on any thread; one critical section
// per pool serialises them. The process-wide pool (mp_* functions) sets
// itself up on its first call, before or after the program's entry point,
// and is never destroyed.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

void* mp_alloc(std::size_t size);
void mp_free(void* block);
void* mp_realloc(void* block, std::size_t size);
std::size_t mp_size(void* block);

class TlMemPool {
 public:
  // Receives the finished report text (at most 4095 characters).
  using Reporter = void (*)(const wchar_t* message);

  struct Config {
    std::uint32_t firstChunkBytes = 131072;
    std::uint32_t largestChunkBytes = 1048576;
    std::uint32_t maxChunks = 1024;  // at most 1024: the header holds 10 bits
    bool disabled = false;           // everything goes to the C run-time heap
    Reporter reporter = nullptr;     // null: the standard report
  };

  static constexpr int kClassCount = 13;
  static constexpr std::size_t kLargestBlock = 256;

  explicit TlMemPool(const Config& config);
  // Returns the chunks to the system (only pools made for a purpose, such
  // as tests and benchmarks, are ever destroyed).
  ~TlMemPool();
  TlMemPool(const TlMemPool&) = delete;
  TlMemPool& operator=(const TlMemPool&) = delete;

  void* alloc(std::size_t size);
  void free(void* block);
  void* realloc(void* block, std::size_t size);
  std::size_t size(void* block);

  // Whether |block| is a block of this pool's chunks.
  bool owns(void* block);
  void setReporter(Reporter reporter);

  // The class for a request (0 counts as 1), -1 above 256 bytes.
  static int classFor(std::size_t size);
  static std::uint32_t blockSizeOf(int sizeClass);

  struct ClassState {
    std::uint32_t lastChunkBytes;
    std::uint32_t chunks;
    std::uint32_t blocks;      // carved in all of the class's chunks
    std::uint32_t freeBlocks;  // on the free list now
  };
  ClassState classState(int sizeClass);
  std::uint32_t chunkCount();
  std::uint32_t chunkBytes(std::uint32_t index);

 private:
  struct Chunk {
    unsigned char* base;
    std::uint32_t bytes;
    std::uint16_t sizeClass;
    std::uint16_t blockSize;
  };
  struct SizeClass {
    std::uint32_t lastChunkBytes;
    unsigned char* freeHead;
  };
  enum { kMaxChunkTable = 1024 };

  struct PendingReport;

  bool addChunk(int sizeClass);
  bool isPoolBlock(void* block);
  void deliver(const PendingReport& report);

  Config config_;
  CRITICAL_SECTION lock_;
  SizeClass classes_[kClassCount];
  Chunk chunks_[kMaxChunkTable];
  volatile LONG chunkCount_ = 0;
};

// The process-wide pool behind mp_*, created on first use.
TlMemPool& tlProcessPool();

// "/disablemempool" in any letter case within the first 259 characters.
bool tlCommandLineDisablesPool(const wchar_t* commandLine);

// The standard report: a "Debug: " line, a message box with the caption
// "mem pool error dectect!", and a breakpoint only when a debugger listens.
void tlStandardPoolReport(const wchar_t* message);

// Replaces the process pool's reporter; null restores the standard report
// (a "Debug: " line, a message box, a breakpoint when a debugger listens).
void mp_setReporter(TlMemPool::Reporter reporter);
