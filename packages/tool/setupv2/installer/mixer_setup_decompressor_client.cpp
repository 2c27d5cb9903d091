// The extraction worker's dealings with a running client program.
#include "installer/mixer_setup_decompressor.h"

#include <tlhelp32.h>

#include <string>

#include "common/log/log_file.h"
#include "common/system/process_utils.h"
#include "common/system/win_handle.h"

namespace kivo {
namespace {

const wchar_t kClientExe[] = L"KivoMixer.exe";
const wchar_t kClientWindowClass[] = L"TARLAN SPEAK MAIN FRAME | 4D1BB563-E5FC-4771-AD17-6442A4147044";
const UINT kClientQuitMessage = WM_APP + 601;
const DWORD kQuitWaitMs = 500;
// TerminateProcess returns before the process is gone; give it a moment
// to let go of its files before the next round looks again.
const DWORD kTerminateWaitMs = 2000;


}  // namespace

bool MixerSetupDecompressor::_isKivoRunning(DWORD& processId) const {
  processId = 0;
  const std::wstring client = installDirectory_ + kClientExe;
  UniqueHandle processes(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!processes) return false;
  PROCESSENTRY32W process = {};
  process.dwSize = sizeof process;
  for (BOOL more = ::Process32FirstW(processes.get(), &process); more;
       more = ::Process32NextW(processes.get(), &process)) {
    if (::lstrcmpiW(process.szExeFile, kClientExe) != 0) continue;
    if (::lstrcmpiW(processImagePath(process.th32ProcessID).c_str(), client.c_str()) == 0) {
      processId = process.th32ProcessID;
      return true;
    }
  }
  return false;
}

void MixerSetupDecompressor::_quitKivo(DWORD processId) {
  HWND window = findProcessWindow(processId, kClientWindowClass);
  if (window != nullptr) {
    ::PostMessageW(window, kClientQuitMessage, 0, 0);
    logPrintf(L"MixerSetupDecompressor::_quitKivo, post message (WM_APP + 601) to Kivo for quit.");
  }
  UniqueHandle process(::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId));
  if (!process) {
    logPrintf(L"MixerSetupDecompressor::_quitKivo, OpenProcess return NULL, Kivo already quit.");
    return;
  }
  if (::WaitForSingleObject(process.get(), kQuitWaitMs) == WAIT_TIMEOUT) {
    logPrintf(L"MixerSetupDecompressor::_quitKivo, WaitForSingleObject time-out, will terminate process.");
    ::TerminateProcess(process.get(), 0);
    ::WaitForSingleObject(process.get(), kTerminateWaitMs);
  }
}

bool MixerSetupDecompressor::closeRunningClients() {
  DWORD processId = 0;
  for (int round = 0; round < kMaxCloseRounds; ++round) {
    if (!_isKivoRunning(processId)) return true;
    _quitKivo(processId);
  }
  if (!_isKivoRunning(processId)) return true;
  logPrintf(L"MixerSetupDecompressor::closeRunningClients, Kivo still running after %d rounds, give up.",
            kMaxCloseRounds);
  return false;
}

}  // namespace kivo
