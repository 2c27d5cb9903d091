// A console helper that end-to-end tests run inside their Wine prefix to
// set up what a real machine would have: a named event that a client
// signals, a file another program holds open.
//
//   kivo_test_helper hold-event NAME signaled|unsignaled [SIGNAL_AFTER_MS]
//   kivo_test_helper hold-file PATH [share-delete]
//   kivo_test_helper run APPLICATION "COMMAND LINE"
//   kivo_test_helper hold-mutex NAME
//   kivo_test_helper make-link LINK TARGET
//   kivo_test_helper read-link LINK
//
// hold-file opens PATH for reading and writing and shares nothing, or with
// share-delete only lets others rename or delete it (as a loaded program
// does). hold-* print "ready" once the object exists and then keep it until their
// standard input is closed. run starts APPLICATION with exactly COMMAND LINE
// (Wine's own argument quoting would not let a test choose it), waits, and
// prints "exit=<code> ms=<elapsed> peak_ws=<bytes>", the code as a signed
// number, the time measured inside Windows (so that Wine's start-up does
// not count) and the program's peak working set.
// make-link writes a shell link to TARGET; read-link prints a link's
// "target=<path>" and "workdir=<path>" in UTF-8.
#include <windows.h>
#include <psapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <cwchar>
#include <cstdlib>
#include <string>

namespace {

void waitForStdinToClose() {
  char buffer[64];
  while (std::fgets(buffer, sizeof buffer, stdin) != nullptr) {
  }
}

void ready() {
  std::printf("ready\n");
  std::fflush(stdout);
}

int holdEvent(int argc, wchar_t** argv) {
  if (argc < 4) return 2;
  const bool signaled = std::wcscmp(argv[3], L"signaled") == 0;
  HANDLE event = ::CreateEventW(nullptr, TRUE, signaled ? TRUE : FALSE, argv[2]);
  if (event == nullptr) return 1;
  ready();
  if (argc > 4) {
    ::Sleep(static_cast<DWORD>(std::wcstoul(argv[4], nullptr, 10)));
    ::SetEvent(event);
    std::printf("signaled\n");
    std::fflush(stdout);
  }
  waitForStdinToClose();
  ::CloseHandle(event);
  return 0;
}

int holdFile(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  const bool shareDelete = argc > 3 && std::wcscmp(argv[3], L"share-delete") == 0;
  HANDLE file = ::CreateFileW(argv[2], GENERIC_READ | GENERIC_WRITE, shareDelete ? FILE_SHARE_DELETE : 0,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  ready();
  waitForStdinToClose();
  ::CloseHandle(file);
  return 0;
}

int holdMutex(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  HANDLE mutex = ::CreateMutexW(nullptr, FALSE, argv[2]);
  if (mutex == nullptr) return 1;
  ready();
  waitForStdinToClose();
  ::CloseHandle(mutex);
  return 0;
}

std::string utf8(const wchar_t* text) {
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n - 1 : 0, '\0');
  if (n > 1) ::WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], n, nullptr, nullptr);
  return out;
}

int withLink(const wchar_t* file, bool load, const wchar_t* newTarget) {
  ::CoInitialize(nullptr);
  IShellLinkW* link = nullptr;
  IPersistFile* persist = nullptr;
  int rc = 1;
  if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link))) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
    if (load) {
      if (SUCCEEDED(persist->Load(file, STGM_READ))) {
        wchar_t target[MAX_PATH] = {0};
        wchar_t workdir[MAX_PATH] = {0};
        link->GetPath(target, MAX_PATH, nullptr, SLGP_UNCPRIORITY);
        link->GetWorkingDirectory(workdir, MAX_PATH);
        std::printf("target=%s\nworkdir=%s\n", utf8(target).c_str(), utf8(workdir).c_str());
        rc = 0;
      }
    } else {
      link->SetPath(newTarget);
      rc = SUCCEEDED(persist->Save(file, TRUE)) ? 0 : 1;
    }
  }
  if (persist) persist->Release();
  if (link) link->Release();
  ::CoUninitialize();
  std::fflush(stdout);
  return rc;
}

int runExact(int argc, wchar_t** argv) {
  if (argc < 4) return 2;
  std::wstring line = argv[3];
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  const DWORD started = ::GetTickCount();
  if (!::CreateProcessW(argv[2], &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
    std::printf("start-failed=%lu\n", ::GetLastError());
    return 1;
  }
  // Wine can read a process's memory counters only while it lives: sample
  // them until it ends.
  SIZE_T peak = 0;
  do {
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    if (::GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory)) {
      if (memory.PeakWorkingSetSize > peak) peak = memory.PeakWorkingSetSize;
      if (memory.WorkingSetSize > peak) peak = memory.WorkingSetSize;
    }
  } while (::WaitForSingleObject(process.hProcess, 20) == WAIT_TIMEOUT);
  const DWORD elapsed = ::GetTickCount() - started;
  DWORD code = 0;
  ::GetExitCodeProcess(process.hProcess, &code);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  std::printf("exit=%ld ms=%lu peak_ws=%lu\n", static_cast<long>(static_cast<LONG>(code)), elapsed,
              static_cast<unsigned long>(peak));
  std::fflush(stdout);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  if (std::wcscmp(argv[1], L"hold-event") == 0) return holdEvent(argc, argv);
  if (std::wcscmp(argv[1], L"hold-file") == 0) return holdFile(argc, argv);
  if (std::wcscmp(argv[1], L"run") == 0) return runExact(argc, argv);
  if (std::wcscmp(argv[1], L"hold-mutex") == 0) return holdMutex(argc, argv);
  if (std::wcscmp(argv[1], L"make-link") == 0 && argc >= 4) return withLink(argv[2], false, argv[3]);
  if (std::wcscmp(argv[1], L"read-link") == 0 && argc >= 3) return withLink(argv[2], true, nullptr);
  return 2;
}
