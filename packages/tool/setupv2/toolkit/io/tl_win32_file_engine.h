// The file engine for ordinary paths: one Win32 file handle.
//
// Positions are 64-bit but seek only reaches the first 4 GiB (the files it
// serves are small settings files and resources).
#pragma once

#include "common/system/win_handle.h"
#include "toolkit/io/tl_file_engine.h"

class TlWin32FileEngine : public TlFileEngine {
 public:
  explicit TlWin32FileEngine(const TlString& path) : path_(path) {}

  // pos() equals size().
  bool atEnd() override;
  // 0 when the position cannot be had (for example, the file is not open).
  std::int64_t pos() override;
  // From the file's attributes, open or not; -1 when they cannot be read.
  std::int64_t size() override;
  // Read and Write choose the access; Truncate creates the file afresh,
  // Write alone opens or creates it, Read alone needs it to exist; Append
  // then moves to the end. Opening again first closes the old handle.
  bool open(int flags) override;
  bool seek(std::int64_t position) override;
  // One system call each; the count moved, 0 on failure.
  std::int64_t read(void* buffer, std::int64_t count) override;
  std::int64_t write(const void* buffer, std::int64_t count) override;
  void close() override;

 private:
  TlString path_;
  kivo::UniqueHandle handle_;
};
