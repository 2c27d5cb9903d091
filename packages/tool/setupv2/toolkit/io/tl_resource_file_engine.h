// The file engine for paths that begin with ':'.
//
// The programs keep their resources in the resource layer, not behind
// file paths, so by default every operation writes the diagnostic line
// "TlResourceFileEngine Not implemented" and fails: atEnd, open and seek
// answer false, pos, size, read and write 0, close does nothing.
//
// A resource table may be attached (tlSetFileResourceTable); a path
// ":name" whose name the table holds then reads that entry's bytes. Such a
// file opens for reading only; writing answers 0.
//
// Thread rules: attach the table before files are made from other threads.
#pragma once

#include "toolkit/io/tl_file_engine.h"
#include "toolkit/io/tl_resource_table.h"

class TlResourceFileEngine : public TlFileEngine {
 public:
  explicit TlResourceFileEngine(const TlString& path);

  bool atEnd() override;
  std::int64_t pos() override;
  std::int64_t size() override;
  bool open(int flags) override;
  bool seek(std::int64_t position) override;
  std::int64_t read(void* buffer, std::int64_t count) override;
  std::int64_t write(const void* buffer, std::int64_t count) override;
  void close() override;

  // Whether |path| names an entry of the attached table.
  static bool hasEntry(const TlString& path);

 private:
  TlResourceEntry entry_;
  std::int64_t position_ = 0;
  bool open_ = false;
};

// Returns the previously attached table; null detaches.
const TlResourceTable* tlSetFileResourceTable(const TlResourceTable* table);
