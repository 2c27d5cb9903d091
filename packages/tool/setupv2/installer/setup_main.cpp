// KivoMixerSetup entry point.
#include <windows.h>
#include <shlwapi.h>

#include "common/log/log_file.h"
#include "common/system/system_library.h"
#include "common/system/font_probe.h"
#include "installer/mixer_setup_control.h"
#include "toolkit/app/tl_application.h"

namespace {

// A client that is being replaced signals this event when it has let go of
// its files; without one, give whatever started us a moment to exit.
void waitForPreviousClient() {
  HANDLE event = ::OpenEventW(EVENT_ALL_ACCESS, FALSE, L"DEF_SINGLE_KIVOVCAM_EVENT_20140227");
  if (event != nullptr) {
    ::WaitForSingleObject(event, 3000);
    ::Sleep(100);
    ::CloseHandle(event);
  } else {
    ::Sleep(3000);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  kivo::restrictDllSearchToSystem32();

  waitForPreviousClient();

  kivo::LogFile::instance().setFileName(L"setupV2.log");
  logPrintf(L"Setup start, command line is %s", ::PathGetArgsW(::GetCommandLineW()));

  kivo::probeFontAvailable();

  int exitCode = 0;
  {
    tl::TlApplication application;
    {
      kivo::MixerSetupControl control;
      control.startSetup();
      exitCode = application.exec();
    }
  }
  return exitCode;
}
