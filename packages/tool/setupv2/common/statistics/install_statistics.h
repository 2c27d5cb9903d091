// The statistics request that counts installations (installed=1) and
// removals (installed=0): one GET, its answer ignored.
#pragma once

#include <string>

// Where both programs report: a build-time setting (CMake cache variable
// KIVO_STATISTICS_HOST, see common/CMakeLists.txt) so that tests point it at
// a server on 127.0.0.1. Scheme and host, no trailing slash.
#ifndef KIVO_STATISTICS_HOST
#define KIVO_STATISTICS_HOST L"http://stat.kivomixer.com"
#endif

namespace kivo {

constexpr const wchar_t kStatisticsHost[] = KIVO_STATISTICS_HOST;

// host + "/KivoMixerInstall.php?mac=" + macId + "&version=" + version +
// "&installed=" + 0 or 1. The identifier is sent as stored (it only holds
// digits and upper-case hex).
std::wstring statisticsAddress(const std::wstring& host, const std::wstring& macId,
                               const std::wstring& version, bool installed);

// Sends the request (no cache, HTTP/1.0 GET) and waits for the answer.
bool sendStatisticsRequest(const std::wstring& address);

}  // namespace kivo
