#include "installer/payload_resource.h"

#include "common/log/log_file.h"

namespace kivo {

PayloadResource::~PayloadResource() {
  if (global_ != nullptr) ::FreeResource(global_);
}

bool PayloadResource::load(HMODULE module) {
  HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(101), L"zip");
  if (found == nullptr) {
    logPrintf(L"MixerSetupDecompressor::_load7zDataFromResource, Find resource(kivo.7z) fail.");
    return false;
  }
  global_ = ::LoadResource(module, found);
  if (global_ == nullptr) {
    logPrintf(L"MixerSetupDecompressor::_load7zDataFromResource, Load resource(kivo.7z) fail.");
    return false;
  }
  size_ = ::SizeofResource(module, found);
  bytes_ = static_cast<const unsigned char*>(::LockResource(global_));
  if (bytes_ == nullptr) size_ = 0;
  return true;
}

}  // namespace kivo
