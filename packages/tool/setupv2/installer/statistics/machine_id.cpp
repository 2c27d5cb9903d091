#include "installer/statistics/machine_id.h"

#include <iphlpapi.h>
#include <nb30.h>

#include <cstring>
#include <cwchar>
#include <vector>

#include "common/system/system_library.h"

namespace kivo {
namespace {

using NetbiosFn = UCHAR(APIENTRY*)(PNCB);
using GetAdaptersInfoFn = ULONG(WINAPI*)(PIP_ADAPTER_INFO, PULONG);

// Netbios, or 255 (the "command failed" answer) when it cannot be loaded.
UCHAR callNetbios(NetbiosFn netbios, NCB& ncb) { return netbios ? netbios(&ncb) : 255; }

std::wstring fromNetbios() {
  SystemLibrary library(L"netapi32.dll");
  const NetbiosFn netbios = library.function<NetbiosFn>("Netbios");

  LANA_ENUM lanas = {};
  NCB ncb = {};
  ncb.ncb_command = NCBENUM;
  ncb.ncb_buffer = reinterpret_cast<PUCHAR>(&lanas);
  ncb.ncb_length = sizeof lanas;
  if (callNetbios(netbios, ncb) != NRC_GOODRET) return L"?";  // ask the IP helper

  for (UCHAR i = 0; i < lanas.length && i < MAX_LANA; ++i) {
    NCB reset = {};
    reset.ncb_command = NCBRESET;
    reset.ncb_lana_num = lanas.lana[i];
    callNetbios(netbios, reset);

    // ADAPTER_STATUS followed by room for names: a 600-byte answer.
    BYTE status[600] = {0};
    NCB query = {};
    query.ncb_command = NCBASTAT;
    query.ncb_lana_num = lanas.lana[i];
    std::memset(query.ncb_callname, 0, sizeof query.ncb_callname);
    query.ncb_callname[0] = '*';
    query.ncb_buffer = status;
    query.ncb_length = sizeof status;
    if (callNetbios(netbios, query) == NRC_GOODRET) {
      const ADAPTER_STATUS* adapter = reinterpret_cast<const ADAPTER_STATUS*>(status);
      BYTE address[6];
      std::memcpy(address, adapter->adapter_address, 6);
      return formatNetbiosAdapterId(lanas.lana[i], address);
    }
  }
  return std::wstring();
}

std::wstring fromIpHelper() {
  SystemLibrary library(L"iphlpapi.dll");
  const auto getAdaptersInfo = library.function<GetAdaptersInfoFn>("GetAdaptersInfo");
  if (getAdaptersInfo == nullptr) return std::wstring();
  // The classic fixed buffer: room for a few adapters, zeroed.
  std::vector<BYTE> buffer(20736, 0);
  ULONG size = static_cast<ULONG>(buffer.size());
  auto* adapters = reinterpret_cast<PIP_ADAPTER_INFO>(buffer.data());
  if (getAdaptersInfo(adapters, &size) != ERROR_SUCCESS) return std::wstring();
  const UINT length = adapters->AddressLength < MAX_ADAPTER_ADDRESS_LENGTH
                          ? adapters->AddressLength
                          : MAX_ADAPTER_ADDRESS_LENGTH;
  return formatIpHelperAdapterId(adapters->Index, adapters->Address, length);
}

}  // namespace

std::wstring formatNetbiosAdapterId(int lana, const BYTE (&address)[6]) {
  wchar_t text[32] = {0};
  _snwprintf(text, 31, L"%02d%02X%02X%02X%02X%02X%02X", lana, address[0], address[1], address[2],
             address[3], address[4], address[5]);
  return text;
}

std::wstring formatIpHelperAdapterId(DWORD index, const BYTE* address, UINT length) {
  wchar_t part[16] = {0};
  _snwprintf(part, 15, L"%02d", static_cast<int>(index));
  std::wstring text = part;
  for (UINT i = 0; i < length; ++i) {
    _snwprintf(part, 15, L"%02X", address[i]);
    text += part;
  }
  return text;
}

std::wstring computeAdapterId() {
  const std::wstring netbios = fromNetbios();
  if (netbios != L"?") return netbios;
  return fromIpHelper();
}

std::wstring unixTimeText() {
  FILETIME now;
  ::GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER ticks;
  ticks.LowPart = now.dwLowDateTime;
  ticks.HighPart = now.dwHighDateTime;
  // 100 ns ticks since 1601 -> seconds since 1970.
  const ULONGLONG seconds = ticks.QuadPart / 10000000ULL - 11644473600ULL;
  return std::to_wstring(seconds);
}

}  // namespace kivo
