// Test support (Windows unit tests): a fresh directory under %TEMP% that
// is removed with everything in it when the test ends, and small file
// helpers.
#pragma once

#include <windows.h>

#include <string>

namespace kivo_test {

class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  // The directory, without a trailing backslash.
  const std::wstring& path() const { return path_; }
  std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

std::string readBytes(const std::wstring& path);
void writeBytes(const std::wstring& path, const std::string& bytes);
// The UTF-16LE text after a leading FF FE mark (empty if there is none).
std::wstring readUtf16Log(const std::wstring& path);

}  // namespace kivo_test
