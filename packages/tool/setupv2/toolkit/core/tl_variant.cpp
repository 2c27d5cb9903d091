#include "toolkit/core/tl_variant.h"

#include <cmath>
#include <cstring>
#include <new>

#include "toolkit/core/tl_alloc.h"

namespace {

// Nearest integer, halves upward, kept inside 32 bits.
std::int32_t roundToInt(double v) {
  if (std::isnan(v)) return 0;
  double r = std::floor(v + 0.5);
  if (r >= 2147483647.0) return 2147483647;
  if (r <= -2147483648.0) return -2147483647 - 1;
  return static_cast<std::int32_t>(r);
}

std::int32_t clampToInt(std::int64_t v) {
  if (v > 2147483647) return 2147483647;
  if (v < -2147483647 - 1) return -2147483647 - 1;
  return static_cast<std::int32_t>(v);
}

bool isHeapKind(std::uint32_t kind) { return kind >= TlVariant::RectFKind && kind <= TlVariant::Bytes16; }

}  // namespace

unsigned TlVariant::heapSize(Kind kind) {
  switch (kind) {
    case RectFKind: return sizeof(RectF);
    case RectKind: return sizeof(Rect);
    case PointFKind: return sizeof(PointF);
    case PointKind: return sizeof(Point);
    case SizeFKind: return sizeof(SizeF);
    case SizeKind: return sizeof(Size);
    case String: return sizeof(TlString);
    case Bytes16: return sizeof(TlBytes16);
    default: return 0;
  }
}

void* TlVariant::heap() const {
  void* p;
  std::memcpy(&p, payload_, sizeof p);
  return p;
}

void TlVariant::setHeapPointer(void* p) {
  std::memset(payload_, 0, sizeof payload_);
  std::memcpy(payload_, &p, sizeof p);
}

void TlVariant::freePayload() {
  if (!isHeapKind(kind())) return;
  void* p = heap();
  if (p == nullptr) return;
  if (kind() == String) static_cast<TlString*>(p)->~TlString();
  tlBlockFree(p);
  setHeapPointer(nullptr);
}

void TlVariant::clear() {
  freePayload();
  word_ |= kEmptyFlag;
}

void* TlVariant::prepareHeap(Kind k) {
  if (kind() == k && heap() != nullptr) return heap();
  freePayload();
  void* p = tlBlockAlloc(heapSize(k));
  if (p != nullptr && k == String) new (p) TlString();
  setHeapPointer(p);
  return p;
}

template <typename T>
void TlVariant::setInline(Kind k, const T& v) {
  freePayload();
  std::memset(payload_, 0, sizeof payload_);
  std::memcpy(payload_, &v, sizeof v);
  word_ = (word_ & kOwnerFlag) | k;
}

template <typename T>
void TlVariant::setHeap(Kind k, const T& v) {
  void* p = prepareHeap(k);
  std::uint32_t empty = p == nullptr ? kEmptyFlag : 0;
  word_ = (word_ & kOwnerFlag) | empty | k;
  if (p != nullptr) std::memcpy(p, &v, sizeof v);
}

template <typename T>
bool TlVariant::readInline(Kind k, T* out) const {
  if (isEmpty() || kind() != k) return false;
  std::memcpy(out, payload_, sizeof *out);
  return true;
}

template <typename T>
bool TlVariant::readHeap(Kind k, T* out) const {
  if (isEmpty() || kind() != k || heap() == nullptr) return false;
  std::memcpy(out, heap(), sizeof *out);
  return true;
}

TlVariant::TlVariant(const TlVariant& other) { *this = other; }

TlVariant& TlVariant::operator=(const TlVariant& other) {
  if (this == &other) return *this;
  Kind k = other.kind();
  if (!isHeapKind(k)) {
    freePayload();
    std::memcpy(payload_, other.payload_, sizeof payload_);
  } else if (other.heap() == nullptr) {
    freePayload();  // the source holds no copy (it was cleared)
  } else if (k == String) {
    void* p = prepareHeap(k);
    if (p != nullptr) *static_cast<TlString*>(p) = *static_cast<const TlString*>(other.heap());
  } else {
    void* p = prepareHeap(k);
    if (p != nullptr) std::memcpy(p, other.heap(), heapSize(k));
  }
  std::uint32_t empty = other.word_ & kEmptyFlag;
  if (isHeapKind(k) && heap() == nullptr) empty = kEmptyFlag;
  word_ = (word_ & kOwnerFlag) | empty | k;
  return *this;
}

