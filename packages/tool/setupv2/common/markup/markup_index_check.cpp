#include "common/markup/markup_index_check.h"

#include <vector>

namespace kivo {

namespace {

std::string at(uint32_t record, const char* problem) {
  return "record " + std::to_string(record) + ": " + problem;
}

}  // namespace

std::string checkMarkupIndex(const WString& text, const MarkupIndex& index) {
  const uint64_t size = text.size();
  if (index[0].length != size) return at(0, "document length differs from the text");
  uint32_t reached = 0;
  struct Visit {
    uint32_t record;
    uint32_t level;
  };
  std::vector<Visit> pending{{0, 0}};
  while (!pending.empty()) {
    const Visit visit = pending.back();
    pending.pop_back();
    const MarkupElement& parent = index[visit.record];
    const uint64_t from = visit.record == 0 ? 0 : parent.contentStart();
    const uint64_t to = visit.record == 0 ? size : parent.contentEnd();
    uint64_t cursor = from;
    uint32_t previous = 0;
    const uint32_t first = parent.firstChild;
    for (uint32_t r = first; r != 0; r = index[r].nextSibling) {
      if (!index.inUse(r)) return at(r, "linked but not in use");
      if (++reached > index.size()) return at(r, "sibling links loop");
      const MarkupElement& e = index[r];
      if (e.parent != visit.record) return at(r, "wrong parent link");
      if ((r == first) != ((e.flags & MarkupElement::kFirstChild) != 0)) return at(r, "first-child flag");
      if (r != first && e.previousSibling != previous) return at(r, "previous link");
      if (e.start < cursor || uint64_t(e.start) + e.length > to) return at(r, "outside its parent or overlapping");
      if (e.startTagLength < 3 || e.startTagLength + e.endTagLength > e.length) return at(r, "tag lengths");
      if (text[e.start] != KW('<') || text[e.start + e.startTagLength - 1] != KW('>')) return at(r, "start tag bounds");
      if (e.endTagLength == 0 ? e.length != e.startTagLength
                              : text.compare(e.contentEnd(), 2, KW("</")) != 0 || text[e.end() - 1] != KW('>')) {
        return at(r, "end tag bounds");
      }
      if (e.isEmptyElementTag() && text[e.start + e.startTagLength - 2] != KW('/')) return at(r, "empty tag");
      const uint32_t level = visit.level < MarkupElement::kLevelMask ? visit.level : MarkupElement::kLevelMask;
      if (e.level() != level) return at(r, "level");
      cursor = e.end();
      previous = r;
      pending.push_back({r, visit.level + 1});
    }
    if (first != 0 && index[first].previousSibling != previous) return at(first, "last-child link");
  }
  uint32_t inUse = 0;
  for (uint32_t r = 1; r < index.size(); ++r) inUse += index.inUse(r) ? 1 : 0;
  if (inUse != reached) return "records in use but not linked";
  return std::string();
}

}  // namespace kivo
