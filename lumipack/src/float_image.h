// Linear RGB pictures in floats, and the sources that stream them in.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace lumipack {

struct FloatImage {
  int width = 0;
  int height = 0;
  std::vector<float> rgb;  // three floats a pixel, rows top to bottom

  FloatImage() = default;
  FloatImage(int w, int h) : width(w), height(h), rgb(static_cast<size_t>(w) * h * 3, 0.0f) {}
  float* Row(int y) { return rgb.data() + static_cast<size_t>(y) * width * 3; }
  const float* Row(int y) const { return rgb.data() + static_cast<size_t>(y) * width * 3; }
};

enum class SourceFormat { kUnknown, kRadiance, kOpenExr };

// The extension the browser looks for: ".hdr" or ".exr".
const char* FormatExtension(SourceFormat format);

// Hands out an image's rows top to bottom, a block at a time, so that no
// caller needs the whole picture in memory.
class ScanlineSource {
 public:
  virtual ~ScanlineSource() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual SourceFormat Format() const = 0;
  // Reads the next up to max_rows rows into rgb (width * 3 floats a row);
  // the number read, 0 at the end. Throws std::runtime_error on bad data.
  virtual int ReadRows(int max_rows, float* rgb) = 0;
};

// Sources larger than this are refused rather than trusted.
constexpr int kMaxSourceSide = 1 << 18;

// Opens a Radiance or OpenEXR file, told apart by content. Throws
// std::runtime_error saying what is wrong. layer names an OpenEXR layer.
std::unique_ptr<ScanlineSource> OpenSource(const std::string& path, const std::string& layer = "");
SourceFormat SniffFormat(const std::string& path);

}  // namespace lumipack
