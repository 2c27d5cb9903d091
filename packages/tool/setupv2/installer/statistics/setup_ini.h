// setup.ini access (shared with the uninstaller, in common) and the one
// operation only the installer has: making the machine identifier.
#pragma once

#include <string>

#include "common/statistics/setup_ini.h"

namespace kivo {

// Makes and stores the identifier once per user: adapter part + time.
void ensureMacId(const std::wstring& path = setupIniPath());

}  // namespace kivo
