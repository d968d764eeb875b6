#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace simhost {

void Canvas::Resize(int32_t width, int32_t height, Rgb fill) {
  width_ = std::clamp(width, 0, kMaxSide);
  height_ = std::clamp(height, 0, kMaxSide);
  pixels_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_) * 3, 0);
  FillRect(Bounds(), fill, Bounds());
}

Rgb Canvas::Pixel(int32_t x, int32_t y) const {
  if (!Bounds().Contains(x, y)) return Rgb{};
  size_t at = (static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)) * 3;
  return Rgb{pixels_[at], pixels_[at + 1], pixels_[at + 2]};
}

void Canvas::SetPixel(int32_t x, int32_t y, Rgb color, const Rect& clip) {
  if (!clip.Contains(x, y) || !Bounds().Contains(x, y)) return;
  size_t at = (static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)) * 3;
  pixels_[at] = color.r;
  pixels_[at + 1] = color.g;
  pixels_[at + 2] = color.b;
}

namespace {
uint8_t Mix(uint8_t under, uint8_t over, int32_t alpha) {
  return static_cast<uint8_t>((under * (255 - alpha) + over * alpha + 127) / 255);
}
}  // namespace

void Canvas::BlendPixel(int32_t x, int32_t y, Rgb color, int32_t alpha, const Rect& clip) {
  alpha = std::clamp(alpha, 0, 255);
  if (alpha == 0) return;
  Rgb under = Pixel(x, y);
  SetPixel(
      x, y,
      Rgb{Mix(under.r, color.r, alpha), Mix(under.g, color.g, alpha), Mix(under.b, color.b, alpha)},
      clip);
}

void Canvas::FillRect(const Rect& rect, Rgb color, const Rect& clip) {
  Rect area = Intersect(Intersect(rect, clip), Bounds());
  if (area.Empty()) return;
  uint8_t* first = PixelAt(area.x, area.y);
  for (int32_t x = 0; x < area.width; ++x) {
    first[x * 3] = color.r;
    first[x * 3 + 1] = color.g;
    first[x * 3 + 2] = color.b;
  }
  const size_t row_bytes = static_cast<size_t>(area.width) * 3;
  for (int32_t y = area.y + 1; y < area.Bottom(); ++y) {
    std::copy(first, first + row_bytes, PixelAt(area.x, y));
  }
}

void Canvas::FrameRect(const Rect& rect, Rgb color, const Rect& clip) {
  if (rect.Empty()) return;
  FillRect(Rect{rect.x, rect.y, rect.width, 1}, color, clip);
  FillRect(Rect{rect.x, rect.Bottom() - 1, rect.width, 1}, color, clip);
  FillRect(Rect{rect.x, rect.y, 1, rect.height}, color, clip);
  FillRect(Rect{rect.Right() - 1, rect.y, 1, rect.height}, color, clip);
}

namespace {
// Liang-Barsky: cuts the segment to the rectangle so that a line towards a
// far-away point costs no more than one across the window.
bool ClipSegment(const Rect& box, double& x1, double& y1, double& x2, double& y2) {
  double t0 = 0.0;
  double t1 = 1.0;
  const double dx = x2 - x1;
  const double dy = y2 - y1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1 - box.x, box.Right() - 1 - x1, y1 - box.y, box.Bottom() - 1 - y1};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    double t = q[i] / p[i];
    if (p[i] < 0.0) t0 = std::max(t0, t);
    if (p[i] > 0.0) t1 = std::min(t1, t);
  }
  if (t0 > t1) return false;
  double ox = x1;
  double oy = y1;
  x1 = ox + t0 * dx;
  y1 = oy + t0 * dy;
  x2 = ox + t1 * dx;
  y2 = oy + t1 * dy;
  return true;
}
}  // namespace

void Canvas::DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Rgb color, const Rect& clip) {
  Rect box = Intersect(clip, Bounds());
  if (box.Empty()) return;
  double fx1 = x1, fy1 = y1, fx2 = x2, fy2 = y2;
  if (!ClipSegment(box, fx1, fy1, fx2, fy2)) return;
  int32_t x = static_cast<int32_t>(std::lround(fx1));
  int32_t y = static_cast<int32_t>(std::lround(fy1));
  const int32_t end_x = static_cast<int32_t>(std::lround(fx2));
  const int32_t end_y = static_cast<int32_t>(std::lround(fy2));
  const int32_t dx = std::abs(end_x - x);
  const int32_t dy = -std::abs(end_y - y);
  const int32_t sx = x < end_x ? 1 : -1;
  const int32_t sy = y < end_y ? 1 : -1;
  int32_t err = dx + dy;
  while (true) {
    SetPixel(x, y, color, box);
    if (x == end_x && y == end_y) break;
    int32_t e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
}

void Canvas::Blit(const Canvas& source, const Rect& from, int32_t x, int32_t y) {
  Rect area = Intersect(from, source.Bounds());
  for (int32_t row = 0; row < area.height; ++row) {
    for (int32_t col = 0; col < area.width; ++col) {
      SetPixel(x + col, y + row, source.Pixel(area.x + col, area.y + row), Bounds());
    }
  }
}

}  // namespace simhost
