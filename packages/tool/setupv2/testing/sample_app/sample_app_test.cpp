// The sample programs do what the installer's later steps rely on: the
// statistics and migration stand-ins record their exact command lines
// (started through runProcess), and the filter registers and unregisters
// itself as a COM server.
#include <gtest/gtest.h>

#include "common/files/file_utils.h"
#include "common/system/process_utils.h"
#include "testing/unit/scratch_dir.h"

namespace {

using kivo_test::readBytes;
using kivo_test::ScratchDir;

const std::wstring kApp = KIVO_SAMPLE_APP_DIR;
const std::wstring kBin = KIVO_SAMPLE_BIN_DIR;

std::string utf8(const std::wstring& text) { return kivo::toAnsi(text.c_str(), -1, CP_UTF8); }

std::wstring copyInto(const ScratchDir& dir, const std::wstring& source, const std::wstring& name) {
  const std::wstring target = dir / name;
  ::CopyFileW(source.c_str(), target.c_str(), FALSE);
  return target;
}

TEST(SampleAppTest, CompanionProgramsRecordTheirExactCommandLines) {
  ScratchDir dir;
  const std::wstring stat = copyInto(dir, kApp + L"\\3.1.0.5\\installstat.exe", L"installstat.exe");
  kivo::runProcess(stat.c_str(), L"install", dir.path().c_str(), true);
  kivo::runProcess(stat.c_str(), L"\"uninstall\"", dir.path().c_str(), true);
  EXPECT_EQ(readBytes(dir / L"installstat.txt"),
            utf8(L"\"" + stat + L"\" \"install\"\r\n\"" + stat + L"\" \"\"uninstall\"\"\r\n"));

  // The migration stand-in writes only after a pause: waiting is visible.
  const std::wstring wizard = copyInto(dir, kBin + L"\\kivowizard.exe", L"kivowizard.exe");
  kivo::runProcess((L"\"" + wizard + L"\"").c_str(), nullptr, dir.path().c_str(), true);
  EXPECT_EQ(readBytes(dir / L"kivowizard.txt"), utf8(L"\"" + wizard + L"\"\r\n"));
}

TEST(SampleAppTest, FilterRegistersAndUnregistersItsClass) {
  const wchar_t key[] = L"CLSID\\{6B0A3E55-1F7C-4C0B-9E52-3A5C8E1D7F21}\\InprocServer32";
  HMODULE filter = ::LoadLibraryW((kApp + L"\\3.1.0.5\\KivoVirtualCam.ax").c_str());
  ASSERT_NE(filter, nullptr);
  using Entry = HRESULT(__stdcall*)();
  auto registerServer = reinterpret_cast<Entry>(::GetProcAddress(filter, "DllRegisterServer"));
  auto unregisterServer = reinterpret_cast<Entry>(::GetProcAddress(filter, "DllUnregisterServer"));
  ASSERT_TRUE(registerServer && unregisterServer);

  ASSERT_EQ(registerServer(), S_OK);
  wchar_t value[MAX_PATH] = {0};
  DWORD size = sizeof value;
  ASSERT_EQ(::RegGetValueW(HKEY_CLASSES_ROOT, key, nullptr, RRF_RT_REG_SZ, nullptr, value, &size), ERROR_SUCCESS);
  EXPECT_EQ(::lstrcmpiW(value, (kApp + L"\\3.1.0.5\\KivoVirtualCam.ax").c_str()), 0);

  ASSERT_EQ(unregisterServer(), S_OK);
  size = sizeof value;
  EXPECT_EQ(::RegGetValueW(HKEY_CLASSES_ROOT, key, nullptr, RRF_RT_REG_SZ, nullptr, value, &size),
            ERROR_FILE_NOT_FOUND);
  ::FreeLibrary(filter);
}

}  // namespace
