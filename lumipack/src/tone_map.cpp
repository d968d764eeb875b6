#include "tone_map.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

#include "jpeg_encoder.h"

namespace lumipack {

namespace {

constexpr float kMidGrey = 0.18f;
constexpr int kSrgbSteps = 4096;

float Luminance(const float* rgb) { return 0.2126f * rgb[0] + 0.7152f * rgb[1] + 0.0722f * rgb[2]; }

// Extended Reinhard: close to linear in the shadows, rolls highlights off
// smoothly and reaches 1 only at kFilmicWhite.
float Filmic(float x) {
  constexpr float kWhiteSquared = kFilmicWhite * kFilmicWhite;
  return x * (1.0f + x / kWhiteSquared) / (1.0f + x);
}

const std::array<uint8_t, kSrgbSteps + 1>& SrgbTable() {
  static const std::array<uint8_t, kSrgbSteps + 1> table = [] {
    std::array<uint8_t, kSrgbSteps + 1> values{};
    for (int i = 0; i <= kSrgbSteps; ++i) {
      double v = static_cast<double>(i) / kSrgbSteps;
      double encoded = v <= 0.0031308 ? 12.92 * v : 1.055 * std::pow(v, 1 / 2.4) - 0.055;
      values[i] = static_cast<uint8_t>(std::lround(std::clamp(encoded, 0.0, 1.0) * 255));
    }
    return values;
  }();
  return table;
}

}  // namespace

uint8_t EncodeSrgb(float linear) {
  if (!(linear > 0.0f)) return 0;
  if (linear >= 1.0f) return 255;
  return SrgbTable()[static_cast<int>(linear * kSrgbSteps + 0.5f)];
}

float AutoExposure(const FloatImage& image) {
  std::vector<float> luminance;
  luminance.reserve(static_cast<size_t>(image.width) * image.height);
  for (size_t i = 0; i + 2 < image.rgb.size(); i += 3) {
    float value = Luminance(&image.rgb[i]);
    if (std::isfinite(value)) luminance.push_back(value);
  }
  if (luminance.empty()) return 1.0f;
  auto middle = luminance.begin() + static_cast<ptrdiff_t>(luminance.size() / 2);
  std::nth_element(luminance.begin(), middle, luminance.end());
  float median = *middle;
  // A black or nearly black picture stays as it is rather than turning to noise.
  if (!(median > 1e-6f)) return 1.0f;
  return std::clamp(kMidGrey / median, 1e-6f, 1e6f);
}

std::vector<uint8_t> ToneMap(const FloatImage& image, float scale, ToneCurve curve) {
  std::vector<uint8_t> bytes(image.rgb.size());
  for (size_t i = 0; i < image.rgb.size(); ++i) {
    float value = std::max(0.0f, image.rgb[i] * scale);
    if (!std::isfinite(value)) value = kFilmicWhite;
    bytes[i] = EncodeSrgb(curve == ToneCurve::kFilmic ? Filmic(value) : value);
  }
  return bytes;
}

std::string EncodeJpeg(const std::vector<uint8_t>& rgb, int width, int height, int quality) {
  if (rgb.size() < static_cast<size_t>(width) * static_cast<size_t>(height) * 3) {
    throw std::runtime_error("the JPEG encoder was given too few pixels");
  }
  std::string bytes = imagecodec::EncodeRgbJpeg(width, height, rgb.data(), quality);
  if (bytes.empty()) throw std::runtime_error("the JPEG encoder failed");
  return bytes;
}

}  // namespace lumipack
