// Shared by the sample programs: append one line of text (UTF-8, CR LF) to
// a file beside the running module.
#pragma once

#include <windows.h>

namespace sample_app {

// Appends |line| to the file at |path| (created when missing).
inline void appendLineTo(const wchar_t* path, const wchar_t* line) {
  char text[4096];
  int bytes = ::WideCharToMultiByte(CP_UTF8, 0, line, -1, text, sizeof text - 2, nullptr, nullptr);
  if (bytes <= 0) return;
  --bytes;  // the terminating zero
  text[bytes++] = '\r';
  text[bytes++] = '\n';
  HANDLE file = ::CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(file, text, static_cast<DWORD>(bytes), &written, nullptr);
  ::CloseHandle(file);
}

inline void appendLineBesideModule(const wchar_t* fileName, const wchar_t* line, HMODULE module = nullptr) {
  wchar_t path[MAX_PATH] = {0};
  const DWORD length = ::GetModuleFileNameW(module, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  wchar_t* slash = path + length;
  while (slash > path && slash[-1] != L'\\') --slash;
  if (static_cast<size_t>(slash - path) + ::lstrlenW(fileName) >= MAX_PATH) return;
  ::lstrcpyW(slash, fileName);
  appendLineTo(path, line);
}

}  // namespace sample_app
