// A full consistency check of a markup index against its text, for tests
// and the fuzz target: every edit must leave the index describing the text.
#pragma once

#include <string>

#include "common/markup/markup_index.h"
#include "common/text/wide.h"

namespace kivo {

// "" when consistent, else what is wrong first (ASCII, for test output).
std::string checkMarkupIndex(const WString& text, const MarkupIndex& index);

}  // namespace kivo
