#include "common/system/system_library.h"

namespace kivo {

bool restrictDllSearchToSystem32() {
  return ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE;
}

SystemLibrary::SystemLibrary(const wchar_t* name)
    : module_(::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {}

}  // namespace kivo
