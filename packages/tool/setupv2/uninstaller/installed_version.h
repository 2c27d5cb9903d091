// What an installation tells the uninstaller about itself: the product
// number of ProductInfo.txt and the version folder listed in Launcher.xml.
// Both files belong to the installed application; a missing or unreadable
// file gives the documented fallback, never an error.
#pragma once

#include <string>

namespace kivo {

// The product number from the first line of ProductInfo.txt (|line|: the
// bytes after the three-byte mark, UTF-8, "key=number"): the decimal number
// after the first '=' (leading blanks allowed, reading stops at the first
// non-digit); 1 when there is no '=' or the number is 0.
int productNumberFromLine(const std::string& line);

// The product number of the installation at |installDirectory| (with its
// trailing backslash): ProductInfo.txt in its per-installation data
// directory, read for update and shared; 1 when it cannot be opened.
int readProductNumber(const std::wstring& installDirectory);

// The version folder (relative to the install directory) of the first
// VersionInfo element of a Launcher.xml text (UTF-8, mark allowed): its
// attribute Path, else No, else version; empty when there is none or the
// value could leave the install directory (absolute, or with "..").
std::wstring versionFolderFromLauncher(const std::string& xml);

// The same, read from |installDirectory| + "Launcher.xml".
std::wstring readInstalledVersionFolder(const std::wstring& installDirectory);

}  // namespace kivo
