// The worker that removes the installed files (run models 2 and 3): it
// starts installstat.exe with the removal marker, ends the programs that run
// from the install directory D, deletes D's whole content file by file and
// then D itself.
//
// Before any of that, D must plainly be an installation of this product
// (install_guard.h); otherwise the run is logged and nothing is touched;
// the finish notice is still given (so a window can end), with
// deletionRan() false.
//
// Thread rules: execute() runs on the cleaner thread (model 2) or inline on
// the main thread (model 3); the observer is called on that thread. The
// stop flag is not polled: a stop waits for the whole deletion.
#pragma once

#include <string>

#include "common/setup_thread.h"
#include "uninstaller/uninstall_interfaces.h"

namespace kivo {

class MixerFileCleaner : public SetupThread {
 public:
  explicit MixerFileCleaner(IUninstallObserver* observer) : observer_(observer) {}
  ~MixerFileCleaner() override { stop(); }

  void setObserver(IUninstallObserver* observer) { observer_ = observer; }
  // An empty text keeps the previous directory.
  void setPath(const std::wstring& path);
  const std::wstring& path() const { return path_; }

  // Whether the last run reached the deletion (D was ours). Read after the
  // run has ended.
  bool deletionRan() const { return deletionRan_; }

  // "|3.3.0.0|n|u|" in double quotes.
  static std::wstring installstatParameters(int productNumber);

  // Reports so far in this process (never reset).
  static int progressCount();

 protected:
  void run(void* argument) override;

 private:
  void execute();
  void report(const std::wstring& text);
  void _startInstallstat();
  void _closeInstalledPrograms();
  void _deleteDirectory(const std::wstring& dir);

  std::wstring path_;
  IUninstallObserver* observer_;
  bool deletionRan_ = false;
};

}  // namespace kivo
