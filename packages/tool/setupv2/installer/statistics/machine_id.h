// The per-user machine identifier that the statistics requests carry: an
// adapter part (from Netbios, or from the IP helper when Netbios cannot
// enumerate) followed by the time in seconds since 1970, no separator.
#pragma once

#include <windows.h>

#include <string>

namespace kivo {

// "%02d%02X%02X%02X%02X%02X%02X": LANA number, then the six address bytes.
std::wstring formatNetbiosAdapterId(int lana, const BYTE (&address)[6]);
// "%02d" adapter index, then every address byte as "%02X".
std::wstring formatIpHelperAdapterId(DWORD index, const BYTE* address, UINT length);

// The adapter part, or empty when no adapter answers.
std::wstring computeAdapterId();

// Seconds since 1 January 1970, in decimal.
std::wstring unixTimeText();

}  // namespace kivo
