// An RGB pixel buffer with the few primitives windows are painted with.
#pragma once

#include <cstdint>
#include <vector>

#include "geometry.h"

namespace simhost {

class Canvas {
 public:
  // Windows are never larger than this in either direction, so a bad size
  // cannot ask for gigabytes.
  static constexpr int32_t kMaxSide = 8192;

  void Resize(int32_t width, int32_t height, Rgb fill);
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  Rect Bounds() const { return Rect{0, 0, width_, height_}; }
  const std::vector<uint8_t>& Pixels() const { return pixels_; }

  Rgb Pixel(int32_t x, int32_t y) const;
  // Every drawing call is clipped to clip and to the canvas.
  void SetPixel(int32_t x, int32_t y, Rgb color, const Rect& clip);
  // alpha 0..255: how much of color covers the pixel.
  void BlendPixel(int32_t x, int32_t y, Rgb color, int32_t alpha, const Rect& clip);
  void FillRect(const Rect& rect, Rgb color, const Rect& clip);
  void FrameRect(const Rect& rect, Rgb color, const Rect& clip);
  void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Rgb color, const Rect& clip);
  // The pixel's three bytes, for writing whole rows; the caller keeps
  // (x, y) inside Bounds().
  uint8_t* PixelAt(int32_t x, int32_t y) {
    return pixels_.data() + (static_cast<size_t>(y) * static_cast<size_t>(width_) + x) * 3;
  }
  // Copies a part of another canvas to (x, y).
  void Blit(const Canvas& source, const Rect& from, int32_t x, int32_t y);

 private:
  int32_t width_ = 0;
  int32_t height_ = 0;
  std::vector<uint8_t> pixels_;
};

}  // namespace simhost
