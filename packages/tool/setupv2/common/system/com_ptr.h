// Owning COM interface pointer and a scoped COM initialisation: every
// interface is released exactly once, on every path.
#pragma once

#include <objbase.h>

namespace kivo {

template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;

  T* get() const { return ptr_; }
  T* operator->() const { return ptr_; }
  explicit operator bool() const { return ptr_ != nullptr; }
  // For out-parameters of creation calls: releases what is held first.
  T** receive() {
    reset();
    return &ptr_;
  }
  void** receiveVoid() { return reinterpret_cast<void**>(receive()); }
  void reset() {
    if (ptr_ != nullptr) ptr_->Release();
    ptr_ = nullptr;
  }

 private:
  T* ptr_ = nullptr;
};

// CoInitialize for the current scope; uninitialises only what it
// initialised.
class ScopedComInit {
 public:
  ScopedComInit() : result_(::CoInitialize(nullptr)) {}
  ~ScopedComInit() {
    if (SUCCEEDED(result_)) ::CoUninitialize();
  }
  ScopedComInit(const ScopedComInit&) = delete;
  ScopedComInit& operator=(const ScopedComInit&) = delete;
  bool succeeded() const { return SUCCEEDED(result_); }

 private:
  HRESULT result_;
};

}  // namespace kivo
