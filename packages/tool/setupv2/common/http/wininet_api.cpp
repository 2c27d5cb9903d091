#include "common/http/wininet_api.h"

#include "common/system/system_library.h"

namespace kivo {

bool WinInetApi::complete() const {
  return InternetOpenW && InternetConnectW && InternetCrackUrlW && InternetSetOptionW &&
         InternetCloseHandle && InternetReadFile && InternetWriteFile && HttpOpenRequestW &&
         HttpSendRequestW && HttpSendRequestExW && HttpEndRequestW && HttpQueryInfoW;
}

namespace {

WinInetApi load(const SystemLibrary& library) {
  WinInetApi api;
  api.InternetOpenW = library.function<decltype(api.InternetOpenW)>("InternetOpenW");
  api.InternetConnectW = library.function<decltype(api.InternetConnectW)>("InternetConnectW");
  api.InternetCrackUrlW = library.function<decltype(api.InternetCrackUrlW)>("InternetCrackUrlW");
  api.InternetSetOptionW = library.function<decltype(api.InternetSetOptionW)>("InternetSetOptionW");
  api.InternetCloseHandle = library.function<decltype(api.InternetCloseHandle)>("InternetCloseHandle");
  api.InternetReadFile = library.function<decltype(api.InternetReadFile)>("InternetReadFile");
  api.InternetWriteFile = library.function<decltype(api.InternetWriteFile)>("InternetWriteFile");
  api.HttpOpenRequestW = library.function<decltype(api.HttpOpenRequestW)>("HttpOpenRequestW");
  api.HttpSendRequestW = library.function<decltype(api.HttpSendRequestW)>("HttpSendRequestW");
  api.HttpSendRequestExW = library.function<decltype(api.HttpSendRequestExW)>("HttpSendRequestExW");
  api.HttpEndRequestW = library.function<decltype(api.HttpEndRequestW)>("HttpEndRequestW");
  api.HttpQueryInfoW = library.function<decltype(api.HttpQueryInfoW)>("HttpQueryInfoW");
  return api;
}

}  // namespace

const WinInetApi* winInet() {
  // The library stays loaded for the life of the process, like an import
  // would; C++ guarantees the one-time initialisation is thread-safe.
  static SystemLibrary library(L"wininet.dll");
  static const WinInetApi api = load(library);
  return api.complete() ? &api : nullptr;
}

}  // namespace kivo
