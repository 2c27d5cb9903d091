#include "installer/extract/entry_path.h"

#include <gtest/gtest.h>

namespace {

using kivo::EntryTarget;
using kivo::mapEntryName;

TEST(EntryPathTest, DropsTheRootLabelAndTurnsSlashes) {
  const struct {
    const WChar* name;
    const WChar* relative;
  } cases[] = {
      {KW("install/3.1.0.5/KivoMixer.exe"), KW("3.1.0.5\\KivoMixer.exe")},
      {KW("install/Uninstall.exe"), KW("Uninstall.exe")},
      {KW("install\\3.1.0.5\\res"), KW("3.1.0.5\\res")},
      {KW("install/3.1.0.5/res/aurae/music/\u6b22\u8fce.mp3"), KW("3.1.0.5\\res\\aurae\\music\\\u6b22\u8fce.mp3")},
      // No separator: the name itself, under the base (install -> D\install).
      {KW("install"), KW("install")},
      {KW("InstallDir/KivoVirtualCam.ax"), KW("KivoVirtualCam.ax")},
      // Names that only look like the refused ones.
      {KW("install/a..b/.hidden"), KW("a..b\\.hidden")},
      {KW("install/CONSOLE.dll"), KW("CONSOLE.dll")},
      {KW("install/COM10"), KW("COM10")},
  };
  for (const auto& c : cases) {
    const kivo::MappedEntry m = mapEntryName(c.name);
    EXPECT_EQ(m.target, EntryTarget::kPath) << testing::PrintToString(WString(c.name));
    EXPECT_EQ(m.relative, WString(c.relative));
  }
}

TEST(EntryPathTest, WholeRootLabelsWriteNothing) {
  for (const WChar* name : {KW("InstallDir"), KW("component"), KW("VLCMEDIA"), KW("AppData"), KW("temp"),
                            KW("HZH")}) {
    EXPECT_EQ(mapEntryName(name).target, EntryTarget::kRootLabel);
  }
}

TEST(EntryPathTest, RefusesNamesThatCouldLeaveTheBase) {
  for (const WChar* name : {
           KW(""), KW("install/../../evil.dll"), KW("install/3.1.0.5/../../x"), KW("../x"),
           KW("install\\..\\x"), KW("install/./x"), KW("/etc/passwd"), KW("\\Windows\\x.dll"),
           KW("install//x"), KW("install/x/"), KW("C:/Windows/x.dll"), KW("install/C:x"),
           KW("install/a:stream"), KW("install/.. "), KW("install/..."), KW("install/x."),
           KW("install/CON"), KW("install/nul.txt"), KW("install/Com1.dll"), KW("install/LPT9"),
           KW("install/aux .log"), KW("install/CONOUT$"), KW("install/a*b"), KW("install/a?b"),
           KW("install/a<b"), KW("install/a|b"), KW("install/a\"b"), KW("install/a\tb"),
       }) {
    EXPECT_EQ(mapEntryName(name).target, EntryTarget::kRefused) << testing::PrintToString(WString(name));
    EXPECT_FALSE(kivo::isSafeEntryName(name));
  }
}

}  // namespace