void TlVariant::setBool(bool v) { setInline(Bool, v); }
void TlVariant::setChar(std::int8_t v) { setInline(Char, v); }
void TlVariant::setUChar(std::uint8_t v) { setInline(UChar, v); }
void TlVariant::setInt(std::int32_t v) { setInline(Int, v); }
void TlVariant::setUInt(std::uint32_t v) { setInline(UInt, v); }
void TlVariant::setDouble(double v) { setInline(Double, v); }
void TlVariant::setFloat(float v) { setInline(Float, v); }
void TlVariant::setLongLong(std::int64_t v) { setInline(LongLong, v); }
void TlVariant::setULongLong(std::uint64_t v) { setInline(ULongLong, v); }
void TlVariant::setPointer(void* v) { setInline(Pointer, v); }
void TlVariant::setRectF(const RectF& v) { setHeap(RectFKind, v); }
void TlVariant::setRect(const Rect& v) { setHeap(RectKind, v); }
void TlVariant::setPointF(const PointF& v) { setHeap(PointFKind, v); }
void TlVariant::setPoint(const Point& v) { setHeap(PointKind, v); }
void TlVariant::setSizeF(const SizeF& v) { setHeap(SizeFKind, v); }
void TlVariant::setSize(const Size& v) { setHeap(SizeKind, v); }
void TlVariant::setBytes16(const TlBytes16& v) { setHeap(Bytes16, v); }

void TlVariant::setString(const TlString& v) {
  TlString keep(v);  // |v| may live in this variant's own payload
  void* p = prepareHeap(String);
  word_ = (word_ & kOwnerFlag) | (p == nullptr ? kEmptyFlag : 0) | String;
  if (p != nullptr) *static_cast<TlString*>(p) = keep;
}

namespace {
template <typename T>
T report(bool matched, const T& value, bool* ok) {
  if (ok != nullptr) *ok = matched;
  return matched ? value : T();
}
}  // namespace

#define TL_INLINE_GETTER(Type, Name, KindName) \
  Type TlVariant::Name(bool* ok) const {       \
    Type v{};                                  \
    bool m = readInline(KindName, &v);         \
    return report(m, v, ok);                   \
  }

TL_INLINE_GETTER(bool, toBool, Bool)
TL_INLINE_GETTER(std::int8_t, toChar, Char)
TL_INLINE_GETTER(std::uint8_t, toUChar, UChar)
TL_INLINE_GETTER(std::int32_t, toInt, Int)
TL_INLINE_GETTER(std::uint32_t, toUInt, UInt)
TL_INLINE_GETTER(double, toDouble, Double)
TL_INLINE_GETTER(float, toFloat, Float)
TL_INLINE_GETTER(std::int64_t, toLongLong, LongLong)
TL_INLINE_GETTER(std::uint64_t, toULongLong, ULongLong)
TL_INLINE_GETTER(void*, toPointer, Pointer)
#undef TL_INLINE_GETTER

TlBytes16 TlVariant::toBytes16(bool* ok) const {
  TlBytes16 v;
  return report(readHeap(Bytes16, &v), v, ok);
}

TlString TlVariant::toString(bool* ok) const {
  bool m = !isEmpty() && kind() == String && heap() != nullptr;
  if (ok != nullptr) *ok = m;
  return m ? *static_cast<const TlString*>(heap()) : TlString();
}

RectF TlVariant::toRectF(bool* ok) const {
  RectF f;
  Rect r;
  if (readHeap(RectFKind, &f)) return report(true, f, ok);
  if (readHeap(RectKind, &r)) {
    f.x = r.left;
    f.y = r.top;
    f.width = static_cast<double>(r.right) - r.left + 1;
    f.height = static_cast<double>(r.bottom) - r.top + 1;
    return report(true, f, ok);
  }
  return report(false, f, ok);
}

Rect TlVariant::toRect(bool* ok) const {
  Rect r;
  RectF f;
  if (readHeap(RectKind, &r)) return report(true, r, ok);
  bool matched = readHeap(RectFKind, &f);
  if (matched) {
    std::int32_t x = roundToInt(f.x), y = roundToInt(f.y);
    r.left = x;
    r.top = y;
    r.right = clampToInt(static_cast<std::int64_t>(x) + roundToInt(f.width) - 1);
    r.bottom = clampToInt(static_cast<std::int64_t>(y) + roundToInt(f.height) - 1);
  }
  if (ok != nullptr) *ok = matched;
  return matched ? r : Rect();
}

PointF TlVariant::toPointF(bool* ok) const {
  PointF f;
  Point p;
  if (readHeap(PointFKind, &f)) return report(true, f, ok);
  if (readHeap(PointKind, &p)) return report(true, PointF{double(p.x), double(p.y)}, ok);
  return report(false, f, ok);
}

Point TlVariant::toPoint(bool* ok) const {
  Point p;
  PointF f;
  if (readHeap(PointKind, &p)) return report(true, p, ok);
  if (readHeap(PointFKind, &f)) return report(true, Point{roundToInt(f.x), roundToInt(f.y)}, ok);
  return report(false, p, ok);
}

SizeF TlVariant::toSizeF(bool* ok) const {
  SizeF f;
  Size s;
  if (readHeap(SizeFKind, &f)) return report(true, f, ok);
  if (readHeap(SizeKind, &s)) return report(true, SizeF{double(s.width), double(s.height)}, ok);
  return report(false, f, ok);
}

Size TlVariant::toSize(bool* ok) const {
  Size s;
  SizeF f;
  if (readHeap(SizeKind, &s)) return report(true, s, ok);
  if (readHeap(SizeFKind, &f)) return report(true, Size{roundToInt(f.width), roundToInt(f.height)}, ok);
  return report(false, s, ok);
}
