#include "uninstaller/run_exe_file.h"

#include <windows.h>

#include <vector>

#include "common/log/log_file.h"
#include "common/system/win_handle.h"

namespace kivo {

void runExeFile(const std::wstring& application, const std::wstring& parameters, bool wait) {
  // CreateProcessW may write into the command line, so it gets a copy.
  std::vector<wchar_t> commandLine(4096, L'\0');
  parameters.copy(commandLine.data(), commandLine.size() - 1);

  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  if (!::CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info)) {
    logPrintf(L"runExeFile, CreateProcess return false, last error is %d.", static_cast<int>(::GetLastError()));
    return;
  }
  UniqueHandle process(info.hProcess);
  UniqueHandle thread(info.hThread);
  if (wait && ::WaitForSingleObject(process.get(), 10000) == WAIT_TIMEOUT)
    logPrintf(L"runExeFile, WaitForSingleObject timeout.");
}

}  // namespace kivo
