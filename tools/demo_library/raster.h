// Small in-memory images for the demo library generator: linear radiance
// images for rendering and HDR output, 8-bit images for JPEG and PNG output.
#pragma once

#include <cstdint>
#include <vector>

namespace demo {

struct Rgb {
  float r = 0.0f;
  float g = 0.0f;
  float b = 0.0f;
};

Rgb operator+(Rgb a, Rgb b);
Rgb operator*(Rgb a, Rgb b);
Rgb operator*(Rgb a, float scale);
Rgb Mix(Rgb a, Rgb b, float t);
float Clamp01(float value);
float SmoothStep(float edge0, float edge1, float x);

// Linear radiance, three floats per pixel, rows top to bottom.
struct FloatImage {
  int width = 0;
  int height = 0;
  std::vector<float> samples;

  FloatImage() = default;
  FloatImage(int w, int h);
  Rgb Get(int x, int y) const;
  void Set(int x, int y, Rgb color);
};

// 8-bit image with `channels` samples per pixel (3 = RGB, 4 = RGBA).
struct ByteImage {
  int width = 0;
  int height = 0;
  int channels = 3;
  std::vector<std::uint8_t> samples;

  ByteImage() = default;
  ByteImage(int w, int h, int c);
  std::uint8_t* Pixel(int x, int y);
  const std::uint8_t* Pixel(int x, int y) const;
};

// Area-averaging resample: every source pixel contributes by the share of it
// that a destination pixel covers, so downscaling keeps the mean brightness.
// A zero or negative size gives an empty image.
FloatImage Resample(const FloatImage& source, int width, int height);
ByteImage Resample(const ByteImage& source, int width, int height);

// Radiance to display RGB: exponential roll-off, then gamma 2.2.
ByteImage ToneMap(const FloatImage& radiance, float exposure);

// Blends a display colour (0..1 per channel) over one pixel by `coverage`;
// on RGBA images the alpha grows as paint is laid down. Outside pixels are
// ignored, so callers can draw shapes that cross the border.
void BlendPixel(ByteImage& image, int x, int y, Rgb color, float coverage);

}  // namespace demo
