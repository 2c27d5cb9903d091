// Values compiled into the uninstaller.
#pragma once

#include "common/statistics/install_statistics.h"

namespace kivo {

// The uninstaller's own version: sent in its statistics request and passed
// to installstat.exe; also the version folder it falls back to when the
// installation does not say which one it has.
constexpr const wchar_t kUninstallVersion[] = L"3.3.0.0";

}  // namespace kivo
