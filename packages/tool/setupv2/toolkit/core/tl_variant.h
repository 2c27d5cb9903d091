// TlVariant: a typed value of 12 bytes, an 8-byte payload and a kind word.
//
// The kind word's low 30 bits hold the kind; bit 31 marks the value empty
// (default construction and clear() set it, storing a value clears it);
// bit 30 is the owner's own flag and survives assignment. Kinds 11 to 18
// keep their value in a heap copy that the payload points to.
//
// Reading: each getter takes an optional out-flag that says whether the
// stored kind matched; on a mismatch it gives zero, or for Rect the empty
// default (0, 0, -1, -1). An empty variant matches nothing, whatever kind
// it last held. The geometric kinds also read across their two forms
// (Rect/RectF, Point/PointF, Size/SizeF) and then report a match: integers
// widen exactly (a Rect's width is right - left + 1); doubles round to the
// nearest integer with halves upward, clamped to the 32-bit range (NaN
// reads as 0).
//
// Thread rules: one thread per value.
#pragma once

#include <cstdint>

#include "toolkit/core/tl_geometry.h"
#include "toolkit/core/tl_string.h"

// The meaning of kind 18 is left to its users: sixteen raw bytes.
struct TlBytes16 {
  unsigned char bytes[16] = {};
};

class TlVariant {
 public:
  enum Kind : std::uint32_t {
    Invalid = 0,
    Bool = 1,
    Char = 2,
    UChar = 3,
    Int = 4,
    UInt = 5,
    Double = 6,
    Float = 7,
    LongLong = 8,
    ULongLong = 9,
    Pointer = 10,
    RectFKind = 11,
    RectKind = 12,
    PointFKind = 13,
    PointKind = 14,
    SizeFKind = 15,
    SizeKind = 16,
    String = 17,
    Bytes16 = 18,
  };
  static constexpr std::uint32_t kEmptyFlag = 0x80000000u;
  static constexpr std::uint32_t kOwnerFlag = 0x40000000u;
  static constexpr std::uint32_t kKindMask = 0x3fffffffu;

  TlVariant() = default;
  TlVariant(const TlVariant& other);
  TlVariant& operator=(const TlVariant& other);
  ~TlVariant() { freePayload(); }

  Kind kind() const { return static_cast<Kind>(word_ & kKindMask); }
  bool isEmpty() const { return (word_ & kEmptyFlag) != 0; }
  bool ownerFlag() const { return (word_ & kOwnerFlag) != 0; }
  void setOwnerFlag(bool on) { word_ = on ? (word_ | kOwnerFlag) : (word_ & ~kOwnerFlag); }
  // Frees a heap copy and marks the value empty; the kind stays.
  void clear();

  void setBool(bool v);
  void setChar(std::int8_t v);
  void setUChar(std::uint8_t v);
  void setInt(std::int32_t v);
  void setUInt(std::uint32_t v);
  void setDouble(double v);
  void setFloat(float v);
  void setLongLong(std::int64_t v);
  void setULongLong(std::uint64_t v);
  void setPointer(void* v);
  void setRectF(const RectF& v);
  void setRect(const Rect& v);
  void setPointF(const PointF& v);
  void setPoint(const Point& v);
  void setSizeF(const SizeF& v);
  void setSize(const Size& v);
  void setString(const TlString& v);
  void setBytes16(const TlBytes16& v);

  bool toBool(bool* ok = nullptr) const;
  std::int8_t toChar(bool* ok = nullptr) const;
  std::uint8_t toUChar(bool* ok = nullptr) const;
  std::int32_t toInt(bool* ok = nullptr) const;
  std::uint32_t toUInt(bool* ok = nullptr) const;
  double toDouble(bool* ok = nullptr) const;
  float toFloat(bool* ok = nullptr) const;
  std::int64_t toLongLong(bool* ok = nullptr) const;
  std::uint64_t toULongLong(bool* ok = nullptr) const;
  void* toPointer(bool* ok = nullptr) const;
  RectF toRectF(bool* ok = nullptr) const;
  Rect toRect(bool* ok = nullptr) const;
  PointF toPointF(bool* ok = nullptr) const;
  Point toPoint(bool* ok = nullptr) const;
  SizeF toSizeF(bool* ok = nullptr) const;
  Size toSize(bool* ok = nullptr) const;
  TlString toString(bool* ok = nullptr) const;
  TlBytes16 toBytes16(bool* ok = nullptr) const;

  // The heap size of a kind's copy (0 for inline kinds).
  static unsigned heapSize(Kind kind);

 private:
  template <typename T> void setInline(Kind kind, const T& v);
  template <typename T> void setHeap(Kind kind, const T& v);
  template <typename T> bool readInline(Kind kind, T* out) const;
  template <typename T> bool readHeap(Kind kind, T* out) const;
  void* heap() const;
  void setHeapPointer(void* p);
  // Makes the payload a heap block for |kind|, reusing one of the same kind.
  void* prepareHeap(Kind kind);
  void freePayload();

  unsigned char payload_[8] = {};
  std::uint32_t word_ = kEmptyFlag;
};

static_assert(sizeof(TlVariant) == 12, "a variant is an 8-byte payload and a kind word");
