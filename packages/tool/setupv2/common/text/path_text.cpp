#include "common/text/path_text.h"

namespace kivo {

void trimBlanks(WString& text) {
  const WString::size_type first = text.find_first_not_of(KW(' '));
  if (first == WString::npos) {
    text.clear();
    return;
  }
  const WString::size_type last = text.find_last_not_of(KW(' '));
  text = text.substr(first, last - first + 1);
}

bool hasInvalidPathChar(const WString& text) {
  return text.find_first_of(KW("/:*?\"<>|")) != WString::npos;
}

WString normalizePath(const WString& path) {
  WString out;
  out.reserve(path.size());
  for (WChar c : path) {
    if (c >= KW('a') && c <= KW('z')) c = static_cast<WChar>(c - KW('a') + KW('A'));
    if (c == KW('/')) c = KW('\\');
    // Folding while copying gives the same result as repeating the
    // replacement of doubled backslashes until none remain.
    if (c == KW('\\') && !out.empty() && out.back() == KW('\\')) continue;
    out.push_back(c);
  }
  if (!out.empty() && out.front() == KW('\\')) out.erase(0, 1);
  if (!out.empty() && out.back() == KW('\\')) out.pop_back();
  return out;
}

bool parentOf(const WString& path, WString& parent) {
  WString p = path;
  if (!p.empty() && (p.back() == KW('\\') || p.back() == KW('/'))) p.pop_back();
  WString::size_type cut = p.rfind(KW('\\'));
  if (cut == WString::npos) cut = p.rfind(KW('/'));
  if (cut == WString::npos) return false;
  parent = p.substr(0, cut + 1);
  return true;
}

bool isWellFormedInstallPath(const WString& path, WString& driveRoot) {
  WString p = normalizePath(path);
  trimBlanks(p);
  if (p.size() < 3) return false;
  driveRoot = p.substr(0, 3);
  // Only a drive letter makes an absolute path: without this, "Kivo\Mixer"
  // would be tested, and installed, relative to the current directory.
  if (driveRoot[0] < KW('A') || driveRoot[0] > KW('Z') || driveRoot[1] != KW(':') ||
      driveRoot[2] != KW('\\'))
    return false;

  WString rest = p.substr(3);
  trimBlanks(rest);
  if (hasInvalidPathChar(rest)) return false;

  // Every component that a backslash follows must hold more than blanks;
  // the last one is left to the file system.
  WString::size_type start = 0;
  for (WString::size_type sep = rest.find(KW('\\')); sep != WString::npos;
       sep = rest.find(KW('\\'), start)) {
    WString component = rest.substr(start, sep - start);
    trimBlanks(component);
    if (component.empty()) return false;
    start = sep + 1;
  }
  return true;
}

}  // namespace kivo
