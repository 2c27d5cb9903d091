// Owning wrappers for Win32 handles. Each closes what it holds exactly once;
// none can be copied, all can be moved.
#pragma once

#include <windows.h>

#include <utility>

namespace kivo {

template <typename Traits>
class ScopedHandle {
 public:
  using Handle = typename Traits::Handle;

  ScopedHandle() : handle_(Traits::invalid()) {}
  explicit ScopedHandle(Handle handle) : handle_(handle) {}
  ~ScopedHandle() { reset(); }

  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.release()) {}
  ScopedHandle& operator=(ScopedHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  bool valid() const { return Traits::isValid(handle_); }
  explicit operator bool() const { return valid(); }
  Handle get() const { return handle_; }

  Handle release() {
    Handle h = handle_;
    handle_ = Traits::invalid();
    return h;
  }

  void reset(Handle handle = Traits::invalid()) {
    if (Traits::isValid(handle_)) Traits::close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_;
};

// Kernel objects: CreateFile reports failure with INVALID_HANDLE_VALUE, most
// other calls with NULL; both count as "no handle".
struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle invalid() { return nullptr; }
  static bool isValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void close(Handle h) { ::CloseHandle(h); }
};

struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle invalid() { return INVALID_HANDLE_VALUE; }
  static bool isValid(Handle h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
  static void close(Handle h) { ::FindClose(h); }
};

struct ModuleTraits {
  using Handle = HMODULE;
  static Handle invalid() { return nullptr; }
  static bool isValid(Handle h) { return h != nullptr; }
  static void close(Handle h) { ::FreeLibrary(h); }
};

using UniqueHandle = ScopedHandle<KernelHandleTraits>;
using UniqueFindHandle = ScopedHandle<FindHandleTraits>;
using UniqueModule = ScopedHandle<ModuleTraits>;

}  // namespace kivo
