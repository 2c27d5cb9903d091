// The two small interfaces the extraction loop drives (portable).
//
// The loop calls the sink on the thread that runs the extraction, in this
// order per entry: acceptEntry, output (files: after decoding), then
// reportProgress; shouldContinue before each entry. The slot order is part
// of the design: keep new operations at the end.
#pragma once

#include <cstddef>

#include "common/text/wide.h"

namespace kivo {

class ExtractSink {
 public:
  virtual ~ExtractSink() = default;
  virtual bool acceptEntry(const WString& name) = 0;
  // |name| as stored in the archive (forward slashes); |bytes| is null for
  // directories and empty files and stays owned by the loop (valid for
  // this call only). False ends the extraction as failed.
  virtual bool output(const WString& name, bool isDirectory, const unsigned char* bytes, size_t size) = 0;
  virtual bool shouldContinue() = 0;
  // |name| is the entry's last component.
  virtual void reportProgress(unsigned index, unsigned count, const WString& name) = 0;
};

// Polled after every entry; may be called from the extraction thread while
// another thread raises the flag behind it.
class CancelSource {
 public:
  virtual ~CancelSource() = default;
  virtual bool isCancelled() const = 0;
};

}  // namespace kivo
