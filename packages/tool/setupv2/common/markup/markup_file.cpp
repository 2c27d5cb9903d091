// The Windows half of MarkupDocument: file access through the C runtime,
// whose error texts become the result text.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "common/markup/markup_document.h"

namespace kivo {

namespace {

struct FileCloser {
  void operator()(FILE* file) const { fclose(file); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

WString runtimeMessage(int error) {
  const wchar_t* message = _wcserror(error);
  WString text = message != nullptr ? message : L"";
  const size_t lineBreak = text.find_first_of(L"\r\n");
  if (lineBreak != WString::npos) text.resize(lineBreak);
  return text;
}

}  // namespace

bool MarkupDocument::loadFile(const WString& path) {
  FilePtr file(_wfopen(path.c_str(), L"rb"));
  if (!file) {
    const int error = errno;
    setDocument(WString());  // nothing of an earlier document may be mistaken for this file
    setResultText(runtimeMessage(error));
    return false;
  }
  std::string bytes;
  char buffer[65536];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.append(buffer, got);
  if (ferror(file.get())) {
    const int error = errno;
    setDocument(WString());
    setResultText(runtimeMessage(error));
    return false;
  }
  return loadBytes(bytes);
}

bool MarkupDocument::saveFile(const WString& path) {
  const std::string bytes = saveBytes();
  FILE* raw = _wfopen(path.c_str(), L"wb");
  if (raw == nullptr) {
    setResultText(runtimeMessage(errno));
    return false;
  }
  FilePtr file(raw);
  if (!bytes.empty() && fwrite(bytes.data(), 1, bytes.size(), raw) != bytes.size()) {
    setResultText(runtimeMessage(errno));
    return false;
  }
  // Closing flushes: a full disk shows here.
  if (fclose(file.release()) != 0) {
    setResultText(runtimeMessage(errno));
    return false;
  }
  return true;
}

}  // namespace kivo
