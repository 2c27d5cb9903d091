#include "toolkit/core/tl_mem_pool.h"

#include <malloc.h>
#include <stdio.h>
#include <string.h>

namespace {

constexpr std::uint16_t kGuard = 0xCDAB;
constexpr std::uint16_t kFreeBit = 0x0001;
constexpr int kIndexShift = 6;

const std::uint32_t kBlockSizes[TlMemPool::kClassCount] = {8,  16,  24,  32,  48,  64, 80,
                                                           96, 128, 160, 192, 224, 256};

std::uint16_t& headerOf(unsigned char* payload) { return *reinterpret_cast<std::uint16_t*>(payload - 2); }
std::uint16_t& guardOf(unsigned char* payload, std::uint32_t blockSize) {
  return *reinterpret_cast<std::uint16_t*>(payload + blockSize);
}
unsigned char*& linkOf(unsigned char* payload) { return *reinterpret_cast<unsigned char**>(payload); }

class Locked {
 public:
  explicit Locked(CRITICAL_SECTION* cs) : cs_(cs) { EnterCriticalSection(cs_); }
  ~Locked() { LeaveCriticalSection(cs_); }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;

 private:
  CRITICAL_SECTION* cs_;
};

// The 4 bytes before a live block are readable unless the block starts a
// page; only then is the page before it asked about.
bool precedingBytesReadable(void* block) {
  auto at = reinterpret_cast<std::uintptr_t>(block);
  if ((at & 0xFFF) >= 4) return true;
  MEMORY_BASIC_INFORMATION info;
  if (VirtualQuery(reinterpret_cast<void*>(at - 4), &info, sizeof info) == 0) return false;
  const DWORD readable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                         PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
  return info.State == MEM_COMMIT && (info.Protect & readable) != 0 && (info.Protect & PAGE_GUARD) == 0;
}

}  // namespace

// Formatted under the lock, delivered after it is released: a reporter may
// show a window or allocate, and must not do so while other threads wait.
struct TlMemPool::PendingReport {
  wchar_t text[4096];
  bool set = false;

  void format(const wchar_t* pattern, const void* block) {
    if (set) return;  // the first fault of an operation is the one to see
    _snwprintf(text, 4095, pattern, static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(block)));
    text[4095] = 0;
    set = true;
  }
};

TlMemPool::TlMemPool(const Config& config) : config_(config) {
  if (config_.maxChunks > kMaxChunkTable) config_.maxChunks = kMaxChunkTable;
  if (config_.firstChunkBytes < 4096) config_.firstChunkBytes = 4096;
  if (config_.largestChunkBytes < config_.firstChunkBytes) config_.largestChunkBytes = config_.firstChunkBytes;
  InitializeCriticalSection(&lock_);
  for (SizeClass& c : classes_) c = SizeClass{0, nullptr};
}

TlMemPool::~TlMemPool() {
  for (LONG i = 0; i < chunkCount_; ++i) VirtualFree(chunks_[i].base, 0, MEM_RELEASE);
  DeleteCriticalSection(&lock_);
}

int TlMemPool::classFor(std::size_t size) {
  if (size > kLargestBlock) return -1;
  if (size == 0) size = 1;
  if (size <= 32) return static_cast<int>((size - 1) / 8);
  if (size <= 96) return 4 + static_cast<int>((size - 33) / 16);
  return 8 + static_cast<int>((size - 97) / 32);
}

std::uint32_t TlMemPool::blockSizeOf(int sizeClass) {
  return sizeClass >= 0 && sizeClass < kClassCount ? kBlockSizes[sizeClass] : 0;
}

