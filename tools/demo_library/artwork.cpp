#include "artwork.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "scenes.h"

namespace demo {
namespace {

using SignedDistance = std::function<float(float x, float y)>;
using Paint = std::function<Rgb(float x, float y)>;

// Fills every pixel inside the shape; pixels on the edge get the share of
// the pixel that the shape covers, for smooth edges.
void FillShape(ByteImage& image, const SignedDistance& distance, const Paint& paint) {
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const float px = x + 0.5f;
      const float py = y + 0.5f;
      const float coverage = Clamp01(0.5f - distance(px, py));
      if (coverage > 0.0f) BlendPixel(image, x, y, paint(px, py), coverage);
    }
  }
}

Paint Solid(Rgb color) {
  return [color](float, float) { return color; };
}

SignedDistance RoundedBox(float centerX, float centerY, float halfWidth, float halfHeight,
                          float radius) {
  return [=](float x, float y) {
    const float qx = std::fabs(x - centerX) - halfWidth + radius;
    const float qy = std::fabs(y - centerY) - halfHeight + radius;
    const float outside = std::hypot(std::fmax(qx, 0.0f), std::fmax(qy, 0.0f));
    return outside + std::fmin(std::fmax(qx, qy), 0.0f) - radius;
  };
}

SignedDistance Outline(SignedDistance shape, float halfStroke) {
  return [shape, halfStroke](float x, float y) { return std::fabs(shape(x, y)) - halfStroke; };
}

SignedDistance Disc(float centerX, float centerY, float radius) {
  return [=](float x, float y) { return std::hypot(x - centerX, y - centerY) - radius; };
}

void DrawCentredText(ByteImage& image, Lettering& lettering, const char* text, int baseline,
                     int size, Rgb color) {
  const int x = (image.width - lettering.Measure(text, size)) / 2;
  lettering.Draw(image, text, x + 1, baseline + 1, size, Rgb{0.02f, 0.02f, 0.03f});
  lettering.Draw(image, text, x, baseline, size, color);
}

}  // namespace

ByteImage DrawAddMoreTile(Lettering& lettering) {
  ByteImage tile(400, 200, 3);
  const Rgb top{0.17f, 0.19f, 0.24f};
  const Rgb bottom{0.09f, 0.10f, 0.13f};
  FillShape(
      tile, [](float, float) { return -1.0f; },
      [&](float, float y) { return Mix(top, bottom, y / 200.0f); });
  const Rgb accent{0.36f, 0.72f, 1.0f};
  FillShape(tile, Outline(RoundedBox(200, 100, 186, 86, 14), 1.0f), Solid(Rgb{0.4f, 0.45f, 0.52f}));
  FillShape(tile, Outline(Disc(200, 80, 38), 2.5f), Solid(accent));
  FillShape(tile, RoundedBox(200, 80, 21, 3.5f, 2), Solid(accent));
  FillShape(tile, RoundedBox(200, 80, 3.5f, 21, 2), Solid(accent));
  DrawCentredText(tile, lettering, "Get more HDRI packs", 162, 24, Rgb{0.94f, 0.95f, 0.97f});
  return tile;
}

namespace {

const Scene& IconSky() {
  static const Scene sky{SkyScene{{0.12f, 0.32f, 0.85f},
                                  {0.75f, 0.85f, 1.0f},
                                  {0.25f, 0.2f, 0.12f},
                                  {1.0f, 0.9f, 0.75f},
                                  -35.0f,
                                  40.0f,
                                  0.0f,
                                  7U},
                         1.4f};
  return sky;
}

// Colour of the mirror ball at a point: the sky reflected about the surface
// normal, seen from straight in front.
Rgb MirrorBall(float x, float y, float centerX, float centerY, float radius) {
  float nx = (x - centerX) / radius;
  float ny = (centerY - y) / radius;
  const float length = std::hypot(nx, ny);
  if (length > 0.999f) {
    nx *= 0.999f / length;
    ny *= 0.999f / length;
  }
  const float nz = std::sqrt(1.0f - nx * nx - ny * ny);
  const float rx = 2.0f * nz * nx;
  const float ry = 2.0f * nz * ny;
  const float rz = 2.0f * nz * nz - 1.0f;
  const Rgb radiance = RadianceToward(IconSky(), std::atan2(rx, rz),
                                      std::asin(std::fmax(-1.0f, std::fmin(1.0f, ry))));
  const float rim = 0.55f + 0.45f * nz;
  const float exposure = IconSky().exposure;
  const auto display = [&](float v) { return std::pow(1.0f - std::exp(-v * exposure), 1 / 2.2f); };
  return Rgb{display(radiance.r), display(radiance.g), display(radiance.b)} * rim;
}

}  // namespace

ByteImage DrawIcon() {
  ByteImage icon(64, 64, 4);
  const Rgb top{0.16f, 0.19f, 0.27f};
  const Rgb bottom{0.06f, 0.07f, 0.10f};
  FillShape(icon, RoundedBox(32, 32, 30, 30, 12),
            [&](float, float y) { return Mix(top, bottom, y / 64.0f); });
  FillShape(icon, Disc(32, 27, 19), [](float x, float y) { return MirrorBall(x, y, 32, 27, 19); });
  const Rgb tiles[3] = {{0.95f, 0.62f, 0.3f}, {0.45f, 0.7f, 1.0f}, {0.55f, 0.35f, 0.75f}};
  for (int i = 0; i < 3; ++i) {
    FillShape(icon, RoundedBox(16.0f + 16.0f * i, 54.5f, 6.5f, 4.0f, 1.5f), Solid(tiles[i]));
  }
  return icon;
}

}  // namespace demo
