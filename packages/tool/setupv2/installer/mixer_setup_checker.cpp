#include "installer/mixer_setup_checker.h"

#include "installer/setup_interfaces.h"

namespace kivo {

MixerSetupChecker::MixerSetupChecker(ISetupObserver* observer) : observer_(observer) {}

MixerSetupChecker::~MixerSetupChecker() { stop(); }

void MixerSetupChecker::run(void*) {
  // The single-instance test and the filter pre-extraction come with the
  // environment checks; until then every machine may be installed to.
  observer_->onCheckResult(CR_Success);
}

}  // namespace kivo
