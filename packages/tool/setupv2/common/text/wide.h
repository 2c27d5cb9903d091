// The one seam between the portable modules and Win32.
//
// Both programs keep every text as UTF-16. On Windows that is wchar_t, so a
// WString goes to and from Win32 calls without a conversion; in the native
// build the same code works on char16_t. Portable code spells literals with
// KW("...") and never uses wchar_t directly.
#pragma once

#include <string>

#ifdef _WIN32
using WChar = wchar_t;
#define KW(text) L##text
#else
using WChar = char16_t;
#define KW(text) u##text
#endif

using WString = std::basic_string<WChar>;

static_assert(sizeof(WChar) == 2, "the programs keep text as UTF-16");
