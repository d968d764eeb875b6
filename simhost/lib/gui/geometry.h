// Pixel rectangles and sizes shared by the layout engine and the painter.
#pragma once

#include <algorithm>
#include <cstdint>

namespace simhost {

struct Size {
  int32_t width = 0;
  int32_t height = 0;
};

// x, y is the top left corner; the rectangle covers width x height pixels.
struct Rect {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;

  int32_t Right() const { return x + width; }
  int32_t Bottom() const { return y + height; }
  bool Empty() const { return width <= 0 || height <= 0; }
  bool Contains(int32_t px, int32_t py) const {
    return px >= x && py >= y && px < Right() && py < Bottom();
  }
  Rect Moved(int32_t dx, int32_t dy) const { return Rect{x + dx, y + dy, width, height}; }
};

inline Rect Intersect(const Rect& a, const Rect& b) {
  int32_t left = std::max(a.x, b.x);
  int32_t top = std::max(a.y, b.y);
  int32_t right = std::min(a.Right(), b.Right());
  int32_t bottom = std::min(a.Bottom(), b.Bottom());
  if (right <= left || bottom <= top) return Rect{left, top, 0, 0};
  return Rect{left, top, right - left, bottom - top};
}

struct Rgb {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
  bool operator!=(const Rgb& o) const { return !(*this == o); }
};

}  // namespace simhost
