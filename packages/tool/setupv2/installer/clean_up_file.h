// Removal of what a previous installation left, run by the extraction
// worker before a wizard extraction (on the worker's thread).
#pragma once

#include <string>

namespace kivo {

// |installDirectory| ends with a backslash. Never fails: each step ignores
// its own failure.
void cleanUpFile(const std::wstring& installDirectory);

}  // namespace kivo
