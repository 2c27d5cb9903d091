#include "installer/disk_outputer.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cwchar>

#include "7zFile.h"
#include "common/files/file_utils.h"
#include "common/log/log_file.h"
#include "installer/extract/entry_path.h"
#include "installer/setup_interfaces.h"

namespace kivo {
namespace {

const int kMaxRenames = 5;
const int kMaxExtraWrites = 5;

// The SDK's simple file wrapper, closed on every path.
class OutputFile {
 public:
  OutputFile() { File_Construct(&file_); }
  ~OutputFile() { File_Close(&file_); }
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Write access, share read, create always.
  bool open(const std::wstring& path) {
    File_Close(&file_);
    return OutFile_OpenW(&file_, path.c_str()) == 0;
  }
  // Answers how many bytes went out.
  size_t write(const unsigned char* bytes, size_t size) {
    size_t done = size;
    if (File_Write(&file_, bytes, &done) != 0) return done < size ? done : 0;
    return done;
  }
  bool close() { return File_Close(&file_) == 0; }

 private:
  CSzFile file_;
};

void createParentDirectory(const std::wstring& path) {
  wchar_t parent[MAX_PATH] = {0};
  std::wmemcpy(parent, path.c_str(), path.size());
  ::PathRemoveFileSpecW(parent);
  if (::PathFileExistsW(parent)) return;
  const int result = ::SHCreateDirectory(nullptr, parent);
  if (result != ERROR_SUCCESS && result != ERROR_ALREADY_EXISTS) {
    logPrintf(L"SHCreateDirectory fail, path is %s, last error is %d", parent, ::GetLastError());
  }
}

}  // namespace

CDiskOutputer::CDiskOutputer(const std::wstring& baseDirectory, ISetupObserver* observer,
                             const CancelSource* cancel)
    : baseDirectory_(baseDirectory), observer_(observer), cancel_(cancel) {
  for (wchar_t& c : baseDirectory_) {
    if (c == L'/') c = L'\\';
  }
  if (!baseDirectory_.empty() && baseDirectory_.back() != L'\\') baseDirectory_ += L'\\';
}

bool CDiskOutputer::output(const WString& name, bool isDirectory, const unsigned char* bytes, size_t size) {
  logPrintf(L"CDiskOutputer::output, file is %s", name.c_str());
  const MappedEntry mapped = mapEntryName(name);
  if (mapped.target == EntryTarget::kRootLabel) return true;
  if (mapped.target == EntryTarget::kRefused) {
    logPrintf(L"CDiskOutputer::output, entry would leave the install directory, refused: %s", name.c_str());
    return false;
  }
  const std::wstring path = baseDirectory_ + mapped.relative;
  if (path.size() >= MAX_PATH) {
    logPrintf(L"CDiskOutputer::output, path is too long: %s", path.c_str());
    return false;
  }
  // A name below a root label may land in a folder nobody created yet
  // (check mode: D\Check).
  if (name.find_first_of(L"/\\") != WString::npos) createParentDirectory(path);

  if (isDirectory) {
    ::SHCreateDirectory(nullptr, path.c_str());
    return true;
  }
  return writeEntryFile(path, bytes, size);
}

bool CDiskOutputer::writeEntryFile(const std::wstring& path, const unsigned char* bytes, size_t size) {
  OutputFile file;
  for (int renames = 0; !file.open(path); ++renames) {
    if (renames == kMaxRenames) {
      logPrintf(L"CDiskOutputer::writeEntryFile, cannot open %s after %d renames, last error is %d",
                path.c_str(), kMaxRenames, ::GetLastError());
      return false;
    }
    renameToOld(path);
  }
  // A short write continues where it stopped, so that no byte is written
  // twice.
  size_t written = size == 0 ? 0 : file.write(bytes, size);
  for (int extra = 0; written < size; ++extra) {
    if (extra == kMaxExtraWrites) {
      logPrintf(L"CDiskOutputer::writeEntryFile, write fail, path is %s", path.c_str());
      return false;
    }
    written += file.write(bytes + written, size - written);
  }
  return file.close();
}

void CDiskOutputer::reportProgress(unsigned index, unsigned count, const WString& name) {
  if (observer_ == nullptr || count == 0) return;
  wchar_t text[1024] = {0};
  _snwprintf(text, 1023, L"正在解压文件：%s", name.c_str());
  observer_->onDecompressProgress(index * 0.9 / count, text);
}

}  // namespace kivo
