// From linear radiance to the 8-bit sRGB pictures of a pack: an exposure
// chosen from the picture, a highlight roll-off and the sRGB curve.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "float_image.h"

namespace lumipack {

enum class ToneCurve { kFilmic, kClip };

// Brightest value the filmic curve still tells apart from its neighbours;
// it reaches white only there.
constexpr float kFilmicWhite = 16.0f;

// How a picture is lit, in stops (log2 of luminance): its log-average, the
// 1st and 99th percentiles, and the 98th (where highlights begin).
struct LightMeasure {
  double log_average = 0;
  double low = 0;
  double high = 0;
  double bright = 0;
  bool black = true;  // nothing to expose
};
LightMeasure MeasureLight(const FloatImage& image);
// One measure for several pictures, so they share one exposure.
LightMeasure PoolLight(const std::vector<LightMeasure>& pictures);

// The exposure scale that keeps the picture's mood: a key chosen from where
// the log-average lies in the picture's range (low-key scenes stay dark),
// applied to an eye that adapts only half-way to the scene's brightness, so
// night stays darker than day; limited so highlights are not blown and a
// dark picture does not sink to black. 1 for a black picture.
float ExposureFor(const LightMeasure& light);
float AutoExposure(const FloatImage& image);

// Exposure scale times 2^ev, then the curve, then sRGB: 3 bytes a pixel.
std::vector<uint8_t> ToneMap(const FloatImage& image, float scale, ToneCurve curve);

// Linear [0, 1] to an sRGB byte.
uint8_t EncodeSrgb(float linear);

// A baseline JPEG of 3-byte RGB pixels; throws when libjpeg fails.
std::string EncodeJpeg(const std::vector<uint8_t>& rgb, int width, int height, int quality = 90);

}  // namespace lumipack
