// CDiskOutputer: the extraction sink that writes entries below a base
// directory (the install directory, or D\Check in check mode) and turns
// progress into observer calls.
//
// Runs on the extracting thread. The observer (may be null: no progress)
// and the cancel source (may be null) are borrowed.
#pragma once

#include <string>

#include "installer/extract/extract_sink.h"

namespace kivo {

class ISetupObserver;

class CDiskOutputer : public ExtractSink {
 public:
  // Slashes in |baseDirectory| become backslashes and a backslash is
  // appended unless it is empty or already ends in one.
  CDiskOutputer(const std::wstring& baseDirectory, ISetupObserver* observer, const CancelSource* cancel);

  bool acceptEntry(const WString&) override { return true; }
  // Directories are created (result ignored), files written; a name that
  // would leave the base directory is refused (false) and nothing is
  // written for it.
  bool output(const WString& name, bool isDirectory, const unsigned char* bytes, size_t size) override;
  bool shouldContinue() override { return true; }
  // fraction = index * 0.9 / count, text "正在解压文件：<name>".
  void reportProgress(unsigned index, unsigned count, const WString& name) override;

  const std::wstring& baseDirectory() const { return baseDirectory_; }

  // Writes one file, replacing what is there. A file that cannot be opened
  // for writing (held by another program) is moved aside to name.old and
  // the open retried, at most five times. Public for tests.
  static bool writeEntryFile(const std::wstring& path, const unsigned char* bytes, size_t size);

 private:
  std::wstring baseDirectory_;
  ISetupObserver* observer_;
  const CancelSource* cancel_;
};

}  // namespace kivo
