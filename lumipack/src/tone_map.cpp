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

namespace {

// The luminance a well-lit scene averages to, in stops.
const double kMidGreyStops = std::log2(kMidGrey);
// Below this a picture counts as black.
constexpr float kDarkest = 1e-6f;

double Percentile(std::vector<float>& values, double fraction) {
  auto at = values.begin() + static_cast<ptrdiff_t>(fraction * (values.size() - 1));
  std::nth_element(values.begin(), at, values.end());
  return std::log2(*at);
}

}  // namespace

LightMeasure MeasureLight(const FloatImage& image) {
  std::vector<float> luminance;
  luminance.reserve(static_cast<size_t>(image.width) * image.height);
  double log_sum = 0;
  for (size_t i = 0; i + 2 < image.rgb.size(); i += 3) {
    float value = Luminance(&image.rgb[i]);
    if (!std::isfinite(value)) continue;
    value = std::max(value, kDarkest);
    luminance.push_back(value);
    log_sum += std::log2(value);
  }
  LightMeasure light;
  if (luminance.empty()) return light;
  light.log_average = log_sum / static_cast<double>(luminance.size());
  light.high = Percentile(luminance, 0.99);
  light.bright = Percentile(luminance, 0.98);
  light.low = Percentile(luminance, 0.01);
  light.black = !(light.high > std::log2(kDarkest) + 1);
  return light;
}

LightMeasure PoolLight(const std::vector<LightMeasure>& pictures) {
  LightMeasure pooled;
  int count = 0;
  for (const LightMeasure& light : pictures) {
    if (light.black) continue;
    pooled.log_average += light.log_average;
    pooled.low += light.low;
    pooled.high += light.high;
    pooled.bright += light.bright;
    ++count;
  }
  if (count == 0) return LightMeasure{};
  for (double* value : {&pooled.log_average, &pooled.low, &pooled.high, &pooled.bright}) {
    *value /= count;
  }
  pooled.black = false;
  return pooled;
}

float ExposureFor(const LightMeasure& light) {
  if (light.black) return 1.0f;
  // Where the log-average sits in the range, from -1 (low key) to 1 (high key).
  double range = light.high - light.low;
  double position = range > 1 ? (2 * light.log_average - light.low - light.high) / range : 0;
  double key_stops = kMidGreyStops + 2 * std::clamp(position, -0.5, 0.5);
  double adapted = (light.log_average + kMidGreyStops) / 2;
  double ev = key_stops - adapted;
  // Limits: the log-average stays within 2 stops under mid-grey, unless
  // that would blow out more than the brightest 2%: highlights come first.
  ev = std::max(ev, kMidGreyStops - 2 - light.log_average);
  ev = std::min(ev, std::log2(kFilmicWhite) - light.bright);
  return static_cast<float>(std::exp2(std::clamp(ev, -20.0, 20.0)));
}

float AutoExposure(const FloatImage& image) { return ExposureFor(MeasureLight(image)); }

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
