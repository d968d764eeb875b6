// Procedural light environments, rendered as equirectangular radiance images
// (full circle of azimuth left to right, zenith at the top row).
#pragma once

#include <cstdint>
#include <variant>
#include <vector>

#include "raster.h"

namespace demo {

// Angles in degrees; azimuth 0 is the image centre, elevation 0 the horizon.
struct StudioLight {
  float azimuth;
  float elevation;
  float halfWidth;   // a rectangle's half extent, or a ring's outer radius
  float halfHeight;  // a rectangle's half extent, or a ring's inner radius
  bool ring;
  Rgb color;
  float intensity;
};

struct StudioScene {
  Rgb floor;
  Rgb wall;
  std::vector<StudioLight> lights;
};

struct SkyScene {
  Rgb zenith;
  Rgb horizon;
  Rgb ground;
  Rgb sun;
  float sunAzimuth;
  float sunElevation;
  float cloudCover;  // 0 clear to 1 overcast
  std::uint32_t seed;
};

struct NightScene {
  Rgb zenith;
  Rgb glow;  // light pollution along the horizon
  Rgb warmWindow;
  Rgb coolWindow;
  float litWindows;  // share of windows that are lit
  float stars;       // share of sky cells that hold a star
  float moonAzimuth;
  float moonElevation;  // below the horizon: no moon
  std::uint32_t seed;
};

struct Scene {
  std::variant<StudioScene, SkyScene, NightScene> look;
  float exposure;  // for the JPEG previews only; the .hdr keeps the radiance
};

FloatImage RenderEnvironment(const Scene& scene, int width, int height);

// Radiance seen in one direction (angles in radians).
Rgb RadianceToward(const Scene& scene, float azimuth, float elevation);

}  // namespace demo
