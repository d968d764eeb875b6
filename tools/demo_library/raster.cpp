#include "raster.h"

#include <algorithm>
#include <cmath>

namespace demo {

Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
Rgb operator*(Rgb a, Rgb b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }
Rgb operator*(Rgb a, float scale) { return {a.r * scale, a.g * scale, a.b * scale}; }
Rgb Mix(Rgb a, Rgb b, float t) { return a * (1.0f - t) + b * t; }

float Clamp01(float value) { return std::min(1.0f, std::max(0.0f, value)); }

float SmoothStep(float edge0, float edge1, float x) {
  const float t = Clamp01((x - edge0) / (edge1 - edge0));
  return t * t * (3.0f - 2.0f * t);
}

FloatImage::FloatImage(int w, int h)
    : width(w), height(h), samples(static_cast<size_t>(w) * static_cast<size_t>(h) * 3, 0.0f) {}

Rgb FloatImage::Get(int x, int y) const {
  const float* p = &samples[(static_cast<size_t>(y) * width + x) * 3];
  return {p[0], p[1], p[2]};
}

void FloatImage::Set(int x, int y, Rgb color) {
  float* p = &samples[(static_cast<size_t>(y) * width + x) * 3];
  p[0] = color.r;
  p[1] = color.g;
  p[2] = color.b;
}

ByteImage::ByteImage(int w, int h, int c)
    : width(w),
      height(h),
      channels(c),
      samples(static_cast<size_t>(w) * static_cast<size_t>(h) * c, 0) {}

std::uint8_t* ByteImage::Pixel(int x, int y) {
  return &samples[(static_cast<size_t>(y) * width + x) * channels];
}

const std::uint8_t* ByteImage::Pixel(int x, int y) const {
  return &samples[(static_cast<size_t>(y) * width + x) * channels];
}

namespace {

struct Tap {
  int index;
  double weight;
};

// For each destination index, the source indices it covers and their shares.
std::vector<std::vector<Tap>> AreaTaps(int sourceLength, int targetLength) {
  const double scale = static_cast<double>(sourceLength) / targetLength;
  std::vector<std::vector<Tap>> taps(targetLength);
  for (int i = 0; i < targetLength; ++i) {
    const double begin = i * scale;
    const double end = (i + 1) * scale;
    for (int s = static_cast<int>(begin); s < end && s < sourceLength; ++s) {
      const double overlap = std::min(end, s + 1.0) - std::max(begin, static_cast<double>(s));
      if (overlap > 0.0) taps[i].push_back({s, overlap / scale});
    }
  }
  return taps;
}

// Resamples interleaved samples, first along rows, then along columns.
std::vector<double> ResampleSamples(const std::vector<double>& source, int sourceWidth,
                                    int sourceHeight, int channels, int width, int height) {
  const auto columnTaps = AreaTaps(sourceWidth, width);
  const auto rowTaps = AreaTaps(sourceHeight, height);
  std::vector<double> wide(static_cast<size_t>(width) * sourceHeight * channels, 0.0);
  for (int y = 0; y < sourceHeight; ++y) {
    for (int x = 0; x < width; ++x) {
      for (const Tap& tap : columnTaps[x]) {
        for (int c = 0; c < channels; ++c) {
          wide[(static_cast<size_t>(y) * width + x) * channels + c] +=
              tap.weight *
              source[(static_cast<size_t>(y) * sourceWidth + tap.index) * channels + c];
        }
      }
    }
  }
  std::vector<double> result(static_cast<size_t>(width) * height * channels, 0.0);
  for (int y = 0; y < height; ++y) {
    for (const Tap& tap : rowTaps[y]) {
      for (size_t i = 0; i < static_cast<size_t>(width) * channels; ++i) {
        result[static_cast<size_t>(y) * width * channels + i] +=
            tap.weight * wide[static_cast<size_t>(tap.index) * width * channels + i];
      }
    }
  }
  return result;
}

bool UsableSize(int sourceWidth, int sourceHeight, int width, int height) {
  return sourceWidth > 0 && sourceHeight > 0 && width > 0 && height > 0;
}

}  // namespace

FloatImage Resample(const FloatImage& source, int width, int height) {
  if (!UsableSize(source.width, source.height, width, height)) return {};
  const std::vector<double> wide(source.samples.begin(), source.samples.end());
  const auto result = ResampleSamples(wide, source.width, source.height, 3, width, height);
  FloatImage image(width, height);
  std::transform(result.begin(), result.end(), image.samples.begin(),
                 [](double v) { return static_cast<float>(v); });
  return image;
}

ByteImage Resample(const ByteImage& source, int width, int height) {
  if (!UsableSize(source.width, source.height, width, height)) return {};
  const std::vector<double> wide(source.samples.begin(), source.samples.end());
  const auto result =
      ResampleSamples(wide, source.width, source.height, source.channels, width, height);
  ByteImage image(width, height, source.channels);
  std::transform(result.begin(), result.end(), image.samples.begin(), [](double v) {
    return static_cast<std::uint8_t>(std::lround(std::min(255.0, std::max(0.0, v))));
  });
  return image;
}

namespace {

std::uint8_t DisplayByte(float radiance, float exposure) {
  if (!(radiance > 0.0f)) return 0;
  const float rolled = 1.0f - std::exp(-radiance * exposure);
  return static_cast<std::uint8_t>(std::lround(std::pow(rolled, 1.0f / 2.2f) * 255.0f));
}

std::uint8_t BlendByte(std::uint8_t under, float over, float coverage) {
  const float mixed = under + (Clamp01(over) * 255.0f - under) * coverage;
  return static_cast<std::uint8_t>(std::lround(mixed));
}

}  // namespace

ByteImage ToneMap(const FloatImage& radiance, float exposure) {
  ByteImage image(radiance.width, radiance.height, 3);
  for (size_t i = 0; i < radiance.samples.size(); ++i) {
    image.samples[i] = DisplayByte(radiance.samples[i], exposure);
  }
  return image;
}

void BlendPixel(ByteImage& image, int x, int y, Rgb color, float coverage) {
  if (x < 0 || y < 0 || x >= image.width || y >= image.height) return;
  coverage = Clamp01(coverage);
  std::uint8_t* p = image.Pixel(x, y);
  if (image.channels == 4) {
    // Paint over a partly transparent pixel: weight the old colour by its alpha.
    const float alphaUnder = p[3] / 255.0f;
    const float alpha = coverage + alphaUnder * (1.0f - coverage);
    if (alpha <= 0.0f) return;
    const float keep = alphaUnder * (1.0f - coverage) / alpha;
    const float channels[3] = {color.r, color.g, color.b};
    for (int c = 0; c < 3; ++c) p[c] = BlendByte(p[c], channels[c], 1.0f - keep);
    p[3] = static_cast<std::uint8_t>(std::lround(alpha * 255.0f));
    return;
  }
  p[0] = BlendByte(p[0], color.r, coverage);
  p[1] = BlendByte(p[1], color.g, coverage);
  p[2] = BlendByte(p[2], color.b, coverage);
}

}  // namespace demo
