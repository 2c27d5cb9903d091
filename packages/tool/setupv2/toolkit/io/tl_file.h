// TlFile: a file reached through the engine that the handlers choose for
// its path (tl_file_engine.h).
//
// Every operation forwards to the engine. A path no handler accepts gives a
// file without an engine: "no file engine for file" and the path go to the
// diagnostic line, and every operation fails (atEnd answers true so that
// reading loops end).
//
// Ownership: the file owns its engine; the engine's handle is released when
// the file is closed or destroyed.
// Thread rules: one thread per file.
#pragma once

#include <cstdint>
#include <memory>

#include "toolkit/core/tl_byte_array.h"
#include "toolkit/core/tl_string.h"
#include "toolkit/io/tl_file_engine.h"

class TlFile {
 public:
  enum OpenFlag { ReadOnly = TlFileEngine::Read, WriteOnly = TlFileEngine::Write,
                  ReadWrite = TlFileEngine::Read | TlFileEngine::Write,
                  Append = TlFileEngine::Append, Truncate = TlFileEngine::Truncate };

  explicit TlFile(const TlString& path);
  ~TlFile();
  TlFile(const TlFile&) = delete;
  TlFile& operator=(const TlFile&) = delete;

  const TlString& path() const { return path_; }
  // The flags of the last successful open; 0 when closed.
  int openMode() const { return mode_; }
  bool hasEngine() const { return engine_ != nullptr; }

  bool atEnd();
  bool open(int flags);
  void close();
  // size() - pos().
  std::int64_t bytesAvailable();
  std::int64_t pos();
  bool seek(std::int64_t position);
  std::int64_t size();
  std::int64_t read(void* buffer, std::int64_t count);
  std::int64_t write(const void* buffer, std::int64_t count);
  // The bytes from the current position to the end, read in one call; the
  // array holds only what was actually read.
  TlByteArray readAll();

  // False for ':' paths (after the resource engine's diagnostic) unless an
  // attached resource table holds the name.
  static bool exists(const TlString& path);
  // False for ':' paths.
  static bool remove(const TlString& path);

 private:
  TlString path_;
  std::unique_ptr<TlFileEngine> engine_;
  int mode_ = 0;
};
