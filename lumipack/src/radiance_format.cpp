#include "radiance_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace lumipack {

namespace {

// Buffered bytes of a file; reads past its end say so.
class ByteReader {
 public:
  explicit ByteReader(const std::string& path) : file_(std::fopen(path.c_str(), "rb")) {
    if (file_ == nullptr)
      throw std::runtime_error(std::string("cannot open: ") + std::strerror(errno));
  }
  ~ByteReader() { std::fclose(file_); }
  ByteReader(const ByteReader&) = delete;
  ByteReader& operator=(const ByteReader&) = delete;

  bool Next(unsigned char* byte) {
    if (at_ == end_ && !Refill()) return false;
    *byte = buffer_[at_++];
    return true;
  }
  bool ReadLine(std::string* line, size_t max_length) {
    line->clear();
    unsigned char byte = 0;
    while (Next(&byte)) {
      if (byte == '\n') return true;
      if (line->size() >= max_length) return false;
      line->push_back(static_cast<char>(byte));
    }
    return false;
  }

 private:
  bool Refill() {
    at_ = 0;
    end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
    return end_ > 0;
  }
  std::FILE* file_;
  std::vector<unsigned char> buffer_ = std::vector<unsigned char>(1 << 20);
  size_t at_ = 0;
  size_t end_ = 0;
};

struct Rgbe {
  unsigned char r, g, b, e;
};

class RadianceSource : public ScanlineSource {
 public:
  explicit RadianceSource(const std::string& path) : bytes_(path) {
    ReadHeader();
    pixels_.resize(static_cast<size_t>(width_));
    for (int e = 0; e < 256; ++e) scale_[e] = e == 0 ? 0.0f : std::ldexp(1.0f, e - 136);
  }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  SourceFormat Format() const override { return SourceFormat::kRadiance; }

  int ReadRows(int max_rows, float* rgb) override {
    int rows = 0;
    for (; rows < max_rows && row_ < height_; ++rows, ++row_) {
      ReadScanline();
      ToFloats(rgb + static_cast<size_t>(rows) * width_ * 3);
    }
    return rows;
  }

 private:
  void ReadHeader() {
    std::string line;
    if (!bytes_.ReadLine(&line, 256) || line.rfind("#?", 0) != 0) {
      throw std::runtime_error("not a Radiance HDR file (no \"#?\" signature)");
    }
    for (int lines = 0;; ++lines) {
      if (!bytes_.ReadLine(&line, 4096) || lines > 1000) {
        throw std::runtime_error("the header is truncated or corrupt");
      }
      if (line.empty()) break;
      if (line.rfind("FORMAT=", 0) == 0 && line != "FORMAT=32-bit_rle_rgbe") {
        throw std::runtime_error("unsupported pixel format \"" + line.substr(7) +
                                 "\"; only 32-bit_rle_rgbe is read");
      }
    }
    ReadResolution();
  }

  void ReadResolution() {
    std::string line;
    char y_axis[3] = {}, x_axis[3] = {};
    long height = 0, width = 0;
    if (!bytes_.ReadLine(&line, 256) ||
        std::sscanf(line.c_str(), "%2s %ld %2s %ld", y_axis, &height, x_axis, &width) != 4) {
      throw std::runtime_error("the resolution line is missing or corrupt");
    }
    if (std::strcmp(y_axis, "-Y") != 0 || std::strcmp(x_axis, "+X") != 0) {
      throw std::runtime_error("unsupported orientation \"" + line +
                               "\"; only \"-Y height +X width\" is read");
    }
    if (width < 1 || height < 1 || width > kMaxSourceSide || height > kMaxSourceSide) {
      throw std::runtime_error("implausible size " + std::to_string(width) + " x " +
                               std::to_string(height));
    }
    width_ = static_cast<int>(width);
    height_ = static_cast<int>(height);
  }

  unsigned char Byte() {
    unsigned char byte = 0;
    if (!bytes_.Next(&byte)) {
      throw std::runtime_error("truncated: the pixels end in row " + std::to_string(row_ + 1) +
                               " of " + std::to_string(height_));
    }
    return byte;
  }

  void ReadScanline() {
    Rgbe first{Byte(), Byte(), Byte(), Byte()};
    bool run_length =
        width_ >= 8 && width_ < 0x8000 && first.r == 2 && first.g == 2 && (first.b & 0x80) == 0;
    if (!run_length) return ReadFlatScanline(first);
    if (((first.b << 8) | first.e) != width_) {
      throw std::runtime_error("corrupt run-length row " + std::to_string(row_ + 1));
    }
    for (int channel = 0; channel < 4; ++channel) ReadChannel(channel);
  }

  // One channel of a run-length row: runs of one byte, or literal bytes.
  void ReadChannel(int channel) {
    unsigned char* out = reinterpret_cast<unsigned char*>(pixels_.data()) + channel;
    for (int x = 0; x < width_;) {
      int count = Byte();
      bool run = count > 128;
      if (run) count -= 128;
      if (count == 0 || count > width_ - x) {
        throw std::runtime_error("corrupt run-length data in row " + std::to_string(row_ + 1));
      }
      unsigned char value = run ? Byte() : 0;
      for (int i = 0; i < count; ++i, ++x) out[x * 4] = run ? value : Byte();
    }
  }

