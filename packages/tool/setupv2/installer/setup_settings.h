// Values compiled into the installer. The hosts are build-time settings
// (CMake cache variables of the same names, see installer/CMakeLists.txt)
// so that tests can point them at a server on 127.0.0.1 and a release build
// at the real hosts. Each is a scheme and host without a trailing slash.
#pragma once

#ifndef KIVO_PUBLISHER_SITE
#define KIVO_PUBLISHER_SITE L"http://www.kivomixer.com"
#endif
#ifndef KIVO_PORTAL_HOST
#define KIVO_PORTAL_HOST L"http://www.tarlan.com"
#endif
#ifndef KIVO_DOWNLOAD_HOST
#define KIVO_DOWNLOAD_HOST L"http://download.kivomixer.com"
#endif
#ifndef KIVO_FORUM_HOST
#define KIVO_FORUM_HOST L"http://bbs.kivomixer.com"
#endif

namespace kivo {

// The product version: the version directory, the registry values, the
// statistics request and the full-installer address all use it.
constexpr const wchar_t kProductVersion[] = L"3.1.0.5";

// The publisher's web site: the uninstall entry's URLInfoAbout and the
// browser start page.
constexpr const wchar_t kPublisherSite[] = KIVO_PUBLISHER_SITE;
// The portal whose "/index3.html" becomes the favourites link.
constexpr const wchar_t kPortalHost[] = KIVO_PORTAL_HOST;
// The full installer download.
constexpr const wchar_t kDownloadHost[] = KIVO_DOWNLOAD_HOST;
// The help pages the check window links to.
constexpr const wchar_t kForumHost[] = KIVO_FORUM_HOST;
// The statistics host is shared with the uninstaller: kStatisticsHost in
// common/statistics/install_statistics.h.

}  // namespace kivo
