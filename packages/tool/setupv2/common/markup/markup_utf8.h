// The byte form of markup files: UTF-8, with a byte-order mark kept as the
// text's first character (U+FEFF) so that saving writes it back.
#pragma once

#include <string>

#include "common/text/wide.h"

namespace kivo {

// UTF-8 to UTF-16. Code points above U+FFFF become surrogate pairs. A
// malformed sequence (stray continuation byte, invalid lead byte, a
// sequence cut short, an overlong form, an encoded surrogate, a value above
// U+10FFFF) becomes one "?" for the longest prefix that could have started
// a valid sequence. Decoding stops at a zero byte.
WString decodeUtf8(const std::string& bytes);

// UTF-16 to UTF-8; an unpaired surrogate becomes "?".
std::string encodeUtf8(const WString& text);

}  // namespace kivo
