#include "common/markup/markup_parser.h"

#include <unordered_map>
#include <vector>

#include "common/markup/markup_syntax.h"

namespace kivo {

namespace {

constexpr uint32_t kNotFound = UINT32_MAX;

WString quoted(const WString& text) { return KW("'") + text + KW("'"); }

WString incorrect(const WChar* what, uint32_t offset) {
  return KW("Incorrect ") + WString(what) + KW(" at offset ") + decimalText(offset);
}

WString unterminated(const WChar* what, uint32_t offset) {
  return WString(what) + KW(" at offset ") + decimalText(offset) + KW(" unterminated");
}

uint32_t find(const WString& text, const WChar* what, uint32_t from) {
  const size_t at = text.find(what, from);
  return at == WString::npos ? kNotFound : static_cast<uint32_t>(at);
}

uint32_t findChar(const WString& text, WChar what, uint32_t from) {
  const size_t at = text.find(what, from);
  return at == WString::npos ? kNotFound : static_cast<uint32_t>(at);
}

// The ">" that closes a start tag begun at |from|; quoted values may hold
// ">".
uint32_t startTagClose(const WString& text, uint32_t from) {
  WChar quote = 0;
  for (uint32_t i = from; i < text.size(); ++i) {
    const WChar c = text[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == KW('"') || c == KW('\'')) {
      quote = c;
    } else if (c == KW('>')) {
      return i;
    }
  }
  return kNotFound;
}

// The ">" after a document type declaration and its internal subset.
uint32_t doctypeClose(const WString& text, uint32_t from) {
  WChar quote = 0;
  uint32_t depth = 0;
  for (uint32_t i = from; i < text.size(); ++i) {
    const WChar c = text[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == KW('"') || c == KW('\'')) {
      quote = c;
    } else if (depth > 0 && text.compare(i, 4, KW("<!--")) == 0) {
      const uint32_t close = find(text, KW("-->"), i + 4);
      if (close == kNotFound) return kNotFound;
      i = close + 2;
    } else if (c == KW('[')) {
      ++depth;
    } else if (c == KW(']')) {
      if (depth > 0) --depth;
    } else if (c == KW('>') && depth == 0) {
      return i;
    }
  }
  return kNotFound;
}

class Parser {
 public:
  Parser(const WString& text, MarkupIndex& index) : text_(text), index_(index) {}

  MarkupParseResult run();

 private:
  void note(const WString& message) {
    if (message_.empty()) message_ = message;
  }
  // Returns the offset after the token at |pos| (a "<"), or kNotFound when
  // the token runs to the end of the text.
  uint32_t token(uint32_t pos);
  void openElement(uint32_t pos, uint32_t close);
  void endTag(uint32_t pos, uint32_t close);
  void markNotEnded(size_t keep, uint32_t container);
  void assignLevels();

