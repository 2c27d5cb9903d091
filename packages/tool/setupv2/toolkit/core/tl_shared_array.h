// The implicitly shared, reference-counted block behind TlString and
// TlByteArray.
//
// A value is one pointer to a block {reference count, capacity, length,
// pointer to the elements, inline elements with a terminating zero}. Copies
// share the block; any change first makes it unique. The process-wide empty
// block is static data: its count is pinned and it is never freed, so the
// default value costs no allocation and cannot be released by mistake.
//
// Thread rules: reference counts are plain integers. A value and its copies
// belong to one thread; only the empty block is touched from several, and
// that block's count is never written.
//
// Failure: when memory runs out a change leaves the value as it was.
#pragma once

#include <cstdint>
#include <cstring>

#include "toolkit/core/tl_alloc.h"

template <typename T>
class TlSharedArray {
 public:
  struct Block {
    std::int32_t ref;       // kPinned for the static empty block
    std::int32_t capacity;  // elements, not counting the terminating zero
    std::int32_t length;
    T* data;                // the inline elements that follow the header
  };

  // Longest value: keeps every size computation inside 32 bits.
  static constexpr std::int32_t kMaxLength =
      static_cast<std::int32_t>((0x7fffffff - sizeof(Block) - 8192) / sizeof(T)) - 1;

  TlSharedArray() : d_(emptyBlock()) {}
  TlSharedArray(const T* items, std::int32_t count) : d_(emptyBlock()) { append(items, count); }
  TlSharedArray(const TlSharedArray& other) : d_(other.d_) { retain(d_); }
  TlSharedArray(TlSharedArray&& other) noexcept : d_(other.d_) { other.d_ = emptyBlock(); }
  ~TlSharedArray() { release(d_); }

  TlSharedArray& operator=(const TlSharedArray& other) {
    Block* old = d_;
    retain(other.d_);  // first, so that self-assignment keeps the block alive
    d_ = other.d_;
    release(old);
    return *this;
  }
  TlSharedArray& operator=(TlSharedArray&& other) noexcept {
    if (this != &other) {
      release(d_);
      d_ = other.d_;
      other.d_ = emptyBlock();
    }
    return *this;
  }

  std::int32_t length() const { return d_->length; }
  std::int32_t capacity() const { return d_->capacity; }
  // Always zero-terminated.
  const T* data() const { return d_->data; }
  bool sharesBlockWith(const TlSharedArray& other) const { return d_ == other.d_; }
  bool usesEmptyBlock() const { return d_ == emptyBlock(); }

  // Writable elements; makes the block unique. Null only when memory ran
  // out while copying a shared block.
  T* mutableData() { return reserve(d_->length, false) ? d_->data : nullptr; }

  // |items| may point into this very value.
  void append(const T* items, std::int32_t count) {
    if (count <= 0 || items == nullptr) return;
    if (count > kMaxLength - d_->length) return;
    std::int32_t old = d_->length;
    // Appending a part of itself: the old block must outlive the copy.
    auto at = reinterpret_cast<std::uintptr_t>(items);
    bool aliased = at >= reinterpret_cast<std::uintptr_t>(d_->data) &&
                   at <= reinterpret_cast<std::uintptr_t>(d_->data + d_->capacity);
    Block* keep = d_;
    if (aliased) retain(keep);
    if (reserve(old + count, true)) {
      std::memcpy(d_->data + old, items, sizeof(T) * static_cast<std::size_t>(count));
      setLength(old + count);
    }
    if (aliased) release(keep);
  }

  // New length; added elements are zero. A negative length counts as 0.
  void resize(std::int32_t length) {
    if (length < 0) length = 0;
    if (length > kMaxLength) return;
    std::int32_t old = d_->length;
    if (length == old) return;
    if (length == 0 && d_->ref != kPinned && d_->ref > 1) {
      clear();
      return;
    }
    if (!reserve(length, false)) return;
    if (length > old) std::memset(d_->data + old, 0, sizeof(T) * static_cast<std::size_t>(length - old));
    setLength(length);
  }

  void clear() {
    release(d_);
    d_ = emptyBlock();
  }

 private:
  static constexpr std::int32_t kPinned = -1;

  static Block* emptyBlock() {
    static T zero[1] = {T()};
    static Block block = {kPinned, 0, 0, zero};
    return &block;
  }

  static void retain(Block* b) {
    if (b->ref != kPinned) ++b->ref;
  }
  static void release(Block* b) {
    if (b->ref != kPinned && --b->ref == 0) tlBlockFree(b);
  }

  // Unique block with room for |needed| elements. |grow| adds spare room
  // for repeated appends: up to 16 bytes for a block under 64 bytes, 64
  // under 4096, 4096 above.
  bool reserve(std::int32_t needed, bool grow) {
    bool unique = d_->ref == 1 && d_->data == inlineData(d_);
    if (unique && needed <= d_->capacity) return true;
    if (needed == 0 && d_->length == 0) return true;  // the empty block stays
    std::int32_t capacity = needed;
    if (grow) {
      std::size_t bytes = sizeof(Block) + sizeof(T) * (static_cast<std::size_t>(needed) + 1);
      std::size_t spare = bytes < 64 ? 16 : bytes < 4096 ? 64 : 4096;
      capacity += static_cast<std::int32_t>(spare / sizeof(T));
    }
    std::size_t size = sizeof(Block) + sizeof(T) * (static_cast<std::size_t>(capacity) + 1);
    Block* fresh = static_cast<Block*>(tlBlockAlloc(size));
    if (fresh == nullptr) return false;
    fresh->ref = 1;
    fresh->capacity = capacity;
    fresh->data = inlineData(fresh);
    std::int32_t keep = d_->length < needed ? d_->length : needed;
    std::memcpy(fresh->data, d_->data, sizeof(T) * static_cast<std::size_t>(keep));
    fresh->length = keep;
    fresh->data[keep] = T();
    release(d_);
    d_ = fresh;
    return true;
  }

  void setLength(std::int32_t length) {
    d_->length = length;
    d_->data[length] = T();
  }

  static T* inlineData(Block* b) { return reinterpret_cast<T*>(b + 1); }

  Block* d_;
};
