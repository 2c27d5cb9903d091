// File engines: the replaceable back ends of TlFile, chosen by path.
//
// A TlFile asks the registered handlers, most recently registered first,
// for an engine for its path; the first engine offered is used. Two
// handlers are always present, registered in this order before anything
// else can be: the Win32 handler (every path) and the resource handler
// (paths that begin with ':'), so the resource handler is asked first.
//
// Thread rules: the handler list may be used from any thread; a handler
// registered here is not owned and must stay alive until it is
// unregistered. An engine belongs to one file.
#pragma once

#include <cstdint>
#include <memory>

#include "toolkit/core/tl_string.h"

class TlFileEngine {
 public:
  // Open flags (bits).
  enum OpenFlag { Read = 1, Write = 2, Append = 4, Truncate = 8 };

  virtual ~TlFileEngine() = default;
  virtual bool atEnd() = 0;
  virtual std::int64_t pos() = 0;
  virtual std::int64_t size() = 0;
  virtual bool open(int flags) = 0;
  virtual bool seek(std::int64_t position) = 0;
  virtual std::int64_t read(void* buffer, std::int64_t count) = 0;
  virtual std::int64_t write(const void* buffer, std::int64_t count) = 0;
  virtual void close() = 0;
};

class TlFileEngineHandler {
 public:
  virtual ~TlFileEngineHandler() = default;
  // An engine for |path|, or null to let the next handler answer.
  virtual std::unique_ptr<TlFileEngine> create(const TlString& path) = 0;
};

void tlRegisterFileEngineHandler(TlFileEngineHandler* handler);
void tlUnregisterFileEngineHandler(TlFileEngineHandler* handler);
// The engine the handlers give for |path|; null when every one declines.
std::unique_ptr<TlFileEngine> tlCreateFileEngine(const TlString& path);
