// Builds the element index of a markup text. Lenient: every problem is
// described, and the index always holds a consistent tree (see
// markup_index.h) of the elements that could be recognised.
#pragma once

#include "common/markup/markup_index.h"
#include "common/text/wide.h"

namespace kivo {

struct MarkupParseResult {
  // The first problem found, "" when there was none.
  WString message;
  // Exactly one root element, and none left not ended or mismatched.
  bool wellFormed = false;
  // Where the parse stopped: the "<" of a token that runs to the end of
  // the text, else the text's length. Nothing after it was read as markup.
  uint32_t parsedEnd = 0;
};

// Replaces |index| with the elements of |text|. Offsets in messages are
// character offsets of the "<" that begins the offending token.
//
// An element closed by the end tag of an outer element, or still open at
// the end of the text, is marked not ended: it keeps only its start tag and
// its children become its following siblings.
MarkupParseResult parseMarkup(const WString& text, MarkupIndex& index);

// The name in the start tag of an element.
WString elementName(const WString& text, const MarkupElement& element);

}  // namespace kivo
