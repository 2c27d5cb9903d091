#include "installer/effect_list_merge.h"

#include <map>
#include <vector>

#include "common/files/file_utils.h"
#include "common/markup/markup_document.h"

namespace kivo {
namespace {

const wchar_t* const kMusicAttributes[] = {L"file_md5", L"duration", L"type", L"user", L"name"};
const wchar_t* const kEffectAttributes[] = {L"file_path", L"file_md5", L"ico_path", L"ico_md5",
                                            L"tip_path",  L"type",     L"user",     L"name"};

using Attributes = std::vector<std::wstring>;

struct ShippedList {
  std::map<std::wstring, Attributes> music;  // by file_path, the first one wins
  std::vector<Attributes> animation;
  std::vector<Attributes> broadcast;
};

Attributes readAttributes(const MarkupDocument& document, const wchar_t* const* names, size_t count) {
  Attributes values;
  for (size_t i = 0; i < count; ++i) values.push_back(document.getAttribute(names[i]));
  return values;
}

// The sections are looked for in the order music, animation, broadcast,
// each search going on after the section found before it; a section that
// is missing (or stands before an earlier one) is skipped.
template <typename Visit>
void forEachSection(MarkupDocument& document, Visit visit) {
  for (const wchar_t* section : {L"music", L"animation", L"broadcast"}) {
    if (!document.findElement(section)) continue;
    document.enterElement();
    visit(std::wstring(section));
    document.leaveElement();
  }
}

ShippedList readShipped(const std::wstring& path) {
  ShippedList list;
  MarkupDocument document;
  if (!document.loadFile(path) || !document.findElement(L"aurae") || !document.enterElement())
    return list;
  forEachSection(document, [&](const std::wstring& section) {
    while (document.findElement(L"file")) {
      if (section == L"music") {
        list.music.emplace(document.getAttribute(L"file_path"),
                           readAttributes(document, kMusicAttributes, 5));
      } else {
        (section == L"animation" ? list.animation : list.broadcast)
            .push_back(readAttributes(document, kEffectAttributes, 8));
      }
    }
  });
  return list;
}

void replaceEntries(MarkupDocument& document, const std::vector<Attributes>& entries) {
  // Remove every file element (each removal leaves the cursor on the
  // previous sibling, so the search goes on from there), then add the
  // shipped ones in order.
  while (document.findElement(L"file")) {
    if (!document.removeElement()) break;
  }
  for (const Attributes& entry : entries) {
    if (!document.addElement(L"file")) break;
    for (size_t i = 0; i < 8; ++i) document.setAttribute(kEffectAttributes[i], entry[i]);
  }
}

void mergeInto(const std::wstring& userList, const ShippedList& shipped) {
  MarkupDocument document;
  if (!document.loadFile(userList) || !document.findElement(L"aurae") || !document.enterElement())
    return;  // a list that cannot be read is left as it is
  forEachSection(document, [&](const std::wstring& section) {
    if (section == L"music") {
      while (document.findElement(L"file")) {
        const auto it = shipped.music.find(document.getAttribute(L"file_path"));
        if (it == shipped.music.end()) continue;
        for (size_t i = 0; i < 5; ++i) document.setAttribute(kMusicAttributes[i], it->second[i]);
      }
    } else {
      replaceEntries(document, section == L"animation" ? shipped.animation : shipped.broadcast);
    }
  });
  document.saveFile(userList);
}

std::wstring joined(std::wstring base, const wchar_t* relative) {
  appendPath(base, relative);
  return base;
}

}  // namespace

void mergeEffectList(const std::wstring& versionDirectory, const std::wstring& userDataDirectory) {
  const std::wstring shippedAurae = joined(versionDirectory, L"res\\aurae");
  const std::wstring userAurae = joined(userDataDirectory, L"aurae");
  const std::wstring shippedList = joined(shippedAurae, L"auraelist.xml");
  const std::wstring userList = joined(userAurae, L"auraelist.xml");

  if (fileExists(userList)) {
    mergeInto(userList, readShipped(shippedList));
  } else {
    copyDirectory(joined(shippedAurae, L"music"), joined(userAurae, L"music"));
    bool inUse = false;
    copyFile(shippedList, userList, inUse);
  }
  copyDirectory(joined(shippedAurae, L"animation"), joined(userAurae, L"animation"));
  copyDirectory(joined(shippedAurae, L"animationbroadcast"), joined(userAurae, L"animationbroadcast"));
}

}  // namespace kivo
