#include "uninstaller/mixer_uninstall_checker.h"

#include <gtest/gtest.h>

namespace {

using kivo::MixerUninstallChecker;

TEST(MixerUninstallCheckerTest, NoticeListsEveryProcessOnItsOwnLine) {
  const std::wstring head =
      L"\u68c0\u6d4b\u5230\u4ee5\u4e0b\u7a0b\u5e8f\u6b63\u5728\u4f7f\u7528kivo\u4f34\u4fa3\u865a\u62df"
      L"\u6444\u50cf\u5934\uff0c\u8bf7\u5148\u5173\u95ed\u4ee5\u4e0b\u7a0b\u5e8f:\r\n\r\n[";
  const std::wstring tail =
      L"]\r\n\r\n\u70b9\u51fb\u201c\u662f\u201d\u91cd\u8bd5\uff0c\u70b9\u51fb\u201c\u5426\u201d\u9000\u51fa"
      L"\u5378\u8f7d\u7a0b\u5e8f\u3002";
  EXPECT_EQ(MixerUninstallChecker::virtualCamNotice({L"a.exe", L"a.exe", L"QQ.exe"}),
            head + L"a.exe\na.exe\nQQ.exe" + tail);
  EXPECT_EQ(MixerUninstallChecker::virtualCamNotice({L"one.exe"}), head + L"one.exe" + tail);
}

TEST(MixerUninstallCheckerTest, WithoutObserverTheCheckPassesAtOnce) {
  static bool failed = false;
  MixerUninstallChecker checker(nullptr);
  checker.setFailAction([] { failed = true; });
  checker.start(false);
  EXPECT_FALSE(failed);
}

}  // namespace
