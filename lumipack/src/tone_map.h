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

// The factor that brings the picture's median luminance to mid-grey (0.18).
float AutoExposure(const FloatImage& image);

// Exposure scale times 2^ev, then the curve, then sRGB: 3 bytes a pixel.
std::vector<uint8_t> ToneMap(const FloatImage& image, float scale, ToneCurve curve);

// Linear [0, 1] to an sRGB byte.
uint8_t EncodeSrgb(float linear);

// A baseline JPEG of 3-byte RGB pixels; throws when libjpeg fails.
std::string EncodeJpeg(const std::vector<uint8_t>& rgb, int width, int height, int quality = 90);

}  // namespace lumipack
