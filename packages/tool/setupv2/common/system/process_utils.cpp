#include "common/system/process_utils.h"

#include <tlhelp32.h>

#include <cstdio>
#include <cwchar>

#include "common/system/win_handle.h"

namespace kivo {
namespace {

// Diagnostics nobody reads in a windowed program; kept for console runs.
void diagnostic(const char* text) { std::printf("%s\n", text); }

struct WindowSearch {
  DWORD processId;
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM context) {
  WindowSearch* search = reinterpret_cast<WindowSearch*>(context);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId) return TRUE;
  wchar_t name[MAX_PATH] = {0};
  if (::GetClassNameW(window, name, MAX_PATH) == 0) return TRUE;
  if (::lstrcmpiW(name, search->className) != 0) return TRUE;
  search->found = window;
  return FALSE;
}

bool processHasModule(DWORD processId, const wchar_t* moduleName, const wchar_t* exeName) {
  UniqueHandle modules(::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId));
  if (!modules) {
    std::printf("CreateToolhelp32Snapshot() failed! %ls\n", exeName);
    return false;
  }
  MODULEENTRY32W module = {};
  module.dwSize = sizeof module;
  if (!::Module32FirstW(modules.get(), &module)) {
    diagnostic("Module32First");
    return false;
  }
  do {
    if (::lstrcmpiW(module.szModule, moduleName) == 0) return true;
  } while (::Module32NextW(modules.get(), &module));
  return false;
}

}  // namespace

bool enablePrivilege(const wchar_t* name) {
  HANDLE rawToken = nullptr;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &rawToken)) {
    diagnostic("enable_privilege");
    return false;
  }
  UniqueHandle token(rawToken);
  TOKEN_PRIVILEGES wanted = {};
  wanted.PrivilegeCount = 1;
  wanted.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  TOKEN_PRIVILEGES previous = {};
  DWORD previousSize = sizeof previous;
  const bool ok = ::LookupPrivilegeValueW(nullptr, name, &wanted.Privileges[0].Luid) &&
                  ::AdjustTokenPrivileges(token.get(), FALSE, &wanted, sizeof previous, &previous,
                                          &previousSize) &&
                  ::GetLastError() != ERROR_NOT_ALL_ASSIGNED;
  if (!ok) diagnostic("enable_token_privilege");
  return ok;
}

bool findProcessesWithModule(const wchar_t* moduleName, std::vector<std::wstring>& executables) {
  executables.clear();
  UniqueHandle processes(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!processes) {
    diagnostic("CreateToolhelp32Snapshot (of processes)");
    return false;
  }
  PROCESSENTRY32W process = {};
  process.dwSize = sizeof process;
  if (!::Process32FirstW(processes.get(), &process)) {
    diagnostic("Process32First");
    return false;
  }
  do {
    enablePrivilege(L"SeDebugPrivilege");
    if (processHasModule(process.th32ProcessID, moduleName, process.szExeFile))
      executables.push_back(process.szExeFile);
  } while (::Process32NextW(processes.get(), &process));
  return true;
}

HWND findProcessWindow(DWORD processId, const wchar_t* className) {
  WindowSearch search = {processId, className, nullptr};
  ::EnumWindows(&matchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring processCommandLine(const wchar_t* program, const wchar_t* argument) {
  std::wstring line;
  if (argument != nullptr) {
    line = L"\"";
    line += program;
    line += L"\" \"";
    line += argument;
    line += L"\"";
  } else {
    line = program;
  }
  if (line.size() > 1022) line.resize(1022);
  return line;
}

void runProcess(const wchar_t* program, const wchar_t* argument, const wchar_t* workingDirectory, bool wait) {
  wchar_t commandLine[1024] = {0};
  const std::wstring line = processCommandLine(program, argument);
  std::wmemcpy(commandLine, line.c_str(), line.size());

  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  if (!::CreateProcessW(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, workingDirectory,
                        &startup, &info))
    return;
  UniqueHandle process(info.hProcess);
  UniqueHandle thread(info.hThread);
  if (wait) ::WaitForSingleObject(process.get(), INFINITE);
}

std::wstring processImagePath(DWORD processId) {
  UniqueHandle modules(::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId));
  if (!modules) return std::wstring();
  MODULEENTRY32W module = {};
  module.dwSize = sizeof module;
  if (!::Module32FirstW(modules.get(), &module)) return std::wstring();
  return module.szExePath;
}

}  // namespace kivo
