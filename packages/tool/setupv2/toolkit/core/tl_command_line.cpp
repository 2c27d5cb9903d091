#include "toolkit/core/tl_command_line.h"

namespace tl {
namespace {

bool isSeparator(WChar c) {
  return c == KW(' ') || c == KW('\t') || c == KW('\n') || c == KW('=');
}

}  // namespace

std::vector<WString> splitCommandLine(const WString& line) {
  std::vector<WString> tokens;
  WString::size_type i = 0;
  const WString::size_type n = line.size();
  while (i < n) {
    if (isSeparator(line[i])) {
      ++i;
      continue;
    }
    if (line[i] == KW('"')) {
      const WString::size_type close = line.find(KW('"'), i + 1);
      const WString::size_type end = close == WString::npos ? n : close;
      tokens.push_back(line.substr(i + 1, end - i - 1));
      i = close == WString::npos ? n : close + 1;
      continue;
    }
    WString::size_type end = i;
    while (end < n && !isSeparator(line[end])) ++end;
    tokens.push_back(line.substr(i, end - i));
    i = end;
  }
  return tokens;
}

WString tokenAfter(const std::vector<WString>& tokens, const WString& option, bool* present) {
  for (std::vector<WString>::size_type i = 0; i < tokens.size(); ++i) {
    if (tokens[i] != option) continue;
    if (present) *present = true;
    return i + 1 < tokens.size() ? tokens[i + 1] : WString();
  }
  if (present) *present = false;
  return WString();
}

}  // namespace tl
