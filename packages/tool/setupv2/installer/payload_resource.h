// The installer's embedded payload: resource 101 of type "ZIP" (looked up
// as "zip"; resource names ignore case), read in place from the mapped
// image. Released when the object goes.
#pragma once

#include <windows.h>

#include <cstddef>

namespace kivo {

class PayloadResource {
 public:
  PayloadResource() = default;
  ~PayloadResource();
  PayloadResource(const PayloadResource&) = delete;
  PayloadResource& operator=(const PayloadResource&) = delete;

  // Finds and loads the payload of |module| (null: this program). Writes
  // the documented log line and answers false when it is missing or
  // cannot be loaded.
  bool load(HMODULE module);

  const unsigned char* bytes() const { return bytes_; }
  size_t size() const { return size_; }

 private:
  HGLOBAL global_ = nullptr;
  const unsigned char* bytes_ = nullptr;
  size_t size_ = 0;
};

}  // namespace kivo
