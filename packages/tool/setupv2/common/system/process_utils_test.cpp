#include "common/system/process_utils.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using kivo::findProcessesWithModule;
using kivo::findProcessWindow;

std::wstring ownExecutableName() {
  wchar_t path[MAX_PATH] = {0};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  const wchar_t* slash = std::wcsrchr(path, L'\\');
  return slash ? slash + 1 : path;
}

TEST(ProcessUtilsTest, ModuleNobodyLoadedGivesAnEmptyList) {
  std::vector<std::wstring> found = {L"left over"};
  EXPECT_TRUE(findProcessesWithModule(L"no-such-module-4711.dll", found));
  EXPECT_TRUE(found.empty());
}

TEST(ProcessUtilsTest, ListsThisProcessOnceForAModuleItHasLoaded) {
  std::vector<std::wstring> found;
  // Case is ignored; kernel32 is loaded once, shell32 brings more modules.
  ASSERT_TRUE(findProcessesWithModule(L"KERNEL32.dll", found));
  EXPECT_EQ(std::count(found.begin(), found.end(), ownExecutableName()), 1);
}

LRESULT CALLBACK plainProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return ::DefWindowProcW(w, m, wp, lp); }

TEST(ProcessUtilsTest, FindsATopLevelWindowOfTheProcessByClassIgnoringCase) {
  WNDCLASSW topClass = {};
  topClass.lpfnWndProc = plainProc;
  topClass.lpszClassName = L"Kivo Test Top";
  ::RegisterClassW(&topClass);
  WNDCLASSW childClass = topClass;
  childClass.lpszClassName = L"Kivo Test Child";
  ::RegisterClassW(&childClass);

  HWND top = ::CreateWindowExW(0, L"Kivo Test Top", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                               nullptr, nullptr);
  ASSERT_NE(top, nullptr);
  HWND child = ::CreateWindowExW(0, L"Kivo Test Child", L"", WS_CHILD, 0, 0, 5, 5, top, nullptr, nullptr,
                                 nullptr);
  ASSERT_NE(child, nullptr);

  EXPECT_EQ(findProcessWindow(::GetCurrentProcessId(), L"KIVO TEST TOP"), top);
  EXPECT_EQ(findProcessWindow(::GetCurrentProcessId(), L"Kivo Test Child"), nullptr);
  EXPECT_EQ(findProcessWindow(::GetCurrentProcessId() + 4, L"Kivo Test Top"), nullptr);
  ::DestroyWindow(top);
}

TEST(ProcessUtilsTest, CommandLineQuotesTheArgumentAlways) {
  const struct {
    const wchar_t* program;
    const wchar_t* argument;
    const wchar_t* line;
  } cases[] = {
      {L"C:\\K\\installstat.exe", L"install", L"\"C:\\K\\installstat.exe\" \"install\""},
      {L"C:\\K\\installstat.exe", L"", L"\"C:\\K\\installstat.exe\" \"\""},
      {L"C:\\K\\a.exe", L"\"x\"", L"\"C:\\K\\a.exe\" \"\"x\"\""},
      {L"C:\\My Apps\\a.exe", nullptr, L"C:\\My Apps\\a.exe"},
  };
  for (const auto& c : cases) EXPECT_EQ(kivo::processCommandLine(c.program, c.argument), c.line);
  EXPECT_EQ(kivo::processCommandLine(std::wstring(2000, L'a').c_str(), nullptr).size(), 1022u);
}

TEST(ProcessUtilsTest, EnablesAPrivilegeTheTokenHolds) {
  EXPECT_TRUE(kivo::enablePrivilege(L"SeChangeNotifyPrivilege"));
  EXPECT_FALSE(kivo::enablePrivilege(L"NoSuchPrivilege"));
}

}  // namespace
