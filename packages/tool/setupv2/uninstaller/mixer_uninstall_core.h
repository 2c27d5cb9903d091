// The uninstaller's core: the install directory D, the two workers, the
// self-copy and restart, and the system-level removals outside D (filter
// registration, registry values, shortcuts) and the statistics request.
//
// Ownership: the core owns the checker and the cleaner; their destruction
// (stop flag, then a wait without time-out) happens in the core's
// destructor, so the process ends only after a running prepareUninstall or
// deletion has returned.
// Threads: setPath/setSilent/startCheck/startClean on the main thread;
// prepareUninstall on the thread that passed the check (or the main thread
// when silent); deleteRegeditInfo/deleteShortcuts on the cleaner thread or
// the main thread.
#pragma once

#include <memory>
#include <string>

#include "uninstaller/mixer_file_cleaner.h"
#include "uninstaller/mixer_uninstall_checker.h"
#include "uninstaller/uninstall_interfaces.h"

namespace kivo {

class MixerUninstallCore {
 public:
  explicit MixerUninstallCore(IUninstallObserver* observer);
  ~MixerUninstallCore();

  MixerUninstallCore(const MixerUninstallCore&) = delete;
  MixerUninstallCore& operator=(const MixerUninstallCore&) = delete;

  // Stores |dir| with a trailing backslash.
  void setPath(const std::wstring& dir);
  const std::wstring& path() const { return path_; }
  // A silent run: the workers report nothing from now on.
  void setSilent(bool silent);
  bool silent() const { return silent_ != 0; }

  // Runs the check for D, on a new thread or inline. While a check waits
  // for the answer to its running notice, a new call only lets it test
  // again (a waiting check is never stopped and replaced).
  void startCheck(bool newThread);
  // Runs the deletion of D, on a new thread or inline.
  void startClean(bool newThread);
  // Whether the deletion reached D's files (false when D was refused).
  bool cleanDeletionRan() const { return cleaner_->deletionRan(); }

  // Copies this program into a new GUID folder of the setup folder and
  // starts the copy with "-delete"/"-silencedelete" -path "D".
  void prepareUninstall();

  void unRegsvrAxComM();
  void deleteRegeditInfo();
  void deleteShortcuts();
  void sendInstallStastics();

  // The filter that unRegsvrAxComM unregisters: the registered AxFile when
  // it lies in D and exists, else D\3.3.0.0\KivoVirtualCam.ax.
  std::wstring filterPath() const;
  // regsvr32's command line for |filter|.
  static std::wstring unregisterCommand(const std::wstring& filter);
  // The parameters of the copy: "-delete"/"-silencedelete" -path "D".
  std::wstring copyParameters() const;

 private:
  unsigned char silent_ = 0;
  std::wstring path_;
  std::unique_ptr<MixerFileCleaner> cleaner_;
  std::unique_ptr<MixerUninstallChecker> checker_;
};

}  // namespace kivo
