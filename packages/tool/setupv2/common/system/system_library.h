// The one way either program loads a DLL at run time.
//
// Only KnownDLLs may appear in the programs' import tables; everything else
// (wininet, version, netapi32, iphlpapi, ...) is loaded here, from System32
// only, so that a DLL planted beside an installer in a Downloads folder is
// never picked up.
#pragma once

#include <windows.h>

#include "common/system/win_handle.h"

namespace kivo {

// Restricts the process's DLL search to System32. Both entry points call it
// before anything else.
bool restrictDllSearchToSystem32();

class SystemLibrary {
 public:
  // |name| is a bare file name such as L"wininet.dll".
  explicit SystemLibrary(const wchar_t* name);

  bool loaded() const { return module_.valid(); }
  HMODULE module() const { return module_.get(); }

  // A typed entry point, or null when the library or the export is missing.
  template <typename Fn>
  Fn function(const char* exportName) const {
    if (!module_) return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module_.get(), exportName)));
  }

 private:
  UniqueModule module_;
};

}  // namespace kivo
