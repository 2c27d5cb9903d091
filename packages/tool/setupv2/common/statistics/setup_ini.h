// setup.ini: the per-user key=value file (no sections, CR LF, system code
// page) that holds the machine identifier and the state flags left for the
// client. It lives in %APPDATA%\tarlan\kivomixer. Nothing locks it. The
// installer writes it; the uninstaller only reads the identifier.
#pragma once

#include <string>

namespace kivo {

// %APPDATA%\tarlan\kivomixer\setup.ini
std::wstring setupIniPath();

// Updates every line that holds |key| (the text after the key's last
// occurrence and its '=' becomes |value|) and rewrites the file; when no
// line holds it, appends "key=value". The file is created when missing.
void setIniValue(const std::wstring& key, const std::wstring& value,
                 const std::wstring& path = setupIniPath());

// The stored identifier (the text after the last '=' of the first line that
// holds "macId="), or empty.
std::wstring readMacId(const std::wstring& path = setupIniPath());

}  // namespace kivo
