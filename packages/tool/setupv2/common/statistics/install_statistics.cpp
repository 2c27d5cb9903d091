#include "common/statistics/install_statistics.h"

#include "common/http/wininet_http_base.h"

namespace kivo {

std::wstring statisticsAddress(const std::wstring& host, const std::wstring& macId,
                               const std::wstring& version, bool installed) {
  return host + L"/KivoMixerInstall.php?mac=" + macId + L"&version=" + version + L"&installed=" +
         (installed ? L"1" : L"0");
}

bool sendStatisticsRequest(const std::wstring& address) {
  CWinInetHttpBase http;
  if (!http.open()) return false;
  http.setCacheEnabled(false);
  const bool ok = http.request(address, L"", nullptr, 0, false);
  http.closeHandles();
  return ok;
}

}  // namespace kivo
