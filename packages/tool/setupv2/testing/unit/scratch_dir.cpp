#include "testing/unit/scratch_dir.h"

#include <shellapi.h>

#include <cstring>
#include <vector>

namespace kivo_test {
namespace {

void removeTree(const std::wstring& path) {
  // Tests make files read-only on purpose; clear that so they can go.
  WIN32_FIND_DATAW data;
  HANDLE find = ::FindFirstFileW((path + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = path + L"\\" + name;
      ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) removeTree(child);
      else ::DeleteFileW(child.c_str());
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
  }
  ::RemoveDirectoryW(path.c_str());
}

}  // namespace

ScratchDir::ScratchDir() {
  wchar_t temp[MAX_PATH] = {0};
  ::GetTempPathW(MAX_PATH, temp);
  static LONG counter = 0;
  const LONG n = ::InterlockedIncrement(&counter);
  path_ = std::wstring(temp) + L"kivo test " + std::to_wstring(::GetCurrentProcessId()) + L"-" +
          std::to_wstring(n) + L" \u6d4b\u8bd5";
  removeTree(path_);
  ::CreateDirectoryW(path_.c_str(), nullptr);
}

ScratchDir::~ScratchDir() { removeTree(path_); }

std::string readBytes(const std::wstring& path) {
  std::string out;
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return out;
  char buffer[65536];
  DWORD got = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) out.append(buffer, got);
  ::CloseHandle(file);
  return out;
}

void writeBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
}

std::wstring readUtf16Log(const std::wstring& path) {
  const std::string bytes = readBytes(path);
  if (bytes.size() < 2 || static_cast<unsigned char>(bytes[0]) != 0xFF ||
      static_cast<unsigned char>(bytes[1]) != 0xFE)
    return std::wstring();
  std::wstring text((bytes.size() - 2) / 2, L'\0');
  std::memcpy(&text[0], bytes.data() + 2, text.size() * 2);
  return text;
}

}  // namespace kivo_test
