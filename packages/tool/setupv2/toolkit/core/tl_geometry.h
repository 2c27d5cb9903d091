// Geometry values shared by the toolkit: doubles for items, 32-bit integers
// for windows and events.
#pragma once

#include <cstdint>

struct PointF {
  double x = 0, y = 0;
  bool operator==(const PointF& o) const { return x == o.x && y == o.y; }
};

struct Point {
  std::int32_t x = 0, y = 0;
  bool operator==(const Point& o) const { return x == o.x && y == o.y; }
};

struct SizeF {
  double width = 0, height = 0;
  bool operator==(const SizeF& o) const { return width == o.width && height == o.height; }
};

struct Size {
  std::int32_t width = 0, height = 0;
  bool operator==(const Size& o) const { return width == o.width && height == o.height; }
};

struct RectF {
  double x = 0, y = 0, width = 0, height = 0;
  bool operator==(const RectF& o) const {
    return x == o.x && y == o.y && width == o.width && height == o.height;
  }
};

// Inclusive edges: width = right - left + 1, so the empty default is
// (0, 0, -1, -1).
struct Rect {
  std::int32_t left = 0, top = 0, right = -1, bottom = -1;
  bool operator==(const Rect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};