  // Flat pixels, with the old format's repeat marks (1, 1, 1, count).
  void ReadFlatScanline(Rgbe pixel) {
    int shift = 0;
    for (int x = 0; x < width_;) {
      if (x > 0) pixel = Rgbe{Byte(), Byte(), Byte(), Byte()};
      if (pixel.r == 1 && pixel.g == 1 && pixel.b == 1 && x > 0) {
        long repeat = static_cast<long>(pixel.e) << shift;
        if (repeat > width_ - x)
          throw std::runtime_error("corrupt repeat in row " + std::to_string(row_ + 1));
        for (long i = 0; i < repeat; ++i, ++x) pixels_[x] = pixels_[x - 1];
        shift += 8;
        continue;
      }
      pixels_[x++] = pixel;
      shift = 0;
    }
  }

  void ToFloats(float* rgb) const {
    for (int x = 0; x < width_; ++x) {
      const Rgbe& p = pixels_[x];
      float scale = scale_[p.e];
      rgb[x * 3] = p.e ? (p.r + 0.5f) * scale : 0.0f;
      rgb[x * 3 + 1] = p.e ? (p.g + 0.5f) * scale : 0.0f;
      rgb[x * 3 + 2] = p.e ? (p.b + 0.5f) * scale : 0.0f;
    }
  }

  ByteReader bytes_;
  int width_ = 0;
  int height_ = 0;
  int row_ = 0;
  std::vector<Rgbe> pixels_;
  float scale_[256];
};

Rgbe ToRgbe(const float* rgb) {
  float r = std::max(rgb[0], 0.0f), g = std::max(rgb[1], 0.0f), b = std::max(rgb[2], 0.0f);
  float largest = std::max(r, std::max(g, b));
  if (!(largest >= 1e-32f)) return Rgbe{0, 0, 0, 0};
  if (!std::isfinite(largest)) largest = r = g = b = 1e38f;
  int exponent = 0;
  float scale = std::frexp(largest, &exponent) * 256.0f / largest;
  auto mantissa = [scale](float v) {
    return static_cast<unsigned char>(std::min(255.0f, v * scale));
  };
  return Rgbe{mantissa(r), mantissa(g), mantissa(b), static_cast<unsigned char>(exponent + 128)};
}

// Runs of at least four equal bytes are packed; the rest go as literals.
void WriteChannel(const std::vector<unsigned char>& bytes, std::vector<unsigned char>* out) {
  size_t n = bytes.size();
  for (size_t x = 0; x < n;) {
    size_t run = 1;
    while (x + run < n && run < 127 && bytes[x + run] == bytes[x]) ++run;
    if (run >= 4) {
      out->push_back(static_cast<unsigned char>(128 + run));
      out->push_back(bytes[x]);
      x += run;
      continue;
    }
    size_t start = x, literal = 0;
    while (x < n && literal < 128) {
      if (x + 3 < n && bytes[x] == bytes[x + 1] && bytes[x] == bytes[x + 2] &&
          bytes[x] == bytes[x + 3])
        break;
      ++x;
      ++literal;
    }
    out->push_back(static_cast<unsigned char>(literal));
    out->insert(out->end(), bytes.begin() + start, bytes.begin() + start + literal);
  }
}

void AppendScanline(const float* rgb, int width, std::vector<unsigned char>* out) {
  std::vector<Rgbe> pixels(static_cast<size_t>(width));
  for (int x = 0; x < width; ++x) pixels[x] = ToRgbe(rgb + x * 3);
  if (width < 8 || width >= 0x8000) {
    const unsigned char* raw = reinterpret_cast<const unsigned char*>(pixels.data());
    out->insert(out->end(), raw, raw + pixels.size() * 4);
    return;
  }
  out->insert(out->end(), {2, 2, static_cast<unsigned char>(width >> 8),
                           static_cast<unsigned char>(width & 0xff)});
  std::vector<unsigned char> channel(static_cast<size_t>(width));
  for (int c = 0; c < 4; ++c) {
    for (int x = 0; x < width; ++x)
      channel[x] = reinterpret_cast<const unsigned char*>(&pixels[x])[c];
    WriteChannel(channel, out);
  }
}

}  // namespace

std::unique_ptr<ScanlineSource> OpenRadiance(const std::string& path) {
  return std::make_unique<RadianceSource>(path);
}

RadianceWriter::RadianceWriter(const std::string& path, int width, int height)
    : path_(path), width_(width), file_(std::fopen(path.c_str(), "wb")) {
  if (file_ == nullptr)
    throw std::runtime_error("cannot write " + path + ": " + std::strerror(errno));
  std::string header = "#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n\n-Y " + std::to_string(height) +
                       " +X " + std::to_string(width) + "\n";
  bytes_.assign(header.begin(), header.end());
}

RadianceWriter::~RadianceWriter() {
  if (file_ != nullptr) std::fclose(file_);
}

void RadianceWriter::WriteRow(const float* rgb) {
  AppendScanline(rgb, width_, &bytes_);
  if (bytes_.size() >= (1 << 20)) Flush();
}

void RadianceWriter::Flush() {
  if (!bytes_.empty() && std::fwrite(bytes_.data(), 1, bytes_.size(), file_) != bytes_.size()) {
    failed_ = true;
  }
  bytes_.clear();
}

void RadianceWriter::Finish() {
  Flush();
  bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (failed_ || !closed)
    throw std::runtime_error("cannot write " + path_ + ": " + std::strerror(errno));
}

void WriteRadiance(const FloatImage& image, const std::string& path) {
  RadianceWriter writer(path, image.width, image.height);
  for (int y = 0; y < image.height; ++y) writer.WriteRow(image.Row(y));
  writer.Finish();
}

}  // namespace lumipack
