// The uninstaller's last line of defence: the directory it is about to
// empty came from a command line or from wherever Uninstall.exe happened to
// lie. It is removed only when it plainly is an installation of this
// product.
#pragma once

#include <string>

namespace kivo {

// Whether |directory| (with or without a trailing backslash) may be
// deleted: it must not be a drive root, nor a system or shell folder, nor a
// user profile or a folder that holds one, and it must hold Launcher.xml or
// a version folder (a name of digits and dots) with KivoMixer.exe. When the
// answer is no, |reason| says why in a few words for the log.
bool isRemovableInstallation(const std::wstring& directory, std::wstring& reason);

}  // namespace kivo
