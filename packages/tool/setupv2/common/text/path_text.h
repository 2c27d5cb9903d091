// Text-only path helpers shared by the installer and the uninstaller.
// None of them touches the file system, so they build and are tested
// natively as well.
#pragma once

#include "common/text/wide.h"

namespace kivo {

// Removes leading and trailing space characters (only U+0020).
void trimBlanks(WString& text);

// True if the text holds any of / : * ? " < > |
bool hasInvalidPathChar(const WString& text);

// The form used to compare install directories: letters a-z upper-cased,
// slashes turned into backslashes, runs of backslashes folded into one,
// no leading or trailing backslash. d:/games//mixer/ -> D:\GAMES\MIXER
WString normalizePath(const WString& path);

// The parent of a path: one trailing separator is dropped, then the text is
// cut after the last backslash (or, with none, after the last slash),
// keeping that separator. C:\a\b -> C:\a\ ; C:\a\ -> C:\ ; C:\ has none.
bool parentOf(const WString& path, WString& parent);

// The part of the install-directory test that needs no disk: on success
// |driveRoot| is the first three characters of the normalized path (C:\),
// which the caller still has to find on a real drive.
bool isWellFormedInstallPath(const WString& path, WString& driveRoot);

}  // namespace kivo
