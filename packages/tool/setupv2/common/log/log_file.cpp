#include "common/log/log_file.h"

#include <shlobj.h>

#include <cstdarg>
#include <cwchar>

#include "common/log/log_line.h"
#include "common/system/win_handle.h"

namespace kivo {
namespace {

bool isExistingFile(const WString& path) {
  WIN32_FIND_DATAW data;
  UniqueFindHandle find(::FindFirstFileW(path.c_str(), &data));
  if (!find) return false;
  return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

WString defaultLogDirectory() {
  wchar_t appData[MAX_PATH] = {0};
  ::SHGetSpecialFolderPathW(nullptr, appData, CSIDL_APPDATA, FALSE);
  // An unknown folder leaves the text empty; the log then never opens.
  return WString(appData) + L"\\tarlan\\kivomixer\\setup\\";
}

LogFile& LogFile::instance() {
  static LogFile log(defaultLogDirectory());
  return log;
}

LogFile::LogFile(const WString& directory) : directory_(directory) {
  ::InitializeCriticalSection(&lock_);
  ::SHCreateDirectory(nullptr, directory_.c_str());
  filePath_ = directory_ + L"setup.log";
}

LogFile::~LogFile() {
  if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
  ::DeleteCriticalSection(&lock_);
}

void LogFile::setFileName(const WString& name) {
  ::EnterCriticalSection(&lock_);
  filePath_ = directory_ + name;
  ::LeaveCriticalSection(&lock_);
}

bool LogFile::ensureOpen() {
  if (isOpen_) return true;

  const DWORD disposition = isExistingFile(filePath_) ? OPEN_EXISTING : CREATE_ALWAYS;
  openedPath_ = filePath_;
  HANDLE h = ::CreateFileW(filePath_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  handle_ = h;
  isOpen_ = 1;

  LARGE_INTEGER size = {};
  ::GetFileSizeEx(handle_, &size);
  if (size.QuadPart > 0 && size.QuadPart <= kLogSizeLimit) {
    LARGE_INTEGER zero = {};
    ::SetFilePointerEx(handle_, zero, nullptr, FILE_END);
  } else {
    LARGE_INTEGER zero = {};
    ::SetFilePointerEx(handle_, zero, nullptr, FILE_BEGIN);
    ::SetEndOfFile(handle_);
    static const BYTE kMark[2] = {0xFF, 0xFE};
    DWORD written = 0;
    ::WriteFile(handle_, kMark, sizeof kMark, &written, nullptr);
  }
  return true;
}

void LogFile::writeLine(const WString& message) {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  const LogTime stamp = {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
  const WString line = formatLogLine(stamp, message);

  ::EnterCriticalSection(&lock_);
  if (ensureOpen()) {
    // Another process may share the file (the uninstaller and the copy it
    // starts both write unistV2.log): every line goes to the current end,
    // never over the other's lines.
    LARGE_INTEGER zero = {};
    ::SetFilePointerEx(handle_, zero, nullptr, FILE_END);
    DWORD written = 0;
    ::WriteFile(handle_, line.data(), static_cast<DWORD>(line.size() * sizeof(wchar_t)), &written,
                nullptr);
  }
  ::LeaveCriticalSection(&lock_);
}

}  // namespace kivo

void logPrintf(const wchar_t* format, ...) {
  wchar_t buffer[kivo::kLogLineLimit + 1] = {0};
  va_list args;
  va_start(args, format);
  _vsnwprintf(buffer, kivo::kLogLineLimit, format, args);
  va_end(args);
  kivo::LogFile::instance().writeLine(buffer);
}
