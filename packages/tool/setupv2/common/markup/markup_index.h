// The element index of a markup document: one record per element, kept in
// segments so that a large document never moves the records it already has.
//
// Record 0 stands for the document itself; its first-child link is the root
// element (and, in an ill-formed document, the root's siblings). Children of
// an element form a list through next/previous links; the first child's
// previous link points to the last child, so appending is O(1).
//
// Invariant kept by the parser and every edit: the records in use form a
// tree of nested, ordered text intervals — a child lies within its parent's
// content (between the start tag and the end tag) and siblings follow each
// other without overlap.
//
// Not thread-safe; owned by one MarkupDocument.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace kivo {

struct MarkupElement {
  // Flag bits beside the nesting level (low 16 bits).
  static constexpr uint32_t kLevelMask = 0xFFFF;
  static constexpr uint32_t kReleased = 0x20000;
  static constexpr uint32_t kFirstChild = 0x80000;
  static constexpr uint32_t kNotEnded = 0x100000;
  static constexpr uint32_t kDescendantNotEnded = 0x200000;
  static constexpr uint32_t kIllFormed = 0x800000;  // on record 0 only

  uint32_t start = 0;           // offset of the "<"
  uint32_t length = 0;          // start tag to the end of the end tag
  uint32_t startTagLength = 0;  // kept apart from the end tag's length so
  uint32_t endTagLength = 0;    // that no long tag can overflow into the other
  uint32_t flags = 0;
  uint32_t parent = 0;
  uint32_t firstChild = 0;
  uint32_t nextSibling = 0;
  uint32_t previousSibling = 0;

  uint32_t end() const { return start + length; }
  uint32_t level() const { return flags & kLevelMask; }
  // Content lies between the two tags; an empty-element or not-ended
  // element has none.
  uint32_t contentStart() const { return start + startTagLength; }
  uint32_t contentEnd() const { return start + length - endTagLength; }
  bool isEmptyElementTag() const { return endTagLength == 0 && !(flags & kNotEnded); }
};

class MarkupIndex {
 public:
  static constexpr uint32_t kSegmentSize = 65536;

  MarkupIndex();

  // Drops every record but the document record (reset to zero) and makes
  // room for |expected| records in all.
  void reset(uint32_t expected);

  MarkupElement& operator[](uint32_t index) {
    return segments_[index / kSegmentSize][index % kSegmentSize];
  }
  const MarkupElement& operator[](uint32_t index) const {
    return segments_[index / kSegmentSize][index % kSegmentSize];
  }

  // Records ever handed out, record 0 included; indexes below this bound
  // are valid (some may be released).
  uint32_t size() const { return used_; }
  bool inUse(uint32_t index) const {
    return index != 0 && index < used_ && !((*this)[index].flags & MarkupElement::kReleased);
  }

  // A zeroed record: a released one first, else a new one. When the room is
  // used up it grows by half of the records in use.
  uint32_t allocate();
  // Releases the record and all its descendants (already unlinked from
  // their parent, or about to be); iterative, so nesting depth is no limit.
  void releaseSubtree(uint32_t index);

  // List operations; each keeps the first-child flag and the wrap-around
  // previous link of the first child right.
  void appendChild(uint32_t parent, uint32_t child);
  void insertAfter(uint32_t sibling, uint32_t child);
  void unlink(uint32_t child);
  uint32_t lastChild(uint32_t parent) const;
  bool isFirstChild(uint32_t index) const { return (*this)[index].flags & MarkupElement::kFirstChild; }

 private:
  void reserve(uint32_t records);

  std::vector<std::vector<MarkupElement>> segments_;
  uint32_t used_ = 0;
  uint32_t freeList_ = 0;  // chained through nextSibling
};

}  // namespace kivo
