#include "common/markup/markup_index.h"

namespace kivo {

MarkupIndex::MarkupIndex() { reset(1); }

void MarkupIndex::reset(uint32_t expected) {
  segments_.clear();
  used_ = 0;
  freeList_ = 0;
  reserve(expected < 1 ? 1 : expected);
  used_ = 1;
  (*this)[0] = MarkupElement();
}

void MarkupIndex::reserve(uint32_t records) {
  // Full segments never move; only the last one is grown.
  while (records > 0) {
    if (segments_.empty() || segments_.back().size() == kSegmentSize) {
      segments_.emplace_back();
    }
    std::vector<MarkupElement>& last = segments_.back();
    const uint32_t before = static_cast<uint32_t>(last.size());
    const uint32_t room = kSegmentSize - before;
    const uint32_t take = records < room ? records : room;
    last.resize(before + take);
    records -= take;
  }
}

uint32_t MarkupIndex::allocate() {
  uint32_t index;
  if (freeList_ != 0) {
    index = freeList_;
    freeList_ = (*this)[index].nextSibling;
  } else {
    uint32_t capacity = 0;
    for (const auto& segment : segments_) capacity += static_cast<uint32_t>(segment.size());
    if (used_ == capacity) reserve(used_ / 2 + 1);
    index = used_++;
  }
  (*this)[index] = MarkupElement();
  return index;
}

void MarkupIndex::releaseSubtree(uint32_t index) {
  std::vector<uint32_t> pending{index};
  while (!pending.empty()) {
    const uint32_t current = pending.back();
    pending.pop_back();
    for (uint32_t child = (*this)[current].firstChild; child != 0; child = (*this)[child].nextSibling) {
      pending.push_back(child);
    }
    MarkupElement& record = (*this)[current];
    record = MarkupElement();
    record.flags = MarkupElement::kReleased;
    record.nextSibling = freeList_;
    freeList_ = current;
  }
}

uint32_t MarkupIndex::lastChild(uint32_t parent) const {
  const uint32_t first = (*this)[parent].firstChild;
  return first == 0 ? 0 : (*this)[first].previousSibling;
}

void MarkupIndex::appendChild(uint32_t parent, uint32_t child) {
  MarkupElement& record = (*this)[child];
  record.parent = parent;
  record.nextSibling = 0;
  const uint32_t first = (*this)[parent].firstChild;
  if (first == 0) {
    (*this)[parent].firstChild = child;
    record.previousSibling = child;
    record.flags |= MarkupElement::kFirstChild;
    return;
  }
  const uint32_t last = (*this)[first].previousSibling;
  (*this)[last].nextSibling = child;
  record.previousSibling = last;
  record.flags &= ~MarkupElement::kFirstChild;
  (*this)[first].previousSibling = child;
}

void MarkupIndex::insertAfter(uint32_t sibling, uint32_t child) {
  const uint32_t parent = (*this)[sibling].parent;
  const uint32_t next = (*this)[sibling].nextSibling;
  MarkupElement& record = (*this)[child];
  record.parent = parent;
  record.previousSibling = sibling;
  record.nextSibling = next;
  record.flags &= ~MarkupElement::kFirstChild;
  if (next != 0) {
    (*this)[next].previousSibling = child;
  } else {
    (*this)[(*this)[parent].firstChild].previousSibling = child;
  }
  (*this)[sibling].nextSibling = child;
}

void MarkupIndex::unlink(uint32_t child) {
  const uint32_t parent = (*this)[child].parent;
  const uint32_t first = (*this)[parent].firstChild;
  const uint32_t next = (*this)[child].nextSibling;
  const uint32_t previous = (*this)[child].previousSibling;
  if (child == first) {
    (*this)[parent].firstChild = next;
    if (next != 0) {
      (*this)[next].previousSibling = previous;  // still the last child
      (*this)[next].flags |= MarkupElement::kFirstChild;
    }
  } else {
    (*this)[previous].nextSibling = next;
    if (next != 0) {
      (*this)[next].previousSibling = previous;
    } else {
      (*this)[first].previousSibling = previous;
    }
  }
  MarkupElement& record = (*this)[child];
  record.nextSibling = 0;
  record.previousSibling = 0;
  record.flags &= ~MarkupElement::kFirstChild;
}

}  // namespace kivo
