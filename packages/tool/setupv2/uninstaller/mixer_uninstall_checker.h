// The check before anything is removed: the mixer application must not be
// running, and no program may have the virtual camera filter loaded.
//
// Thread rules: execute() runs on the checker thread (model 0) and calls
// the observer there. retry() is called by the UI thread while the check
// waits for the user's answer to the running notice; the stop flag (set by
// the core's destruction) ends a waiting check. A check that fails ends the
// whole process with exit code 0.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "common/setup_thread.h"
#include "uninstaller/uninstall_interfaces.h"

namespace kivo {

class MixerUninstallChecker : public SetupThread {
 public:
  explicit MixerUninstallChecker(IUninstallObserver* observer) : observer_(observer) {}
  ~MixerUninstallChecker() override { stop(); }

  void setObserver(IUninstallObserver* observer) { observer_ = observer; }
  void setPath(const std::wstring& path) { path_ = path; }

  // The user answered the running notice with "重试": test again.
  void retry() { ::InterlockedExchange(&retry_, 1); }
  // Whether the check is waiting for that answer (a new "确定"/"重试" then
  // only sets the retry flag instead of starting a second check).
  bool waitingForAnswer() const { return waiting_ != 0; }

  // The notice for programs that use the filter, one name per line.
  static std::wstring virtualCamNotice(const std::vector<std::wstring>& executables);

  // What ends the process when the check fails; tests replace it.
  void setFailAction(void (*fail)()) { fail_ = fail; }

 protected:
  void run(void* argument) override;

 private:
  bool execute();
  bool _isKivoMixerRunning();
  bool _isVirtualCamInUse(std::wstring& text);
  static void terminateSelf();

  volatile LONG retry_ = 0;
  std::wstring path_;
  IUninstallObserver* observer_;
  volatile LONG waiting_ = 0;
  void (*fail_)() = &MixerUninstallChecker::terminateSelf;
};

}  // namespace kivo
