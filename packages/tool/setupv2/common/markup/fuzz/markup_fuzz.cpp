// Fuzz target for the markup reader and editor. The input is a short
// script of operations followed by the document bytes:
//   byte 0: script length (mod 32), then that many operation bytes, then
//   the document as it would come from a file.
// After every operation the index must still describe the text exactly, a
// fresh parse of the edited text must find the same elements, an attribute
// just set must read back, and the text must survive the UTF-8 round trip.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/markup/markup_document.h"
#include "common/markup/markup_index_check.h"
#include "common/markup/markup_parser.h"
#include "common/markup/markup_utf8.h"

namespace {

using kivo::MarkupDocument;
using kivo::MarkupElement;
using kivo::MarkupIndex;

const WChar* const kNames[] = {KW(""), KW("a"), KW("b"), KW("file"), KW("x:y"), KW("VersionInfo"),
                               KW("Path"), KW("\u4e2d")};
const WChar* const kValues[] = {KW(""), KW("3.1.0.5"), KW("a&b"), KW("<\"'>"), KW("&amp;"), KW("\u97f3 x")};

void fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "markup_fuzz: %s %s\n", what, detail.c_str());
  std::abort();
}

// The elements in document order with what a parse decides about them.
std::vector<uint32_t> shape(const MarkupIndex& index) {
  std::vector<uint32_t> out;
  std::vector<uint32_t> pending;
  for (uint32_t r = index[0].firstChild; r != 0; r = index[r].nextSibling) pending.insert(pending.begin(), r);
  while (!pending.empty()) {
    const uint32_t r = pending.back();
    pending.pop_back();
    const MarkupElement& e = index[r];
    out.insert(out.end(), {e.start, e.length, e.startTagLength, e.endTagLength, e.flags & MarkupElement::kNotEnded,
                           e.level()});
    std::vector<uint32_t> children;
    for (uint32_t c = e.firstChild; c != 0; c = index[c].nextSibling) children.push_back(c);
    pending.insert(pending.end(), children.rbegin(), children.rend());
  }
  return out;
}

void checkDocument(const MarkupDocument& document, const char* after) {
  const std::string problem = kivo::checkMarkupIndex(document.documentText(), document.index());
  if (!problem.empty()) fail(after, problem + " in:\n" + kivo::encodeUtf8(document.documentText()));
  MarkupIndex fresh;
  kivo::parseMarkup(document.documentText(), fresh);
  if (shape(fresh) != shape(document.index())) {
    std::string shapes;
    for (const MarkupIndex* index : {static_cast<const MarkupIndex*>(&fresh), &document.index()}) {
      for (uint32_t v : shape(*index)) shapes += std::to_string(v) + ' ';
      shapes += '\n';
    }
    fail(after, "index differs from a fresh parse of:\n" + kivo::encodeUtf8(document.documentText()) + "\n" + shapes);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  size_t scriptLength = data[0] % 32;
  if (scriptLength > size - 1) scriptLength = size - 1;
  const uint8_t* script = data + 1;
  const std::string bytes(reinterpret_cast<const char*>(data + 1 + scriptLength), size - 1 - scriptLength);

  MarkupDocument document;
  document.loadBytes(bytes);
  checkDocument(document, "load");
  if (kivo::decodeUtf8(kivo::encodeUtf8(document.documentText())) != document.documentText()) {
    fail("load", "text does not survive the UTF-8 round trip");
  }
  for (size_t i = 0; i < scriptLength; ++i) {
    const uint8_t op = script[i] & 7;
    const WString name = kNames[(script[i] >> 3) % 8];
    const WString value = kValues[(script[i] >> 6) % 6];
    if (std::getenv("MARKUP_FUZZ_TRACE") != nullptr) {
      std::fprintf(stderr, "op %d name '%s' cur %u par %u text:\n%s\n", op, kivo::encodeUtf8(name).c_str(),
                   document.currentPosition(), document.parentPosition(),
                   kivo::encodeUtf8(document.documentText()).c_str());
    }
    switch (op) {
      case 0: document.findElement(name); break;
      case 1: document.enterElement(); break;
      case 2: document.leaveElement(); break;
      case 3: document.getAttribute(name); break;
      case 4:
        if (document.setAttribute(name, value)) {
          checkDocument(document, "setAttribute");
          if (document.getAttribute(name) != value) {
            fail("setAttribute", "value of " + kivo::encodeUtf8(name) + " does not read back in:\n" +
                                     kivo::encodeUtf8(document.documentText()));
          }
        }
        break;
      case 5:
        if (document.addElement(name)) checkDocument(document, "addElement");
        break;
      case 6:
        if (document.removeElement()) checkDocument(document, "removeElement");
        break;
      case 7: {
        const WString before = document.documentText();
        const std::string saved = document.saveBytes();
        if (kivo::decodeUtf8(saved) != before) fail("save", "text does not survive the round trip");
        break;
      }
    }
  }
  return 0;
}
