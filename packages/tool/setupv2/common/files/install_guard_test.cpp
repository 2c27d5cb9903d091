#include "common/files/install_guard.h"

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "common/files/file_utils.h"
#include "testing/unit/scratch_dir.h"

namespace {

using namespace kivo;
using kivo_test::ScratchDir;
using kivo_test::writeBytes;

std::wstring folder(int csidl) {
  wchar_t path[MAX_PATH] = {0};
  ::SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE);
  return path;
}

TEST(InstallGuardTest, OnlyOurInstallationsAreRemovable) {
  ScratchDir withLauncher;
  writeBytes(withLauncher / L"Launcher.xml", "<LauncherInfo/>");
  ScratchDir withVersion;
  createDirectoryTree(withVersion / L"3.1.0.5");
  writeBytes(withVersion / L"3.1.0.5\\KivoMixer.exe", "MZ");
  ScratchDir unrelated;
  writeBytes(unrelated / L"notes.txt", "keep");
  createDirectoryTree(unrelated / L"photos");
  writeBytes(unrelated / L"photos\\KivoMixer.exe", "MZ");  // not a version folder
  ScratchDir launcherFolder;
  createDirectoryTree(launcherFolder / L"Launcher.xml");  // a folder, not the file

  std::wstring profiles = folder(CSIDL_PROFILE);
  profiles.resize(profiles.rfind(L'\\'));

  const struct {
    std::wstring path;
    bool removable;
    const wchar_t* reason;
  } cases[] = {
      {withLauncher.path(), true, L""},
      {withLauncher.path() + L"\\", true, L""},
      {withVersion.path(), true, L""},
      {unrelated.path(), false, L"it holds neither Launcher.xml nor a version folder with KivoMixer.exe"},
      {launcherFolder.path(), false, L"it holds neither Launcher.xml nor a version folder with KivoMixer.exe"},
      {L"", false, L"no directory was given"},
      {L"C:\\", false, L"it is a drive root"},
      {L"C:", false, L"it is a drive root"},
      {withLauncher.path() + L"\\missing", false, L"it is not a directory"},
      {folder(CSIDL_PROFILE), false, L"it is a user profile"},
      {profiles + L"\\Public", false, L"it is a user profile"},
      {profiles, false, nullptr},
      {folder(CSIDL_WINDOWS), false, nullptr},
      {folder(CSIDL_PROGRAM_FILES), false, nullptr},
      {folder(CSIDL_DESKTOPDIRECTORY), false, nullptr},
      {folder(CSIDL_APPDATA), false, nullptr},
      {userDataDirectory(), false, nullptr},
  };
  for (const auto& c : cases) {
    std::wstring reason;
    EXPECT_EQ(isRemovableInstallation(c.path, reason), c.removable) << c.path.c_str();
    if (c.reason != nullptr) {
      EXPECT_EQ(reason, c.reason) << c.path.c_str();
    }
    if (!c.removable) {
      EXPECT_FALSE(reason.empty()) << c.path.c_str();
    }
  }
}

TEST(InstallGuardTest, ShellFolderThatHoldsOurFilesIsStillRefused) {
  // A Launcher.xml dropped on the desktop does not make the desktop ours.
  const std::wstring desktop = folder(CSIDL_DESKTOPDIRECTORY);
  createDirectoryTree(desktop);
  const std::wstring launcher = desktop + L"\\Launcher.xml";
  writeBytes(launcher, "<LauncherInfo/>");
  std::wstring reason;
  EXPECT_FALSE(isRemovableInstallation(desktop, reason));
  EXPECT_EQ(reason, L"it is or holds the system or shell folder " + desktop);
  ::DeleteFileW(launcher.c_str());
}

}  // namespace
