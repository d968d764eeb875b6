#include "scenes.h"

#include <cmath>

namespace demo {
namespace {

constexpr float kPi = 3.14159265358979f;

float Radians(float degrees) { return degrees * kPi / 180.0f; }

struct Direction {
  float x;
  float y;  // up
  float z;
};

Direction FromAngles(float azimuth, float elevation) {
  return {std::cos(elevation) * std::sin(azimuth), std::sin(elevation),
          std::cos(elevation) * std::cos(azimuth)};
}

float AngleBetween(Direction a, Direction b) {
  const float dot = a.x * b.x + a.y * b.y + a.z * b.z;
  return std::acos(std::fmax(-1.0f, std::fmin(1.0f, dot)));
}

float WrapAngle(float radians) {
  while (radians > kPi) radians -= 2.0f * kPi;
  while (radians < -kPi) radians += 2.0f * kPi;
  return radians;
}

std::uint32_t Hash(std::uint32_t x) {
  x ^= x >> 16;
  x *= 0x7feb352dU;
  x ^= x >> 15;
  x *= 0x846ca68bU;
  x ^= x >> 16;
  return x;
}

float HashUnit(int x, int y, std::uint32_t seed) {
  const std::uint32_t h = Hash(static_cast<std::uint32_t>(x) * 73856093U ^
                               Hash(static_cast<std::uint32_t>(y) * 19349663U ^ seed));
  return static_cast<float>(h & 0xffffffU) / 16777216.0f;
}

float ValueNoise(float x, float y, std::uint32_t seed) {
  const float fx = std::floor(x);
  const float fy = std::floor(y);
  const int ix = static_cast<int>(fx);
  const int iy = static_cast<int>(fy);
  const float tx = SmoothStep(0.0f, 1.0f, x - fx);
  const float ty = SmoothStep(0.0f, 1.0f, y - fy);
  const float top = HashUnit(ix, iy, seed) * (1 - tx) + HashUnit(ix + 1, iy, seed) * tx;
  const float bottom = HashUnit(ix, iy + 1, seed) * (1 - tx) + HashUnit(ix + 1, iy + 1, seed) * tx;
  return top * (1 - ty) + bottom * ty;
}

float FractalNoise(float x, float y, std::uint32_t seed) {
  float sum = 0.0f;
  float amplitude = 0.5f;
  for (int octave = 0; octave < 5; ++octave) {
    sum += amplitude * ValueNoise(x, y, seed + static_cast<std::uint32_t>(octave));
    x *= 2.03f;
    y *= 2.03f;
    amplitude *= 0.5f;
  }
  return sum / 0.97f;
}

// ---- studio ----------------------------------------------------------------

float LightCoverage(const StudioLight& light, float azimuth, float elevation) {
  const float soft = Radians(2.5f);
  if (light.ring) {
    const float distance =
        AngleBetween(FromAngles(azimuth, elevation),
                     FromAngles(Radians(light.azimuth), Radians(light.elevation)));
    return SmoothStep(Radians(light.halfHeight) - soft, Radians(light.halfHeight), distance) *
           (1.0f - SmoothStep(Radians(light.halfWidth), Radians(light.halfWidth) + soft, distance));
  }
  const float dx = std::fabs(WrapAngle(azimuth - Radians(light.azimuth))) * std::cos(elevation);
  const float dy = std::fabs(elevation - Radians(light.elevation));
  return (1.0f - SmoothStep(Radians(light.halfWidth), Radians(light.halfWidth) + soft, dx)) *
         (1.0f - SmoothStep(Radians(light.halfHeight), Radians(light.halfHeight) + soft, dy));
}

Rgb StudioRadiance(const StudioScene& scene, float azimuth, float elevation) {
  Rgb color = Mix(scene.floor, scene.wall, SmoothStep(-0.35f, 0.5f, elevation));
  for (const StudioLight& light : scene.lights) {
    const float distance =
        AngleBetween(FromAngles(azimuth, elevation),
                     FromAngles(Radians(light.azimuth), Radians(light.elevation)));
    const float spill = 0.04f * std::exp(-distance * 2.5f);
    color = color +
            light.color * (light.intensity * (LightCoverage(light, azimuth, elevation) + spill));
  }
  return color;
}

// ---- open sky --------------------------------------------------------------

Rgb Clouds(const SkyScene& scene, Direction d, Rgb sky, float sunDistance) {
  if (scene.cloudCover <= 0.0f || d.y <= 0.0f) return sky;
  const float lift = d.y + 0.15f;
  const float density = FractalNoise(d.x / lift * 1.6f, d.z / lift * 1.6f, scene.seed);
  const float threshold = 1.0f - scene.cloudCover;
  const float amount =
      SmoothStep(threshold * 0.7f, threshold * 0.7f + 0.3f, density) * SmoothStep(0.0f, 0.12f, d.y);
  const Rgb shade = Mix(scene.horizon * 0.55f, scene.sun * 0.35f, 0.3f);
  const Rgb lit = shade + scene.sun * (0.4f + 1.2f * std::exp(-sunDistance * 2.0f));
  return Mix(sky, Mix(lit, shade, SmoothStep(0.5f, 1.0f, density)), amount * 0.95f);
}

Rgb SkyRadiance(const SkyScene& scene, float azimuth, float elevation) {
  const Direction d = FromAngles(azimuth, elevation);
  const Direction sun = FromAngles(Radians(scene.sunAzimuth), Radians(scene.sunElevation));
  const float sunDistance = AngleBetween(d, sun);
  if (d.y < 0.0f) {
    const float texture = 0.9f + 0.2f * FractalNoise(azimuth * 6.0f, elevation * 12.0f, scene.seed);
    const float haze = std::pow(1.0f + d.y, 10.0f);
    return Mix(scene.ground * texture, scene.horizon * 0.7f, haze);
  }
  Rgb sky = Mix(scene.horizon, scene.zenith, std::pow(d.y, 0.45f));
  sky = sky + scene.sun * (0.8f * std::exp(-sunDistance * 5.0f));
  sky = Clouds(scene, d, sky, sunDistance);
  const float disk = 1.0f - SmoothStep(Radians(1.6f), Radians(2.6f), sunDistance);
  return sky + scene.sun * (60.0f * disk);
}

// ---- night city ------------------------------------------------------------

constexpr float kBlocks = 36.0f;  // buildings around the horizon

int BlockAt(float azimuth) {
  return static_cast<int>(std::floor((azimuth + kPi) / (2.0f * kPi) * kBlocks));
}

float BlockHeight(int block, std::uint32_t seed) {
  const float tall = HashUnit(block, 7, seed);
  return Radians(6.0f + 30.0f * tall * tall);
}

// Red warning lamps on the roofs of the tall buildings: small but far
// brighter than anything else in a night sky.
Rgb Beacon(float azimuth, float elevation, std::uint32_t seed) {
  const int block = BlockAt(azimuth);
  const float roof = BlockHeight(block, seed);
  if (roof < Radians(20.0f)) return {};
  const float centre = ((block + 0.5f) / kBlocks - 0.5f) * 2.0f * kPi;
  const float distance =
      AngleBetween(FromAngles(azimuth, elevation), FromAngles(centre, roof + Radians(0.8f)));
  return Rgb{1.0f, 0.12f, 0.08f} *
         (40.0f * (1.0f - SmoothStep(Radians(0.5f), Radians(0.8f), distance)));
}

Rgb Window(const NightScene& scene, float azimuth, float elevation) {
  const float columns = azimuth / Radians(2.5f);
  const float rows = elevation / Radians(3.5f);
  const float cx = columns - std::floor(columns);
  const float cy = rows - std::floor(rows);
  const float pane = SmoothStep(0.15f, 0.3f, cx) * (1.0f - SmoothStep(0.7f, 0.85f, cx)) *
                     SmoothStep(0.2f, 0.35f, cy) * (1.0f - SmoothStep(0.65f, 0.8f, cy));
  const int ix = static_cast<int>(std::floor(columns));
  const int iy = static_cast<int>(std::floor(rows));
  if (HashUnit(ix, iy, scene.seed + 11U) >= scene.litWindows) return {};
  const Rgb tint = Mix(scene.warmWindow, scene.coolWindow, HashUnit(ix, iy, scene.seed + 23U));
  return tint * (pane * (0.6f + 1.4f * HashUnit(ix, iy, scene.seed + 37U)));
}

Rgb Stars(const NightScene& scene, float azimuth, float elevation) {
  const float scale = 60.0f;
  const float u = azimuth * scale;
  const float v = elevation * scale;
  const int iu = static_cast<int>(std::floor(u));
  const int iv = static_cast<int>(std::floor(v));
  if (HashUnit(iu, iv, scene.seed + 51U) >= scene.stars) return {};
  const float du = u - (iu + 0.2f + 0.6f * HashUnit(iu, iv, scene.seed + 52U));
  const float dv = v - (iv + 0.2f + 0.6f * HashUnit(iu, iv, scene.seed + 53U));
  const float brightness = 1.5f * HashUnit(iu, iv, scene.seed + 54U);
  return Rgb{0.9f, 0.95f, 1.0f} * (brightness * std::exp(-(du * du + dv * dv) * 9.0f));
}

Rgb NightRadiance(const NightScene& scene, float azimuth, float elevation) {
  const Direction d = FromAngles(azimuth, elevation);
  if (elevation < 0.0f) {
    return scene.glow * (0.12f + 0.5f * std::pow(1.0f + d.y, 14.0f));
  }
  const float building =
      1.0f - SmoothStep(-0.004f, 0.0f, elevation - BlockHeight(BlockAt(azimuth), scene.seed));
  Rgb sky = Mix(scene.glow, scene.zenith, std::pow(d.y, 0.35f)) + Stars(scene, azimuth, elevation) +
            Beacon(azimuth, elevation, scene.seed);
  if (scene.moonElevation > 0.0f) {
    const float moon =
        AngleBetween(d, FromAngles(Radians(scene.moonAzimuth), Radians(scene.moonElevation)));
    sky = sky +
          Rgb{0.9f, 0.9f, 0.85f} * (6.0f * (1.0f - SmoothStep(Radians(2.0f), Radians(2.6f), moon)) +
                                    0.08f * std::exp(-moon * 4.0f));
  }
  const Rgb facade = scene.zenith * 0.25f + Window(scene, azimuth, elevation) * 0.5f;
  return Mix(sky, facade, building);
}

struct RadianceAt {
  float azimuth;
  float elevation;
  Rgb operator()(const StudioScene& s) const { return StudioRadiance(s, azimuth, elevation); }
  Rgb operator()(const SkyScene& s) const { return SkyRadiance(s, azimuth, elevation); }
  Rgb operator()(const NightScene& s) const { return NightRadiance(s, azimuth, elevation); }
};

}  // namespace

Rgb RadianceToward(const Scene& scene, float azimuth, float elevation) {
  return std::visit(RadianceAt{azimuth, elevation}, scene.look);
}

FloatImage RenderEnvironment(const Scene& scene, int width, int height) {
  if (width <= 0 || height <= 0) return {};
  FloatImage image(width, height);
  for (int y = 0; y < height; ++y) {
    const float elevation = (0.5f - (y + 0.5f) / height) * kPi;
    for (int x = 0; x < width; ++x) {
      const float azimuth = ((x + 0.5f) / width - 0.5f) * 2.0f * kPi;
      image.Set(x, y, RadianceToward(scene, azimuth, elevation));
    }
  }
  return image;
}

}  // namespace demo
