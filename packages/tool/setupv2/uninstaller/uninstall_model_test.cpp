#include "uninstaller/uninstall_model.h"

#include <gtest/gtest.h>

#include "toolkit/core/tl_command_line.h"

namespace {

using namespace kivo;

struct ModelCase {
  const wchar_t* commandLine;
  int model;
  const wchar_t* path;
};

bool onlyExisting(const std::wstring& path) {
  return path == L"C:\\Program Files (x86)\\Kivo \u4f34\u4fa3" || path == L"D:\\Kivo";
}

TEST(UninstallModelTest, CommandLineTable) {
  const ModelCase cases[] = {
      {L"Uninstall.exe", 0, L""},
      {L"Uninstall.exe -silence", 1, L""},
      {L"Uninstall.exe -SILENCE", 0, L""},  // options keep their case
      {L"Uninstall.exe -silence -delete -path D:\\Kivo", 1, L""},
      {L"Uninstall.exe -delete -path \"C:\\Program Files (x86)\\Kivo \u4f34\u4fa3\"", 2,
       L"C:\\Program Files (x86)\\Kivo \u4f34\u4fa3"},
      {L"Uninstall.exe -delete -path=\"C:\\Program Files (x86)\\Kivo \u4f34\u4fa3\"", 2,
       L"C:\\Program Files (x86)\\Kivo \u4f34\u4fa3"},
      {L"-silencedelete -path \"D:\\Kivo\"", 3, L"D:\\Kivo"},  // the copy: no program name
      {L"Uninstall.exe -delete -path D:\\Missing", 0, L""},
      {L"Uninstall.exe -silencedelete -path", 0, L""},
      {L"Uninstall.exe -delete", 0, L""},
      {L"Uninstall.exe -path D:\\Kivo", 0, L""},
      {L"Uninstall.exe -Delete -path D:\\Kivo", 0, L""},
  };
  for (const ModelCase& c : cases) {
    const UninstallRun run = analyzeUninstallModel(tl::splitCommandLine(c.commandLine), onlyExisting);
    EXPECT_EQ(run.model, c.model) << c.commandLine;
    EXPECT_EQ(run.path, c.path) << c.commandLine;
  }
}

}  // namespace