  const WString& text_;
  MarkupIndex& index_;
  WString message_;
  bool mismatched_ = false;
  std::vector<uint32_t> open_;  // innermost last
  std::vector<WString> openNames_;
  // Where each name stands in open_, so an end tag finds its element
  // without walking the whole stack.
  std::unordered_map<WString, std::vector<uint32_t>> openByName_;
};

MarkupParseResult Parser::run() {
  const uint32_t size = static_cast<uint32_t>(text_.size());
  index_.reset(size / 64 + 8);
  index_[0].length = size;
  uint32_t pos = 0;
  uint32_t parsedEnd = size;
  while (pos < size) {
    if (text_[pos] != KW('<')) {
      const uint32_t next = findChar(text_, KW('<'), pos);
      pos = next == kNotFound ? size : next;
      continue;
    }
    const uint32_t next = token(pos);
    if (next == kNotFound) {
      parsedEnd = pos;
      break;
    }
    pos = next;
  }
  if (!open_.empty()) {
    note(KW("Element ") + quoted(openNames_.back()) + KW(" at offset ") +
         decimalText(index_[open_.back()].start) + KW(" not ended"));
    markNotEnded(0, 0);
  }
  const uint32_t root = index_[0].firstChild;
  if (size == 0) {
    note(KW("Empty document"));
  } else if (root == 0) {
    note(KW("No root element"));
  } else if (index_[root].nextSibling != 0) {
    note(KW("Root element has sibling"));
  }
  assignLevels();
  MarkupParseResult result;
  result.message = message_;
  result.parsedEnd = parsedEnd;
  result.wellFormed = root != 0 && index_[root].nextSibling == 0 && !mismatched_;
  if (!result.wellFormed) index_[0].flags |= MarkupElement::kIllFormed;
  return result;
}

uint32_t Parser::token(uint32_t pos) {
  const uint32_t size = static_cast<uint32_t>(text_.size());
  if (pos + 1 >= size) {
    note(unterminated(KW("tag"), pos));
    return kNotFound;
  }
  const WChar c = text_[pos + 1];
  const WChar* unterminatedWhat = KW("tag");
  uint32_t close = kNotFound;
  uint32_t closeLength = 1;
  if (isTagNameStart(c)) {
    close = startTagClose(text_, pos + 1);
    unterminatedWhat = KW("Element tag");
    if (close != kNotFound) openElement(pos, close);
  } else if (c == KW('/')) {
    close = findChar(text_, KW('>'), pos + 2);
    unterminatedWhat = KW("Element end tag");
    if (close != kNotFound) endTag(pos, close);
  } else if (c == KW('?')) {
    close = find(text_, KW("?>"), pos + 2);
    closeLength = 2;
    unterminatedWhat = KW("Processing instruction");
  } else if (c == KW('!')) {
    const WChar d = pos + 2 < size ? text_[pos + 2] : 0;
    const WChar e = pos + 3 < size ? text_[pos + 3] : 0;
    if (d == 0 || ((d == KW('-') || d == KW('[')) && e == 0)) {
      // cut off before the kind of declaration shows
    } else if (d == KW('-')) {
      if (e != KW('-')) {
        note(incorrect(KW("comment tag"), pos));
        return pos + 1;
      }
      close = find(text_, KW("-->"), pos + 4);
      closeLength = 3;
      unterminatedWhat = KW("Comment");
    } else if (d == KW('[')) {
      if (e != KW('C')) {
        note(incorrect(KW("tag"), pos));
        return pos + 1;
      }
      close = find(text_, KW("]]>"), pos + 3);
      closeLength = 3;
      unterminatedWhat = KW("CDATA Section");
    } else if (d == KW('D')) {
      close = doctypeClose(text_, pos + 3);
      unterminatedWhat = KW("Doctype");
    } else if (d == KW('E') || d == KW('A') || d == KW('N')) {
      close = findChar(text_, KW('>'), pos + 3);
    } else {
      note(incorrect(KW("! tag"), pos));
      return pos + 1;
    }
  } else {
    note(incorrect(KW("tag name character"), pos));
    return pos + 1;
  }
  if (close == kNotFound) {
    note(unterminated(unterminatedWhat, pos));
    return kNotFound;
  }
  return close + closeLength;
}

void Parser::openElement(uint32_t pos, uint32_t close) {
  const uint32_t record = index_.allocate();
  MarkupElement& element = index_[record];
  element.start = pos;
  element.startTagLength = close + 1 - pos;
  element.length = element.startTagLength;
  index_.appendChild(open_.empty() ? 0 : open_.back(), record);
  if (text_[close - 1] == KW('/')) return;  // empty-element tag
  const uint32_t nameEnd = tagNameEnd(text_, pos + 1, close);
  WString name = text_.substr(pos + 1, nameEnd - pos - 1);
  openByName_[name].push_back(static_cast<uint32_t>(open_.size()));
  open_.push_back(record);
  openNames_.push_back(std::move(name));
}

void Parser::endTag(uint32_t pos, uint32_t close) {
  const uint32_t nameEnd = tagNameEnd(text_, pos + 2, close);
  const WString name = text_.substr(pos + 2, nameEnd - pos - 2);
  const auto found = openByName_.find(name);
  if (found == openByName_.end() || found->second.empty()) {
    note(KW("No start tag for end tag ") + quoted(name) + KW(" at offset ") + decimalText(pos));
    return;
  }
  const uint32_t depth = found->second.back();
  const uint32_t record = open_[depth];
  if (depth + 1 < open_.size()) {
    note(KW("End tag ") + quoted(name) + KW(" at offset ") + decimalText(pos) +
         KW(" does not match start tag ") + quoted(openNames_.back()) + KW(" at offset ") +
         decimalText(index_[open_.back()].start));
    markNotEnded(depth + 1, record);
  }
  MarkupElement& element = index_[record];
  element.length = close + 1 - element.start;
  element.endTagLength = close + 1 - pos;
  found->second.pop_back();
  open_.pop_back();
  openNames_.pop_back();
}

// Every open element from stack depth |keep| up is marked not ended; its
// children become its following siblings. Working outward-in moves each
// element at most once, so the cost stays linear.
void Parser::markNotEnded(size_t keep, uint32_t container) {
  for (size_t depth = keep; depth < open_.size(); ++depth) {
    const uint32_t record = open_[depth];
    index_[record].flags |= MarkupElement::kNotEnded;
    index_[record].length = index_[record].startTagLength;
    uint32_t after = record;
    while (index_[record].firstChild != 0) {
      const uint32_t child = index_[record].firstChild;
      index_.unlink(child);
      index_.insertAfter(after, child);
      after = child;
    }
  }
  for (size_t depth = open_.size(); depth > keep; --depth) {
    openByName_[openNames_[depth - 1]].pop_back();
  }
  open_.resize(keep);
  openNames_.resize(keep);
  mismatched_ = true;
  // Ancestors already marked had their own ancestors marked with them.
  for (uint32_t r = container;; r = index_[r].parent) {
    if (index_[r].flags & MarkupElement::kDescendantNotEnded) break;
    index_[r].flags |= MarkupElement::kDescendantNotEnded;
    if (r == 0) break;
  }
}

void Parser::assignLevels() {
  // Depth-first over the links, without a stack.
  uint32_t level = 0;
  uint32_t r = index_[0].firstChild;
  while (r != 0) {
    MarkupElement& element = index_[r];
    element.flags = (element.flags & ~MarkupElement::kLevelMask) |
                    (level < MarkupElement::kLevelMask ? level : MarkupElement::kLevelMask);
    if (element.firstChild != 0) {
      r = element.firstChild;
      ++level;
      continue;
    }
    while (r != 0 && index_[r].nextSibling == 0) {
      r = index_[r].parent;
      --level;
    }
    if (r != 0) r = index_[r].nextSibling;
  }
}

}  // namespace

MarkupParseResult parseMarkup(const WString& text, MarkupIndex& index) {
  return Parser(text, index).run();
}

WString elementName(const WString& text, const MarkupElement& element) {
  const uint32_t limit = element.start + element.startTagLength;
  const uint32_t end = tagNameEnd(text, element.start + 1, limit);
  return text.substr(element.start + 1, end - element.start - 1);
}

}  // namespace kivo
