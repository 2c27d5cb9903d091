#include "toolkit/core/tl_variant.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <vector>

namespace {

// One row per kind: store a value, read it back with the kind's own getter,
// and read it with a getter of another kind.
struct KindCase {
  const char* name;
  TlVariant::Kind kind;
  std::function<void(TlVariant&)> store;
  std::function<bool(const TlVariant&)> readsBack;  // own getter: value and flag
  std::function<bool(const TlVariant&)> mismatchGivesDefault;  // a foreign getter
};

template <typename T>
bool same(const T& got, const T& want, const bool& ok) { return ok && got == want; }

std::vector<KindCase> kindCases() {
  static int target = 7;
  TlBytes16 raw;
  for (int i = 0; i < 16; ++i) raw.bytes[i] = static_cast<unsigned char>(i * 17);
  auto noInt = [](const TlVariant& v) { bool ok = true; return v.toInt(&ok) == 0 && !ok; };
  auto noRect = [](const TlVariant& v) { bool ok = true; return v.toRect(&ok) == Rect() && !ok; };
  return {
      {"bool", TlVariant::Bool, [](TlVariant& v) { v.setBool(true); },
       [](const TlVariant& v) { bool ok; return same(v.toBool(&ok), true, ok); }, noInt},
      {"char", TlVariant::Char, [](TlVariant& v) { v.setChar(-5); },
       [](const TlVariant& v) { bool ok; return same<std::int8_t>(v.toChar(&ok), -5, ok); }, noInt},
      {"uchar", TlVariant::UChar, [](TlVariant& v) { v.setUChar(250); },
       [](const TlVariant& v) { bool ok; return same<std::uint8_t>(v.toUChar(&ok), 250, ok); }, noInt},
      {"int", TlVariant::Int, [](TlVariant& v) { v.setInt(-123456); },
       [](const TlVariant& v) { bool ok; return same(v.toInt(&ok), -123456, ok); },
       [](const TlVariant& v) { bool ok = true; return v.toUInt(&ok) == 0u && !ok; }},
      {"uint", TlVariant::UInt, [](TlVariant& v) { v.setUInt(4000000000u); },
       [](const TlVariant& v) { bool ok; return same(v.toUInt(&ok), 4000000000u, ok); }, noInt},
      {"double", TlVariant::Double, [](TlVariant& v) { v.setDouble(-2.5e300); },
       [](const TlVariant& v) { bool ok; return same(v.toDouble(&ok), -2.5e300, ok); },
       [](const TlVariant& v) { bool ok = true; return v.toFloat(&ok) == 0.0f && !ok; }},
      {"float", TlVariant::Float, [](TlVariant& v) { v.setFloat(1.25f); },
       [](const TlVariant& v) { bool ok; return same(v.toFloat(&ok), 1.25f, ok); },
       [](const TlVariant& v) { bool ok = true; return v.toDouble(&ok) == 0.0 && !ok; }},
      {"int64", TlVariant::LongLong, [](TlVariant& v) { v.setLongLong(-(1LL << 60)); },
       [](const TlVariant& v) { bool ok; return same<std::int64_t>(v.toLongLong(&ok), -(1LL << 60), ok); },
       [](const TlVariant& v) { bool ok = true; return v.toULongLong(&ok) == 0u && !ok; }},
      {"uint64", TlVariant::ULongLong, [](TlVariant& v) { v.setULongLong(~0ULL); },
       [](const TlVariant& v) { bool ok; return same<std::uint64_t>(v.toULongLong(&ok), ~0ULL, ok); },
       [](const TlVariant& v) { bool ok = true; return v.toLongLong(&ok) == 0 && !ok; }},
      {"pointer", TlVariant::Pointer, [](TlVariant& v) { v.setPointer(&target); },
       [](const TlVariant& v) { bool ok; return same<void*>(v.toPointer(&ok), &target, ok); }, noInt},
      {"rectf", TlVariant::RectFKind, [](TlVariant& v) { v.setRectF({1.5, -2, 30.25, 40}); },
       [](const TlVariant& v) { bool ok; return same(v.toRectF(&ok), RectF{1.5, -2, 30.25, 40}, ok); },
       [](const TlVariant& v) { bool ok = true; return v.toPointF(&ok) == PointF() && !ok; }},
      {"rect", TlVariant::RectKind, [](TlVariant& v) { v.setRect({-3, 4, 10, 20}); },
       [](const TlVariant& v) { bool ok; return same(v.toRect(&ok), Rect{-3, 4, 10, 20}, ok); },
       [](const TlVariant& v) { bool ok = true; return v.toSize(&ok) == Size() && !ok; }},
      {"pointf", TlVariant::PointFKind, [](TlVariant& v) { v.setPointF({0.5, 1e9}); },
       [](const TlVariant& v) { bool ok; return same(v.toPointF(&ok), PointF{0.5, 1e9}, ok); }, noRect},
      {"point", TlVariant::PointKind, [](TlVariant& v) { v.setPoint({-7, 8}); },
       [](const TlVariant& v) { bool ok; return same(v.toPoint(&ok), Point{-7, 8}, ok); }, noRect},
      {"sizef", TlVariant::SizeFKind, [](TlVariant& v) { v.setSizeF({3.75, 4}); },
       [](const TlVariant& v) { bool ok; return same(v.toSizeF(&ok), SizeF{3.75, 4}, ok); }, noRect},
      {"size", TlVariant::SizeKind, [](TlVariant& v) { v.setSize({640, 480}); },
       [](const TlVariant& v) { bool ok; return same(v.toSize(&ok), Size{640, 480}, ok); }, noRect},
      {"string", TlVariant::String, [](TlVariant& v) { v.setString(TlString(KW("伴侣"))); },
       [](const TlVariant& v) { bool ok; return same(v.toString(&ok), TlString(KW("伴侣")), ok); }, noInt},
      {"bytes16", TlVariant::Bytes16, [raw](TlVariant& v) { v.setBytes16(raw); },
       [raw](const TlVariant& v) {
         bool ok;
         TlBytes16 got = v.toBytes16(&ok);
         return ok && std::memcmp(got.bytes, raw.bytes, 16) == 0;
       },
       [](const TlVariant& v) { bool ok = true; return v.toString(&ok).isEmpty() && !ok; }},
  };
}

TEST(TlVariant, EveryKindRoundTripsAndRefusesForeignReads) {
  auto cases = kindCases();
  ASSERT_EQ(cases.size(), 18u);
  for (const KindCase& c : cases) {
    TlVariant v;
    EXPECT_TRUE(v.isEmpty()) << c.name;
    c.store(v);
    EXPECT_EQ(v.kind(), c.kind) << c.name;
    EXPECT_FALSE(v.isEmpty()) << c.name;
    EXPECT_TRUE(c.readsBack(v)) << c.name;
    EXPECT_TRUE(c.mismatchGivesDefault(v)) << c.name;

    TlVariant copy(v);
    EXPECT_TRUE(c.readsBack(copy)) << c.name << " copy";
    TlVariant assigned;
    assigned = v;
    v.clear();  // the copies must not depend on the original's payload
    EXPECT_TRUE(c.readsBack(assigned)) << c.name << " assigned";
    EXPECT_TRUE(v.isEmpty()) << c.name;
    EXPECT_FALSE(c.readsBack(v)) << c.name << " after clear";
  }
}

TEST(TlVariant, AssignmentBetweenEveryPairOfKinds) {
  auto cases = kindCases();
  for (const KindCase& from : cases) {
    for (const KindCase& to : cases) {
      TlVariant source, target;
      from.store(source);
      to.store(target);
      target.setOwnerFlag(true);
      target = source;
      EXPECT_EQ(target.kind(), from.kind) << from.name << " -> " << to.name;
      EXPECT_TRUE(from.readsBack(target)) << from.name << " -> " << to.name;
      EXPECT_TRUE(target.ownerFlag()) << "the target keeps its own flag";
    }
  }
}

TEST(TlVariant, EmptyFlagTravelsWithAssignmentAndSelfAssignmentKeeps) {
  TlVariant cleared;
  cleared.setRectF({1, 2, 3, 4});
  cleared.clear();
  cleared.setOwnerFlag(true);
  TlVariant target;
  target.setRectF({9, 9, 9, 9});
  target = cleared;
  EXPECT_TRUE(target.isEmpty());
  EXPECT_FALSE(target.ownerFlag());
  bool ok = true;
  EXPECT_EQ(target.toRectF(&ok), RectF());
  EXPECT_FALSE(ok);

  TlVariant s;
  s.setString(TlString(KW("keep")));
  TlVariant& alias = s;
  s = alias;
  EXPECT_EQ(s.toString(), TlString(KW("keep")));
  s.setString(s.toString() + TlString(KW("!")));
  EXPECT_EQ(s.toString(), TlString(KW("keep!")));
}

TEST(TlVariant, RectReadsAsRectFWithInclusiveEdges) {
  TlVariant v;
  v.setRect({10, 20, 109, 219});
  bool ok = false;
  EXPECT_EQ(v.toRectF(&ok), (RectF{10, 20, 100, 200}));
  EXPECT_TRUE(ok);
  v.setRect(Rect());
  EXPECT_EQ(v.toRectF(), (RectF{0, 0, 0, 0}));
  v.setRect({-2147483647 - 1, 0, 2147483647, 0});  // width does not overflow
  EXPECT_EQ(v.toRectF().width, 4294967296.0);
}

TEST(TlVariant, GeometricCrossReadsRoundHalvesUpward) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    double in;
    std::int32_t out;
  } rounding[] = {
      {0.5, 1}, {1.49, 1}, {-0.5, 0}, {-1.5, -1}, {-1.51, -2}, {2.5, 3},
      {1e12, 2147483647}, {-1e12, -2147483647 - 1}, {nan, 0},
  };
  for (const Case& c : rounding) {
    TlVariant p;
    p.setPointF({c.in, -c.in});
    bool ok = false;
    Point got = p.toPoint(&ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(got.x, c.out) << c.in;
    TlVariant s;
    s.setSizeF({c.in, 0});
    EXPECT_EQ(s.toSize().width, c.out) << c.in;
  }

  TlVariant r;
  r.setRectF({0.5, 1.4, 99.5, 10.5});
  bool ok = false;
  EXPECT_EQ(r.toRect(&ok), (Rect{1, 1, 100, 11}));
  EXPECT_TRUE(ok);
  r.setRectF({2e9, 0, 2e9, 1});  // right edge clamps instead of overflowing
  EXPECT_EQ(r.toRect().right, 2147483647);

  TlVariant i;
  i.setPoint({3, -4});
  EXPECT_EQ(i.toPointF(), (PointF{3, -4}));
  i.setSize({5, 6});
  EXPECT_EQ(i.toSizeF(), (SizeF{5, 6}));
}

TEST(TlVariant, ReusesItsHeapCopyForTheSameKind) {
  TlVariant v;
  v.setRectF({1, 1, 1, 1});
  TlVariant other;
  other.setRectF({2, 2, 2, 2});
  v = other;
  EXPECT_EQ(v.toRectF(), (RectF{2, 2, 2, 2}));
  other.setRectF({3, 3, 3, 3});
  EXPECT_EQ(v.toRectF(), (RectF{2, 2, 2, 2})) << "copies are independent";
  v.setInt(5);  // heap copy released when the kind changes (ASan checks)
  EXPECT_EQ(v.toInt(), 5);
}

}  // namespace
