// Process, window and privilege helpers shared by both programs. None of
// them writes to the log; every failure is absorbed into the result (false,
// null, an empty list). They keep no state and may run on any thread;
// enablePrivilege changes the process token, which all threads share.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kivo {

// Enables one privilege (e.g. L"SeDebugPrivilege") in this process's token
// for the rest of the process. True when it is now enabled.
bool enablePrivilege(const wchar_t* name);

// Lists the executable names (no path, in process-walk order, each process
// at most once) of the processes that have a module of the given base name
// loaded, ignoring case. False only when the process list cannot be read;
// processes whose module list cannot be read are skipped.
bool findProcessesWithModule(const wchar_t* moduleName, std::vector<std::wstring>& executables);

// The first top-level window of the process whose class name equals
// |className| ignoring case, or null. Child windows are not searched.
HWND findProcessWindow(DWORD processId, const wchar_t* className);

// Starts a program: with |argument| the command line is
// "program" "argument" (always quoted, even when empty or already quoted);
// without (null) it is the program path unchanged, so a path with blanks
// must then be quoted by the caller. At most 1,022 characters are used.
// Waits without a time-out for the program to end when |wait| is set.
void runProcess(const wchar_t* program, const wchar_t* argument, const wchar_t* workingDirectory, bool wait);

// The command line runProcess builds (exposed for tests).
std::wstring processCommandLine(const wchar_t* program, const wchar_t* argument);

// The full path of a process's executable (its first module), or empty
// when its modules cannot be read.
std::wstring processImagePath(DWORD processId);

}  // namespace kivo
