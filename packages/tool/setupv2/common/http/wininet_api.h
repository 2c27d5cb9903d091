// WinINet, loaded at run time from System32. It is not a KnownDLL, so the
// programs may not import it: an installer started from a Downloads folder
// would otherwise load a wininet.dll planted beside it.
#pragma once

#include <windows.h>
#include <wininet.h>

namespace kivo {

struct WinInetApi {
  decltype(&::InternetOpenW) InternetOpenW = nullptr;
  decltype(&::InternetConnectW) InternetConnectW = nullptr;
  decltype(&::InternetCrackUrlW) InternetCrackUrlW = nullptr;
  decltype(&::InternetSetOptionW) InternetSetOptionW = nullptr;
  decltype(&::InternetCloseHandle) InternetCloseHandle = nullptr;
  decltype(&::InternetReadFile) InternetReadFile = nullptr;
  decltype(&::InternetWriteFile) InternetWriteFile = nullptr;
  decltype(&::HttpOpenRequestW) HttpOpenRequestW = nullptr;
  decltype(&::HttpSendRequestW) HttpSendRequestW = nullptr;
  decltype(&::HttpSendRequestExW) HttpSendRequestExW = nullptr;
  decltype(&::HttpEndRequestW) HttpEndRequestW = nullptr;
  decltype(&::HttpQueryInfoW) HttpQueryInfoW = nullptr;

  bool complete() const;
};

// The process's WinINet entry points, loaded on first use (thread-safe);
// null when the library or any entry point is missing.
const WinInetApi* winInet();

}  // namespace kivo
