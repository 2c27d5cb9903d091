// Starts a program for the uninstaller: its own copy and installstat.exe.
#pragma once

#include <string>

namespace kivo {

// CreateProcessW with |application| as the application name and
// |parameters| alone as the command line (the program name is not repeated
// in it; at most 4,095 characters are used); no handle inheritance, the
// caller's environment and current directory. With |wait|, waits up to
// 10,000 ms for the program to end. Failures are only logged. Any thread.
void runExeFile(const std::wstring& application, const std::wstring& parameters, bool wait);

}  // namespace kivo
