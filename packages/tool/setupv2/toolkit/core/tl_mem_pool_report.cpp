#include "toolkit/core/tl_debug_line.h"
#include "toolkit/core/tl_mem_pool.h"

void tlStandardPoolReport(const wchar_t* message) {
  tlWriteDebugLine(message);
  MessageBoxW(nullptr, message, L"mem pool error dectect!", MB_OK | MB_ICONERROR | MB_SERVICE_NOTIFICATION);
  // Without a debugger the breakpoint would end the program; the pool has
  // already kept itself consistent, so only a listening debugger stops here.
  if (IsDebuggerPresent()) DebugBreak();
}
