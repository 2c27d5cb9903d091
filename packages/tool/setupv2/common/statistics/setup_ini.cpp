#include "common/statistics/setup_ini.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "common/files/file_utils.h"
#include "toolkit/io/tl_file.h"
#include "toolkit/io/tl_text_stream.h"

namespace kivo {
namespace {

std::vector<std::wstring> readLines(TlFile& file) {
  std::vector<std::wstring> lines;
  TlTextStream stream(&file);
  while (!stream.atEnd()) lines.push_back(stream.readLine().toWString());
  return lines;
}

bool writeLine(TlFile& file, const std::wstring& line) {
  const std::string bytes = toAnsi(line.c_str(), static_cast<int>(line.size())) + "\r\n";
  return file.write(bytes.data(), static_cast<std::int64_t>(bytes.size())) ==
         static_cast<std::int64_t>(bytes.size());
}

}  // namespace

std::wstring setupIniPath() {
  // Kept wide: an ANSI form of the profile path loses any character outside
  // the code page and would name another file.
  LPITEMIDLIST items = nullptr;
  wchar_t folder[MAX_PATH] = {0};
  if (SUCCEEDED(::SHGetSpecialFolderLocation(nullptr, CSIDL_APPDATA, &items))) {
    ::SHGetPathFromIDListW(items, folder);
    ::CoTaskMemFree(items);
  }
  return std::wstring(folder) + L"\\tarlan\\kivomixer\\setup.ini";
}

void setIniValue(const std::wstring& key, const std::wstring& value, const std::wstring& path) {
  if (key.empty()) return;
  // The file may be new, and so may its folder (a profile that never ran
  // the client).
  std::wstring folder;
  if (parentOf(path, folder)) createDirectoryTree(folder);

  TlFile file(path.c_str());
  if (!file.open(TlFile::ReadWrite)) return;
  std::vector<std::wstring> lines = readLines(file);

  bool updated = false;
  for (std::wstring& line : lines) {
    const std::wstring::size_type at = line.rfind(key);
    if (at == std::wstring::npos) continue;
    // The value starts one character (the '=') after the key.
    const std::wstring::size_type valueAt = at + key.size() + 1;
    line = line.substr(0, valueAt < line.size() ? valueAt : line.size());
    if (line.size() < valueAt) line += L'=';
    line += value;
    updated = true;
  }

  if (updated) {
    file.close();
    TlFile::remove(path.c_str());
    TlFile rewritten(path.c_str());
    if (!rewritten.open(TlFile::ReadWrite)) return;
    for (const std::wstring& line : lines) writeLine(rewritten, line);
    return;
  }
  file.seek(file.size());
  writeLine(file, key + L"=" + value);
}

std::wstring readMacId(const std::wstring& path) {
  TlFile file(path.c_str());
  if (!TlFile::exists(path.c_str()) || !file.open(TlFile::ReadOnly)) return std::wstring();
  TlTextStream stream(&file);
  while (!stream.atEnd()) {
    const std::wstring line = stream.readLine().toWString();
    if (line.find(L"macId=") == std::wstring::npos) continue;
    return line.substr(line.rfind(L'=') + 1);
  }
  return std::wstring();
}

}  // namespace kivo
