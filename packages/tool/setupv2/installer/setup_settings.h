// Values compiled into the installer. The hosts are build-time settings
// (CMake cache variables of the same names) so that tests can point them at
// a server on 127.0.0.1 and a release build at the real hosts.
#pragma once

#ifndef KIVO_DOWNLOAD_HOST
#define KIVO_DOWNLOAD_HOST L"http://download.kivomixer.com"
#endif

namespace kivo {

// The product version: the version directory, the registry values, the
// statistics request and the full-installer address all use it.
constexpr const wchar_t kProductVersion[] = L"3.1.0.5";

constexpr const wchar_t kDownloadHost[] = KIVO_DOWNLOAD_HOST;

}  // namespace kivo
