#include "toolkit/io/tl_win32_file_engine.h"

namespace {
DWORD clampCount(std::int64_t count) {
  if (count <= 0) return 0;
  return count > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<DWORD>(count);
}
}  // namespace

bool TlWin32FileEngine::atEnd() { return pos() == size(); }

std::int64_t TlWin32FileEngine::pos() {
  LARGE_INTEGER zero{}, now{};
  if (!handle_.valid() || !SetFilePointerEx(handle_.get(), zero, &now, FILE_CURRENT)) return 0;
  return now.QuadPart;
}

std::int64_t TlWin32FileEngine::size() {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path_.utf16(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool TlWin32FileEngine::open(int flags) {
  close();
  DWORD access = 0;
  if (flags & Read) access |= GENERIC_READ;
  if (flags & Write) access |= GENERIC_WRITE;
  DWORD disposition = (flags & Truncate) ? CREATE_ALWAYS : (flags & Write) ? OPEN_ALWAYS : OPEN_EXISTING;
  SECURITY_ATTRIBUTES security{sizeof security, nullptr, FALSE};
  HANDLE h = CreateFileW(path_.utf16(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &security, disposition,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  handle_.reset(h);
  if (flags & Append) {
    LARGE_INTEGER zero{};
    SetFilePointerEx(handle_.get(), zero, nullptr, FILE_END);
  }
  return true;
}

bool TlWin32FileEngine::seek(std::int64_t position) {
  if (!handle_.valid() || position < 0 || position > 0xFFFFFFFFll) return false;
  LONG high = 0;
  DWORD low = SetFilePointer(handle_.get(), static_cast<LONG>(position & 0xFFFFFFFF), &high, FILE_BEGIN);
  if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) return false;
  return ((static_cast<std::int64_t>(high) << 32) | low) == position;
}

std::int64_t TlWin32FileEngine::read(void* buffer, std::int64_t count) {
  DWORD done = 0;
  if (!handle_.valid() || buffer == nullptr || !ReadFile(handle_.get(), buffer, clampCount(count), &done, nullptr)) return 0;
  return done;
}

std::int64_t TlWin32FileEngine::write(const void* buffer, std::int64_t count) {
  DWORD done = 0;
  if (!handle_.valid() || buffer == nullptr || !WriteFile(handle_.get(), buffer, clampCount(count), &done, nullptr)) return 0;
  return done;
}

void TlWin32FileEngine::close() { handle_.reset(); }
