#include "installer/mixer_setup_decompressor.h"

#include "installer/setup_interfaces.h"

namespace kivo {

MixerSetupDecompressor::MixerSetupDecompressor(ISetupObserver* observer) : observer_(observer) {}

MixerSetupDecompressor::~MixerSetupDecompressor() { stop(); }

void MixerSetupDecompressor::run(void*) {
  // The payload extraction fills this in; until then the (empty) payload
  // counts as laid down.
  observer_->onDecompressFinish(DR_Success);
}

void MixerSetupDecompressor::extractCheckFile(const std::wstring&) {
  // Filled in with the payload extraction.
}

}  // namespace kivo
