#include "installer/extract/archive_extraction.h"

#include <cstdlib>
#include <vector>

#include "7z.h"
#include "7zCrc.h"
#include "installer/extract/entry_path.h"
#include "installer/extract/memory_in_stream.h"

namespace kivo {
namespace {

// Both allocators are the C runtime heap.
void* heapAlloc(ISzAllocPtr, size_t size) { return size == 0 ? nullptr : std::malloc(size); }
void heapFree(ISzAllocPtr, void* address) { std::free(address); }
const ISzAlloc kHeap = {heapAlloc, heapFree};

const size_t kLookBufferSize = static_cast<size_t>(1) << 18;
const WChar kFilterName[] = KW("KivoVirtualCam.ax");
const WChar kCheckName[] = KW("InstallDir/KivoVirtualCam.ax");

// Everything the SDK allocates for one run, released in one place.
class OpenArchive {
 public:
  OpenArchive(const unsigned char* bytes, size_t size) : input_(bytes, size) {
    LookToRead2_CreateVTable(&look_, False);  // exact reads: never past the end
    look_.realStream = input_.stream();
    look_.buf = static_cast<Byte*>(std::malloc(kLookBufferSize));
    look_.bufSize = kLookBufferSize;
    LookToRead2_INIT(&look_);
    SzArEx_Init(&db_);
  }
  ~OpenArchive() {
    if (cache_ != nullptr) ISzAlloc_Free(&kHeap, cache_);
    SzArEx_Free(&db_, &kHeap);
    std::free(look_.buf);
  }
  OpenArchive(const OpenArchive&) = delete;
  OpenArchive& operator=(const OpenArchive&) = delete;

  SRes open() {
    if (look_.buf == nullptr) return SZ_ERROR_MEM;
    return SzArEx_Open(&db_, &look_.vt, &kHeap, &kHeap);
  }
  unsigned count() const { return db_.NumFiles; }
  bool isDirectory(unsigned i) const { return SzArEx_IsDir(&db_, i) != 0; }

  // The entry's UTF-16 name, in a buffer that grows as needed.
  SRes name(unsigned i, WString& out) {
    const size_t length = SzArEx_GetFileNameUtf16(&db_, i, nullptr);  // with the zero
    if (length > names_.size()) {
      try {
        names_.resize(length);
      } catch (...) {
        return SZ_ERROR_MEM;
      }
    }
    SzArEx_GetFileNameUtf16(&db_, i, names_.data());
    out.assign(names_.begin(), names_.begin() + (length > 0 ? length - 1 : 0));
    return SZ_OK;
  }

  // Decodes the entry's block into the folder cache (once per block).
  SRes extract(unsigned i, const unsigned char*& bytes, size_t& size) {
    size_t offset = 0;
    size_t processed = 0;
    const SRes res = SzArEx_Extract(&db_, &look_.vt, i, &blockIndex_, &cache_, &cacheSize_, &offset,
                                    &processed, &kHeap, &kHeap);
    bytes = res == SZ_OK && processed != 0 ? cache_ + offset : nullptr;
    size = res == SZ_OK ? processed : 0;
    return res;
  }

 private:
  MemoryInStream input_;
  CLookToRead2 look_;
  CSzArEx db_;
  std::vector<UInt16> names_;
  UInt32 blockIndex_ = 0xFFFFFFFF;
  Byte* cache_ = nullptr;
  size_t cacheSize_ = 0;
};

WString lastComponent(const WString& name) {
  const size_t slash = name.find_last_of(KW("/\\"));
  return slash == WString::npos ? name : name.substr(slash + 1);
}

}  // namespace

ExtractOutcome extractEntries(const unsigned char* bytes, size_t size, ExtractSink& sink,
                              const CancelSource* cancel, bool fullInstall) {
  ExtractOutcome outcome;
  CrcGenerateTable();
  OpenArchive archive(bytes, size);
  outcome.error = archive.open();
  if (outcome.error != SZ_OK) return outcome;

  const unsigned count = archive.count();
  WString name;
  for (unsigned i = 0; i < count; ++i) {
    outcome.error = archive.name(i, name);
    if (outcome.error != SZ_OK) return outcome;
    if (!isSafeEntryName(name)) {
      outcome.error = SZ_ERROR_ARCHIVE;
      outcome.refusedName = name;
      return outcome;
    }
  }

  for (unsigned i = 0; i < count; ++i) {
    if (!sink.shouldContinue()) break;
    outcome.error = archive.name(i, name);
    if (outcome.error != SZ_OK) break;
    if (!fullInstall) {
      if (lastComponent(name) != kFilterName) continue;
      name = kCheckName;
    }
    if (sink.acceptEntry(name)) {
      const bool directory = archive.isDirectory(i);
      const unsigned char* data = nullptr;
      size_t dataSize = 0;
      if (!directory) {
        outcome.error = archive.extract(i, data, dataSize);
        if (outcome.error != SZ_OK) break;
      }
      if (!sink.output(name, directory, data, dataSize)) {
        outcome.error = SZ_ERROR_FAIL;
        break;
      }
      sink.reportProgress(i, count, lastComponent(name));
    }
    if (cancel != nullptr && cancel->isCancelled()) {
      outcome.error = SZ_ERROR_FAIL;
      break;
    }
  }
  return outcome;
}

}  // namespace kivo
