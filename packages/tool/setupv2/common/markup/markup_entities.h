// Attribute values as written in markup and as the programs use them.
#pragma once

#include "common/text/wide.h"

namespace kivo {

// "&lt;" "&amp;" "&gt;" "&apos;" "&quot;" become the five characters;
// "&#" + decimal digits + ";" or "&#x" + hexadecimal digits + ";" (at most
// seven digits) becomes that character — a value above U+FFFF as a
// surrogate pair. A reference to 0, to a surrogate code or beyond U+10FFFF,
// and any other ampersand stay as written.
WString decodeEntities(const WString& value);

// The inverse for a double-quoted value: < & > ' " become entity
// references.
WString escapeAttributeValue(const WString& value);

}  // namespace kivo
