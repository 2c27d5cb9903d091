#include "toolkit/core/tl_debug_line.h"

#include <windows.h>

#include <stdio.h>
#include <wchar.h>

#include <string>

namespace {
TlDebugSink volatile g_sink = nullptr;
}

TlDebugSink tlSetDebugSink(TlDebugSink sink) {
  TlDebugSink previous = g_sink;
  g_sink = sink;
  return previous;
}

void tlWriteDebugLine(const wchar_t* message) {
  if (message == nullptr) message = L"";
  if (TlDebugSink sink = g_sink) {
    sink(message);
    return;
  }
  fputws(L"Debug: ", stdout);
  fputws(message, stdout);
  fputws(L"\n", stdout);
  fflush(stdout);
  std::wstring line(message);
  line += L"\n";
  OutputDebugStringW(line.c_str());
}
