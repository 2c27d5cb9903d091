// File and directory operations shared by the installer and the
// uninstaller. None of them throws or shows anything: each reports through
// its result, and the copies write one log line per operation. Paths are
// bounded by the 260-unit Win32 buffers.
#pragma once

#include <windows.h>

#include <string>

#include "common/text/path_text.h"
#include "common/text/wide.h"

namespace kivo {

// Files and directories alike.
bool fileExists(const WString& path);

// CopyFileW with overwrite. |inUse| is set when the destination (or the
// source) was held by another process (ERROR_SHARING_VIOLATION).
bool copyFile(const WString& source, const WString& destination, bool& inUse);

// Copies a tree file by file; one failure does not stop the walk. A source
// that cannot be enumerated counts as empty.
bool copyDirectory(const WString& source, const WString& destination);

// Creates |path| and any missing parents; false at the first failure, or
// when no existing ancestor is found (a missing drive).
bool createDirectoryTree(const WString& path);

// Bytes of all files below |path| (links to directories are not followed).
ULONGLONG treeBytes(const WString& path);

// Deletes what it can below |path| and |path| itself; read-only files and
// files in use stay.
void deleteDirectoryTree(const WString& path);

// Moves a busy file aside to |path|.old (replacing an old one); 0 on success,
// otherwise a Win32 error code (never 0).
DWORD renameToOld(const WString& path);

// PathAppendW in a 260-unit buffer; |path| is unchanged on failure.
bool appendPath(WString& path, const WString& component);

// 32 lower-case hex digits: MD5 of the normalized path in the ANSI code
// page; empty when that form is empty.
WString pathKey(const WString& installDirectory);

// %APPDATA%\tarlan\kivomixer (no trailing backslash), created if missing.
WString userDataDirectory();

// The per-installation data directory: the user data directory text
// followed directly by the path key and a backslash (a sibling of the user
// data directory, not a child); created if missing.
WString dataDirectoryFor(const WString& installDirectory);

// Whether a user-typed install directory is acceptable: a well-formed path
// on a drive that exists and has free space for the caller.
bool isValidInstallPath(const WString& path);

// Free space for the caller on the path's drive in MiB; 0 when unknown.
double freeMegabytes(const WString& path);

// Code-page conversions. A null input or a negative length other than -1
// gives an empty result; with -1 the terminating zero is not kept.
std::string toAnsi(const wchar_t* text, int length = -1, UINT codePage = CP_ACP);
WString toWide(const char* text, int length = -1, UINT codePage = CP_ACP);

}  // namespace kivo
