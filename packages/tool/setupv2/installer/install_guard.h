// Whether a directory is plainly an installation of this product, and so
// may be removed as a whole: it holds our Launcher.xml, or a version
// directory with KivoMixer.exe, and it is not a drive root, a system or
// shell folder, or a user profile. Anything else may hold a user's files.
#pragma once

#include <string>

namespace kivo {

// |why| receives the reason when the answer is false.
bool isRemovableInstallation(const std::wstring& directory, std::wstring* why);

}  // namespace kivo
