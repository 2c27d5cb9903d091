// The toolkit's command-line splitter, shared by the installer and the
// uninstaller.
//
// Rules, in the order they apply:
//  - blank, tab, line feed and '=' separate tokens; runs of them make no
//    empty tokens;
//  - a token that begins with a double quote runs to the next double quote
//    and is kept without the quotes (so "" is an empty token, and an
//    unterminated quote runs to the end of the line);
//  - any other token runs to the next separator; a quote inside it is an
//    ordinary character.
// The first token is normally the program name; callers skip it.
#pragma once

#include <vector>

#include "common/text/wide.h"

namespace tl {

std::vector<WString> splitCommandLine(const WString& line);

// The token that follows |option| (compared exactly, case included).
// |present| tells whether the option was found at all; the result is empty
// when it was not found or is the last token.
WString tokenAfter(const std::vector<WString>& tokens, const WString& option, bool* present);

}  // namespace tl
