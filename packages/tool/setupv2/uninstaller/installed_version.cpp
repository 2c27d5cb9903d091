#include "uninstaller/installed_version.h"

#include <windows.h>

#include <cwchar>
#include <cwctype>

#include "common/files/file_utils.h"
#include "common/system/win_handle.h"

namespace kivo {
namespace {

// At most |limit| bytes from the start of a file; false when it cannot be
// opened. Read access with write sharing: the client may have it open.
bool readHead(const std::wstring& path, DWORD access, DWORD limit, std::string& bytes) {
  UniqueHandle file(::CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  bytes.assign(limit, '\0');
  DWORD read = 0;
  if (!::ReadFile(file.get(), &bytes[0], limit, &read, nullptr)) read = 0;
  bytes.resize(read);
  return true;
}

// The value of attribute |name| in the element text |element|; empty when
// absent. Attribute names are matched as whole words.
std::string attribute(const std::string& element, const std::string& name) {
  std::string::size_type at = 0;
  while ((at = element.find(name, at)) != std::string::npos) {
    const bool wordStart = at > 0 && (element[at - 1] == ' ' || element[at - 1] == '\t' ||
                                      element[at - 1] == '\r' || element[at - 1] == '\n');
    std::string::size_type p = at + name.size();
    while (p < element.size() && (element[p] == ' ' || element[p] == '\t')) ++p;
    if (wordStart && p < element.size() && element[p] == '=') {
      ++p;
      while (p < element.size() && (element[p] == ' ' || element[p] == '\t')) ++p;
      if (p < element.size() && (element[p] == '"' || element[p] == '\'')) {
        const char quote = element[p];
        const std::string::size_type end = element.find(quote, p + 1);
        if (end != std::string::npos) return element.substr(p + 1, end - p - 1);
      }
      return std::string();
    }
    at += name.size();
  }
  return std::string();
}

bool staysInside(const std::wstring& relative) {
  if (relative.empty()) return false;
  if (relative[0] == L'\\' || relative[0] == L'/' || relative.find(L':') != std::wstring::npos) return false;
  std::wstring::size_type start = 0;
  while (start <= relative.size()) {
    std::wstring::size_type end = relative.find_first_of(L"\\/", start);
    if (end == std::wstring::npos) end = relative.size();
    if (relative.compare(start, end - start, L"..") == 0) return false;
    start = end + 1;
  }
  return true;
}

}  // namespace

int productNumberFromLine(const std::string& line) {
  const std::wstring text = toWide(line.c_str(), static_cast<int>(line.size()), CP_UTF8);
  const std::wstring::size_type equals = text.find(L'=');
  if (equals == std::wstring::npos) return 1;
  std::wstring::size_type p = equals + 1;
  while (p < text.size() && std::iswspace(text[p])) ++p;
  bool negative = false;
  if (p < text.size() && (text[p] == L'-' || text[p] == L'+')) negative = text[p++] == L'-';
  long long number = 0;
  while (p < text.size() && text[p] >= L'0' && text[p] <= L'9' && number < 1000000000LL)
    number = number * 10 + (text[p++] - L'0');
  if (negative) number = -number;
  return number == 0 ? 1 : static_cast<int>(number);
}

int readProductNumber(const std::wstring& installDirectory) {
  const std::wstring path = dataDirectoryFor(installDirectory) + L"ProductInfo.txt";
  std::string head;
  if (!readHead(path, GENERIC_READ | GENERIC_WRITE, 3 + 1023, head)) return 1;
  if (head.size() <= 3) return productNumberFromLine(std::string());
  head.erase(0, 3);
  const std::string::size_type lineEnd = head.find('\n');
  if (lineEnd != std::string::npos) head.resize(lineEnd + 1);
  return productNumberFromLine(head);
}

std::wstring versionFolderFromLauncher(const std::string& xml) {
  std::string::size_type at = 0;
  while ((at = xml.find("<VersionInfo", at)) != std::string::npos) {
    const std::string::size_type nameEnd = at + 12;
    if (nameEnd < xml.size() && (xml[nameEnd] == ' ' || xml[nameEnd] == '\t' || xml[nameEnd] == '\r' ||
                                 xml[nameEnd] == '\n' || xml[nameEnd] == '/' || xml[nameEnd] == '>'))
      break;
    at = nameEnd;
  }
  if (at == std::string::npos) return std::wstring();
  const std::string::size_type end = xml.find('>', at);
  const std::string element = " " + xml.substr(at + 12, end == std::string::npos ? std::string::npos : end - at - 12);
  std::string value = attribute(element, "Path");
  if (value.empty()) value = attribute(element, "No");
  if (value.empty()) value = attribute(element, "version");
  std::wstring folder = toWide(value.c_str(), static_cast<int>(value.size()), CP_UTF8);
  while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
  return staysInside(folder) ? folder : std::wstring();
}

std::wstring readInstalledVersionFolder(const std::wstring& installDirectory) {
  std::string xml;
  if (!readHead(installDirectory + L"Launcher.xml", GENERIC_READ, 64 * 1024, xml)) return std::wstring();
  return versionFolderFromLauncher(xml);
}

}  // namespace kivo
