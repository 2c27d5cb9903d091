#include "installer/extract/entry_path.h"

#include <cstddef>

namespace kivo {
namespace {

const WChar* const kRootLabels[] = {KW("InstallDir"), KW("component"), KW("vlcMedia"),
                                    KW("AppData"),    KW("TEMP"),      KW("HZH")};

const WChar* const kDeviceNames[] = {KW("CON"),    KW("PRN"),     KW("AUX"), KW("NUL"),
                                     KW("CONIN$"), KW("CONOUT$"), KW("CLOCK$")};

WChar upper(WChar c) { return (c >= 'a' && c <= 'z') ? static_cast<WChar>(c - 'a' + 'A') : c; }

bool equalsIgnoringCase(const WString& a, const WChar* b) {
  size_t i = 0;
  for (; i < a.size() && b[i] != 0; ++i) {
    if (upper(a[i]) != upper(b[i])) return false;
  }
  return i == a.size() && b[i] == 0;
}

bool isSeparator(WChar c) { return c == '/' || c == '\\'; }

bool isDeviceName(const WString& component) {
  // Windows ignores what follows the first dot and trailing blanks.
  WString stem = component.substr(0, component.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  for (const WChar* device : kDeviceNames) {
    if (equalsIgnoringCase(stem, device)) return true;
  }
  if (stem.size() == 4) {
    const WString prefix = stem.substr(0, 3);
    const WChar digit = stem[3];
    const bool numbered = (digit >= '0' && digit <= '9') || digit == 0x00B9 || digit == 0x00B2 ||
                          digit == 0x00B3;
    if (numbered && (equalsIgnoringCase(prefix, KW("COM")) || equalsIgnoringCase(prefix, KW("LPT"))))
      return true;
  }
  return false;
}

bool isSafeComponent(const WString& component) {
  if (component.empty()) return false;
  if (component.back() == '.' || component.back() == ' ') return false;  // also "." and ".."
  for (WChar c : component) {
    if (c < 0x20 || c == ':' || c == '<' || c == '>' || c == '"' || c == '|' || c == '?' || c == '*')
      return false;
  }
  return !isDeviceName(component);
}

bool isRootLabel(const WString& name) {
  for (const WChar* label : kRootLabels) {
    if (equalsIgnoringCase(name, label)) return true;
  }
  return false;
}

}  // namespace

bool isSafeEntryName(const WString& name) {
  if (name.empty()) return false;
  size_t start = 0;
  for (;;) {
    size_t end = start;
    while (end < name.size() && !isSeparator(name[end])) ++end;
    if (!isSafeComponent(name.substr(start, end - start))) return false;
    if (end == name.size()) return true;
    start = end + 1;
  }
}

MappedEntry mapEntryName(const WString& name) {
  if (!isSafeEntryName(name)) return {EntryTarget::kRefused, WString()};
  if (isRootLabel(name)) return {EntryTarget::kRootLabel, WString()};

  WString path = name;
  for (WChar& c : path) {
    if (c == '/') c = '\\';
  }
  const size_t slash = path.find('\\');
  if (slash == WString::npos) return {EntryTarget::kPath, path};
  return {EntryTarget::kPath, path.substr(slash + 1)};
}

}  // namespace kivo