bool TlMemPool::addChunk(int sizeClass) {
  if (static_cast<std::uint32_t>(chunkCount_) >= config_.maxChunks) return false;
  SizeClass& c = classes_[sizeClass];
  std::uint64_t want = static_cast<std::uint64_t>(c.lastChunkBytes) * 2;
  if (want < config_.firstChunkBytes) want = config_.firstChunkBytes;
  if (want > config_.largestChunkBytes) want = config_.largestChunkBytes;
  auto bytes = static_cast<std::uint32_t>(want);
  auto* base = static_cast<unsigned char*>(VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  if (base == nullptr) return false;

  const std::uint32_t blockSize = kBlockSizes[sizeClass];
  const std::uint32_t stride = blockSize + 4;
  const std::uint32_t index = static_cast<std::uint32_t>(chunkCount_);
  const auto header = static_cast<std::uint16_t>((index << kIndexShift) | kFreeBit);
  unsigned char* first = nullptr;
  unsigned char* previous = nullptr;
  for (std::uint32_t offset = 2; offset + stride < bytes; offset += stride) {
    unsigned char* payload = base + offset + 2;
    headerOf(payload) = header;
    guardOf(payload, blockSize) = kGuard;
    linkOf(payload) = nullptr;
    if (previous != nullptr) linkOf(previous) = payload;
    else first = payload;
    previous = payload;
  }
  chunks_[index] = Chunk{base, bytes, static_cast<std::uint16_t>(sizeClass), static_cast<std::uint16_t>(blockSize)};
  InterlockedIncrement(&chunkCount_);
  c.lastChunkBytes = bytes;
  if (previous != nullptr) linkOf(previous) = c.freeHead;
  c.freeHead = first;
  return true;
}

bool TlMemPool::isPoolBlock(void* block) {
  auto at = reinterpret_cast<std::uintptr_t>(block);
  if (block == nullptr || (at & 3) != 0 || !precedingBytesReadable(block)) return false;
  auto* payload = static_cast<unsigned char*>(block);
  std::uint32_t index = headerOf(payload) >> kIndexShift;
  if (index >= static_cast<std::uint32_t>(chunkCount_)) return false;
  const Chunk& chunk = chunks_[index];
  auto base = reinterpret_cast<std::uintptr_t>(chunk.base);
  std::uintptr_t header = at - 2;
  std::uint32_t stride = chunk.blockSize + 4u;
  // Inside the chunk and on a block boundary: an address in the middle of a
  // block must never reach a free list.
  return header >= base + 2 && header + stride < base + chunk.bytes && (header - base - 2) % stride == 0;
}

bool TlMemPool::owns(void* block) {
  Locked hold(&lock_);
  return isPoolBlock(block);
}

void* TlMemPool::alloc(std::size_t size) {
  int sizeClass = config_.disabled ? -1 : classFor(size);
  if (sizeClass < 0) return ::malloc(size);
  PendingReport pending;
  unsigned char* payload = nullptr;
  {
    Locked hold(&lock_);
    SizeClass& c = classes_[sizeClass];
    if (c.freeHead == nullptr) addChunk(sizeClass);
    payload = c.freeHead;
    if (payload != nullptr) {
      const std::uint32_t blockSize = kBlockSizes[sizeClass];
      unsigned char* next = linkOf(payload);
      // A link overwritten after release would send the next allocation
      // anywhere: drop the rest of the list rather than follow it.
      if (next != nullptr && (!isPoolBlock(next) || chunks_[headerOf(next) >> kIndexShift].sizeClass != sizeClass)) {
        pending.format(L"mp_alloc - detect block 0x%08X corrupt!", payload);
        next = nullptr;
      }
      c.freeHead = next;
      std::uint16_t& header = headerOf(payload);
      if ((header & kFreeBit) == 0 || guardOf(payload, blockSize) != kGuard) {
        pending.format(L"mp_alloc - detect block 0x%08X corrupt!", payload);
      }
      header = static_cast<std::uint16_t>(header & ~kFreeBit);
      guardOf(payload, blockSize) = kGuard;
      linkOf(payload) = nullptr;
    }
  }
  deliver(pending);
  return payload != nullptr ? payload : ::malloc(size);
}

void TlMemPool::free(void* block) {
  if (block == nullptr) return;
  if (config_.disabled) {
    ::free(block);
    return;
  }
  PendingReport pending;
  bool pooled;
  {
    Locked hold(&lock_);
    pooled = isPoolBlock(block);
    if (pooled) {
      auto* payload = static_cast<unsigned char*>(block);
      std::uint16_t& header = headerOf(payload);
      const Chunk& chunk = chunks_[header >> kIndexShift];
      if ((header & kFreeBit) != 0) {
        pending.format(L"mp_free - repeat free block 0x%08X!", block);
      } else {
        if (guardOf(payload, chunk.blockSize) != kGuard) {
          pending.format(L"mp_free - detect block 0x%08X corrupt!", block);
        }
        header = static_cast<std::uint16_t>(header | kFreeBit);
        guardOf(payload, chunk.blockSize) = kGuard;
        SizeClass& c = classes_[chunk.sizeClass];
        linkOf(payload) = c.freeHead;
        c.freeHead = payload;
      }
    }
  }
  if (!pooled) ::free(block);
  deliver(pending);
}

std::size_t TlMemPool::size(void* block) {
  if (block == nullptr) return 0;
  if (!config_.disabled) {
    Locked hold(&lock_);
    if (isPoolBlock(block)) return chunks_[headerOf(static_cast<unsigned char*>(block)) >> kIndexShift].blockSize;
  }
  return ::_msize(block);
}

void* TlMemPool::realloc(void* block, std::size_t size) {
  if (config_.disabled) return ::realloc(block, size);
  if (block == nullptr) return alloc(size);
  PendingReport pending;
  std::uint32_t blockSize = 0;
  bool wasFree = false;
  bool fits = false;
  {
    Locked hold(&lock_);
    if (!isPoolBlock(block)) return ::realloc(block, size);
    auto* payload = static_cast<unsigned char*>(block);
    std::uint16_t& header = headerOf(payload);
    blockSize = chunks_[header >> kIndexShift].blockSize;
    wasFree = (header & kFreeBit) != 0;
    if (wasFree || guardOf(payload, blockSize) != kGuard) {
      pending.format(L"mp_free - detect block 0x%08X corrupt!", block);
    }
    // A block already on its free list is never handed out twice: it gets
    // a fresh block below instead.
    fits = !wasFree && size <= blockSize;
    if (fits) guardOf(payload, blockSize) = kGuard;
  }
  deliver(pending);
  if (fits) return block;
  void* fresh = alloc(size);
  if (fresh == nullptr) return nullptr;
  memcpy(fresh, block, blockSize < size ? blockSize : size);
  if (!wasFree) free(block);
  return fresh;
}

void TlMemPool::setReporter(Reporter reporter) {
  Locked hold(&lock_);
  config_.reporter = reporter;
}

void TlMemPool::deliver(const PendingReport& report) {
  if (!report.set) return;
  Reporter reporter;
  {
    Locked hold(&lock_);
    reporter = config_.reporter;
  }
  if (reporter == nullptr) reporter = tlStandardPoolReport;
  reporter(report.text);
}

TlMemPool::ClassState TlMemPool::classState(int sizeClass) {
  ClassState state{0, 0, 0, 0};
  if (sizeClass < 0 || sizeClass >= kClassCount) return state;
  Locked hold(&lock_);
  state.lastChunkBytes = classes_[sizeClass].lastChunkBytes;
  for (LONG i = 0; i < chunkCount_; ++i) {
    const Chunk& chunk = chunks_[i];
    if (chunk.sizeClass != sizeClass) continue;
    ++state.chunks;
    state.blocks += (chunk.bytes - 3) / (chunk.blockSize + 4u);
  }
  for (unsigned char* p = classes_[sizeClass].freeHead; p != nullptr; p = linkOf(p)) ++state.freeBlocks;
  return state;
}

std::uint32_t TlMemPool::chunkCount() { return static_cast<std::uint32_t>(chunkCount_); }

std::uint32_t TlMemPool::chunkBytes(std::uint32_t index) {
  Locked hold(&lock_);
  return index < static_cast<std::uint32_t>(chunkCount_) ? chunks_[index].bytes : 0;
}
