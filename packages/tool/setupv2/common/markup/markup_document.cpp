#include "common/markup/markup_document.h"

#include "common/markup/markup_entities.h"
#include "common/markup/markup_parser.h"
#include "common/markup/markup_syntax.h"
#include "common/markup/markup_utf8.h"

namespace kivo {

namespace {

bool isQuote(WChar c) { return c == KW('"') || c == KW('\''); }

// Names that an edit writes must read back as the same name, and must not
// change where the tag ends.
bool isWritableElementName(const WString& name) {
  if (name.empty() || !isTagNameStart(name[0])) return false;
  for (WChar c : name) {
    if (isMarkupWhite(c) || c == KW('/') || c == KW('>') || c == KW('<') || c == KW('&') || isQuote(c)) {
      return false;
    }
  }
  return true;
}

bool isWritableAttributeName(const WString& name) {
  if (name.empty()) return false;
  for (WChar c : name) {
    if (endsAttributeName(c) || c == KW('<') || c == KW('&') || isQuote(c)) return false;
  }
  return true;
}

// Past the quote that closes the one at |at| (or |limit|).
uint32_t pastQuoted(const WString& text, uint32_t at, uint32_t limit) {
  const size_t close = text.find(text[at], at + 1);
  return close == WString::npos || close >= limit ? limit : static_cast<uint32_t>(close) + 1;
}

// A stray "<", "<!", "<!-" or "<![" right before an element was judged
// by the element's own "<"; with the element gone it would meet whatever
// follows and might open a comment or a tag that swallows later elements.
// A blank left in its place keeps the stray text stray.
bool joinsIntoAToken(const WString& text, uint32_t start) {
  const auto endsWith = [&](const WChar* tail, uint32_t length) {
    return start >= length && text.compare(start - length, length, tail) == 0;
  };
  return endsWith(KW("<"), 1) || endsWith(KW("<!"), 2) || endsWith(KW("<!-"), 3) || endsWith(KW("<!["), 3);
}

uint32_t skipWhite(const WString& text, uint32_t from, uint32_t limit) {
  while (from < limit && isMarkupWhite(text[from])) ++from;
  return from;
}

uint32_t levelBelow(const MarkupIndex& index, uint32_t parent) {
  if (parent == 0) return 0;
  const uint32_t level = index[parent].level() + 1;
  return level < MarkupElement::kLevelMask ? level : MarkupElement::kLevelMask;
}

}  // namespace

MarkupDocument::MarkupDocument() { parse(WString()); }

bool MarkupDocument::loadBytes(const std::string& bytes) {
  text_ = decodeUtf8(bytes);
  return parse(decimalText(bytes.size()) + KW(" bytes to ") + decimalText(text_.size()) + KW(" wide chars"));
}

std::string MarkupDocument::saveBytes() {
  std::string bytes = encodeUtf8(text_);
  result_ = decimalText(text_.size()) + KW(" wide chars to ") + decimalText(bytes.size()) + KW(" bytes");
  return bytes;
}

bool MarkupDocument::setDocument(const WChar* text) { return setDocument(text ? WString(text) : WString()); }

bool MarkupDocument::setDocument(const WString& text) {
  text_ = text;
  return parse(WString());
}

bool MarkupDocument::parse(const WString& loadMessage) {
  const MarkupParseResult parsed = parseMarkup(text_, index_);
  parent_ = current_ = child_ = 0;
  parsedEnd_ = parsed.parsedEnd;
  result_ = loadMessage;
  if (!parsed.message.empty()) {
    if (!result_.empty()) result_ += KW(", ");
    result_ += parsed.message;
  }
  return parsed.wellFormed;
}

bool MarkupDocument::findElement(const WString& name) {
  uint32_t r = current_ != 0 ? index_[current_].nextSibling : index_[parent_].firstChild;
  for (; r != 0; r = index_[r].nextSibling) {
    const MarkupElement& element = index_[r];
    const uint32_t nameStart = element.start + 1;
    const uint32_t nameEnd = tagNameEnd(text_, nameStart, element.start + element.startTagLength);
    if (name.empty() || text_.compare(nameStart, nameEnd - nameStart, name) == 0) {
      current_ = r;
      child_ = 0;
      return true;
    }
  }
  return false;
}

bool MarkupDocument::enterElement() {
  if (current_ == 0) return false;
  parent_ = current_;
  current_ = 0;
  child_ = 0;
  return true;
}

bool MarkupDocument::leaveElement() {
  if (parent_ == 0) return false;
  child_ = current_;
  current_ = parent_;
  parent_ = index_[parent_].parent;
  return true;
}

bool MarkupDocument::findAttribute(const WString& name, uint32_t& nameEnd, uint32_t& valueStart,
                                   uint32_t& valueEnd) const {
  const MarkupElement& element = index_[current_];
  // The "/" of an empty-element tag belongs to the tag, never to a value.
  const uint32_t limit = element.start + element.startTagLength - (element.isEmptyElementTag() ? 2 : 1);
  // Quotes pair up the way they did when the tag's end was found, so a
  // quote in a name or an unquoted value never hides an attribute.
  uint32_t i = element.start + 1;
  while (i < limit && !isMarkupWhite(text_[i]) && text_[i] != KW('/') && text_[i] != KW('>')) {
    i = isQuote(text_[i]) ? pastQuoted(text_, i, limit) : i + 1;
  }
  while (i < limit) {
    const WChar c = text_[i];
    if (isQuote(c)) {  // a stray quoted piece: skip it whole
      i = pastQuoted(text_, i, limit);
      continue;
    }
    if (endsAttributeName(c)) {
      ++i;
      continue;
    }
    const uint32_t nameStart = i;
    while (i < limit && !endsAttributeName(text_[i]) && !isQuote(text_[i])) ++i;
    const uint32_t thisNameEnd = i;
    uint32_t j = skipWhite(text_, i, limit);
    uint32_t thisValueStart = thisNameEnd;
    uint32_t thisValueEnd = thisNameEnd;
    if (j < limit && text_[j] == KW('=')) {
      j = skipWhite(text_, j + 1, limit);
      thisValueStart = j;
      if (j < limit && isQuote(text_[j])) {
        thisValueEnd = pastQuoted(text_, j, limit);
      } else {
        while (j < limit && !isMarkupWhite(text_[j]) && text_[j] != KW('>')) {
          j = isQuote(text_[j]) ? pastQuoted(text_, j, limit) : j + 1;
        }
        thisValueEnd = j;
      }
      i = thisValueEnd;
    }
    if (text_.compare(nameStart, thisNameEnd - nameStart, name) == 0) {
      nameEnd = thisNameEnd;
      valueStart = thisValueStart;
      valueEnd = thisValueEnd;
      return true;
    }
  }
  return false;
}

WString MarkupDocument::getAttribute(const WString& name) const {
  uint32_t nameEnd, valueStart, valueEnd;
  if (current_ == 0 || name.empty() || !findAttribute(name, nameEnd, valueStart, valueEnd)) return WString();
  if (valueStart == valueEnd) return WString();
  uint32_t from = valueStart;
  uint32_t to = valueEnd;
  if (isQuote(text_[from])) {
    ++from;
    if (to > from && text_[to - 1] == text_[valueStart]) --to;
  }
  return decodeEntities(text_.substr(from, to - from));
}

bool MarkupDocument::setAttribute(const WString& name, const WString& value) {
  if (current_ == 0 || !isWritableAttributeName(name)) return false;
  const WString quotedValue = KW("\"") + escapeAttributeValue(value) + KW("\"");
  uint32_t nameEnd, valueStart, valueEnd;
  uint32_t pos, oldLength;
  WString replacement;
  if (findAttribute(name, nameEnd, valueStart, valueEnd)) {
    if (valueStart == nameEnd) {  // written without a value
      pos = nameEnd, oldLength = 0, replacement = KW("=") + quotedValue;
    } else {
      pos = valueStart, oldLength = valueEnd - valueStart, replacement = quotedValue;
    }
  } else {
    const MarkupElement& element = index_[current_];
    pos = element.start + element.startTagLength - (element.isEmptyElementTag() ? 2 : 1);
    oldLength = 0;
    replacement = KW(" ") + name + KW("=") + quotedValue;
    // A dangling "=" would take the new attribute for its value.
    uint32_t before = pos;
    while (before > element.start && isMarkupWhite(text_[before - 1])) --before;
    if (text_[before - 1] == KW('=')) replacement = KW("\"\"") + replacement;
  }
  const uint32_t element = current_;
  replaceText(pos, oldLength, replacement, element);
  index_[element].startTagLength += static_cast<uint32_t>(replacement.size()) - oldLength;
  return true;
}

bool MarkupDocument::addElement(const WString& name) {
  if (!isWritableElementName(name)) return false;
  const uint32_t parent = current_ != 0 ? index_[current_].parent : parent_;
  // A parent that was never ended has no content to hold a child.
  if (parent != 0 && (index_[parent].flags & MarkupElement::kNotEnded)) return false;
  const WString element = KW("<") + name + KW("/>");
  const WString lineEnd = KW("\r\n");
  uint32_t newStart;
  if (current_ == 0 && parent != 0 && index_[parent].isEmptyElementTag()) {
    const WString parentName = elementName(text_, index_[parent]);
    const uint32_t pos = index_[parent].start + index_[parent].startTagLength - 2;
    // In "<a//>" the first slash would meet the ">" and keep the tag empty.
    const WString close = text_[pos - 1] == KW('/') ? KW(" >") : KW(">");
    replaceText(pos, 2, close + lineEnd + element + lineEnd + KW("</") + parentName + KW(">"), parent);
    index_[parent].startTagLength += static_cast<uint32_t>(close.size()) - 2;
    index_[parent].endTagLength = static_cast<uint32_t>(parentName.size()) + 3;
    newStart = pos + static_cast<uint32_t>(close.size()) + 2;
  } else if (current_ == 0 && parent != 0 && index_[parent].contentStart() == index_[parent].contentEnd()) {
    const uint32_t pos = index_[parent].contentStart();
    replaceText(pos, 0, lineEnd + element + lineEnd, parent);
    newStart = pos + 2;
  } else {
    const uint32_t limit = parent != 0 ? index_[parent].contentEnd() : parsedEnd_;
    uint32_t pos = current_ != 0 ? index_[current_].end() : limit;
    const uint32_t next = skipWhite(text_, pos, limit);
    if (next == limit || text_[next] == KW('<')) pos = next;
    replaceText(pos, 0, element + lineEnd, parent);
    newStart = pos;
  }
  const uint32_t record = index_.allocate();
  MarkupElement& added = index_[record];
  added.start = newStart;
  added.startTagLength = static_cast<uint32_t>(element.size());
  added.length = added.startTagLength;
  added.flags = levelBelow(index_, parent);
  if (current_ != 0) {
    index_.insertAfter(current_, record);
  } else {
    index_.appendChild(parent, record);
  }
  current_ = record;
  child_ = 0;
  return true;
}

bool MarkupDocument::removeElement() {
  if (current_ == 0) return false;
  const uint32_t removed = current_;
  const uint32_t start = index_[removed].start;
  uint32_t end = index_[removed].end();
  const uint32_t next = skipWhite(text_, end, static_cast<uint32_t>(text_.size()));
  if (next < text_.size() && text_[next] == KW('<')) end = next;
  const uint32_t previous = index_.isFirstChild(removed) ? 0 : index_[removed].previousSibling;
  const uint32_t parent = index_[removed].parent;
  index_.unlink(removed);
  index_.releaseSubtree(removed);
  replaceText(start, end - start, joinsIntoAToken(text_, start) ? KW(" ") : WString(), parent);
  current_ = previous;
  child_ = 0;
  return true;
}

void MarkupDocument::replaceText(uint32_t pos, uint32_t oldLength, const WString& replacement, uint32_t owner) {
  const size_t needed = text_.size() - oldLength + replacement.size();
  if (needed > text_.capacity()) text_.reserve(needed + needed / 2 + 128);
  text_.replace(pos, oldLength, replacement);
  // Unsigned wrap-around makes the same additions shrink as well as grow.
  const uint32_t delta = static_cast<uint32_t>(replacement.size()) - oldLength;
  const uint32_t after = pos + oldLength;
  for (uint32_t r = 1; r < index_.size(); ++r) {
    if (index_.inUse(r) && index_[r].start >= after) index_[r].start += delta;
  }
  for (uint32_t r = owner; r != 0; r = index_[r].parent) index_[r].length += delta;
  if (parsedEnd_ >= after) parsedEnd_ += delta;
  index_[0].length = static_cast<uint32_t>(text_.size());
}

}  // namespace kivo
