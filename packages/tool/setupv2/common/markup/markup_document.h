// A small XML reader and editor that keeps the document as one UTF-16 text
// plus an index of element positions into it. Edits rewrite only the
// affected characters, so saving writes back the text exactly as loaded
// and edited: formatting, comments and declarations stay.
//
// Parsing is lenient: resultText() describes the first problem, and the
// elements that could be recognised stay navigable.
//
// Cursor: a parent (0 = document level) and a current element among its
// children (0 = none yet). findElement moves along the parent's children,
// enterElement descends into the current element, leaveElement climbs back.
//
// Not thread-safe. No operation throws (beyond the allocator's own
// out-of-memory behaviour); each answers false or "" when it cannot act.
#pragma once

#include <cstdint>
#include <string>

#include "common/markup/markup_index.h"
#include "common/text/wide.h"

namespace kivo {

class MarkupDocument {
 public:
  // An empty document (result text "Empty document").
  MarkupDocument();

#ifdef _WIN32
  // Reads the file (UTF-8, a byte-order mark is kept as U+FEFF) and
  // parses it. False when it cannot be read or is not well formed (exactly
  // one root element, none left not ended or mismatched). When the file
  // cannot be read the document becomes empty and the result text is the
  // C runtime's message.
  // Windows only: defined with the file access in markup_file.cpp.
  bool loadFile(const WString& path);
  // Writes the text as UTF-8 in one call, replacing the file.
  bool saveFile(const WString& path);
#endif

  // The portable halves of loadFile/saveFile: decode |bytes| and parse,
  // with the result text "<n> bytes to <m> wide chars" (plus ", " and the
  // parse problem); and the bytes to write, with the result text
  // "<m> wide chars to <n> bytes".
  bool loadBytes(const std::string& bytes);
  std::string saveBytes();

  // Replaces the text and parses it; null means empty. Same answer as
  // loadFile. The cursor goes back to the document level.
  bool setDocument(const WChar* text);
  bool setDocument(const WString& text);

  const WString& documentText() const { return text_; }
  const WString& resultText() const { return result_; }
  // A failure to open or write a file replaces the result text.
  void setResultText(const WString& text) { result_ = text; }

  // Moves to the next element named |name| (any element when empty) after
  // the current one, or from the parent's first child when there is none.
  // On no match the cursor stays where it was. Names compare exactly.
  bool findElement(const WString& name);
  bool enterElement();
  bool leaveElement();

  // The current element's attribute with entities decoded; "" when absent
  // or when there is no current element.
  WString getAttribute(const WString& name) const;

  // Sets the current element's attribute (double-quoted, escaped),
  // replacing an existing value or appending it to the start tag. False
  // without a current element or for a name that would not read back
  // (empty, or holding white space, = > / ? < & or a quote).
  bool setAttribute(const WString& name, const WString& value);

  // Adds <name/> after the current element (or as the parent's last child
  // when there is none, at the end of the text at document level) on a line
  // of its own, and makes it current. False for a name that would not parse
  // as an element name, and under a parent that was never ended.
  bool addElement(const WString& name);

  // Removes the current element with its content (and the white space
  // after it when a tag follows); the previous sibling becomes current.
  bool removeElement();

  // Diagnostics and tests: the index and the cursor.
  const MarkupIndex& index() const { return index_; }
  uint32_t parentPosition() const { return parent_; }
  uint32_t currentPosition() const { return current_; }

 private:
  bool parse(const WString& loadMessage);
  // Replaces text_[pos, pos + oldLength) by |replacement|: the containing
  // element |owner| and its ancestors change length, elements after the
  // replaced piece move.
  void replaceText(uint32_t pos, uint32_t oldLength, const WString& replacement, uint32_t owner);
  // Finds the attribute |name| in the current start tag: the offsets of its
  // name end and of its value (with quotes), false when absent.
  bool findAttribute(const WString& name, uint32_t& nameEnd, uint32_t& valueStart,
                     uint32_t& valueEnd) const;

  WString text_;
  WString result_;
  uint32_t parent_ = 0;
  uint32_t current_ = 0;
  uint32_t child_ = 0;
  // Where markup ends: an element appended at document level goes before a
  // token left open at the end, never into it.
  uint32_t parsedEnd_ = 0;
  MarkupIndex index_;
};

}  // namespace kivo
