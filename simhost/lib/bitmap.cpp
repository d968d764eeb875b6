#include "bitmap.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/platform.h"

namespace simhost {

namespace {

using platform::FilePtr;

// The host's IMAGERESULT for a decoding outcome.
int32_t ImageResult(imagecodec::DecodeStatus status) {
  switch (status) {
    case imagecodec::DecodeStatus::kOk:
      return image_result::kOk;
    case imagecodec::DecodeStatus::kNotExisting:
      return image_result::kNotExisting;
    case imagecodec::DecodeStatus::kWrongType:
      return image_result::kWrongType;
    case imagecodec::DecodeStatus::kOutOfMemory:
      return image_result::kOutOfMemory;
    case imagecodec::DecodeStatus::kFileError:
      return image_result::kFileError;
    case imagecodec::DecodeStatus::kFileStructure:
      break;
  }
  return image_result::kFileStructure;
}

// --------------------------------------------------------------- scaling

// Weights are fixed-point: the taps of one destination index sum to exactly
// kOne, so a flat picture stays flat.
constexpr int32_t kWeightBits = 12;
constexpr int32_t kOne = 1 << kWeightBits;

struct Tap {
  int32_t index;
  int32_t weight;
};

// Makes the weights of one destination index sum to kOne; the largest tap
// takes the rounding.
void Normalise(std::vector<Tap>* taps, const std::vector<double>& exact) {
  int32_t sum = 0;
  size_t largest = 0;
  for (size_t i = 0; i < taps->size(); ++i) {
    (*taps)[i].weight = static_cast<int32_t>(std::lround(exact[i] * kOne));
    sum += (*taps)[i].weight;
    if ((*taps)[i].weight > (*taps)[largest].weight) largest = i;
  }
  if (!taps->empty()) (*taps)[largest].weight += kOne - sum;
}

// For each destination index along one axis, the source indices it draws
// from and their weights: a box filter where it shrinks, bilinear where it
// grows.
std::vector<std::vector<Tap>> AxisTaps(int32_t source, int32_t destination) {
  std::vector<std::vector<Tap>> taps(static_cast<size_t>(destination));
  const double scale = static_cast<double>(source) / destination;
  for (int32_t d = 0; d < destination; ++d) {
    std::vector<Tap>& out = taps[static_cast<size_t>(d)];
    std::vector<double> exact;
    if (scale > 1.0) {
      const double begin = d * scale;
      const double end = begin + scale;
      for (int32_t s = static_cast<int32_t>(begin); s < source && s < end; ++s) {
        const double overlap = std::min<double>(end, s + 1) - std::max<double>(begin, s);
        if (overlap > 0) {
          out.push_back({s, 0});
          exact.push_back(overlap / scale);
        }
      }
    } else {
      const double center = std::clamp((d + 0.5) * scale - 0.5, 0.0, source - 1.0);
      const int32_t low = static_cast<int32_t>(center);
      const double fraction = center - low;
      out.push_back({low, 0});
      exact.push_back(1.0 - fraction);
      if (low + 1 < source && fraction > 0) {
        out.push_back({low + 1, 0});
        exact.push_back(fraction);
      }
    }
    Normalise(&out, exact);
  }
  return taps;
}

// One pass along rows: each destination column from its taps, in the
// weights' fixed point.
std::vector<uint32_t> ScaleRows(const std::vector<uint8_t>& source, int32_t width, int32_t height,
                                int32_t out_w) {
  const auto columns = AxisTaps(width, out_w);
  std::vector<uint32_t> wide(static_cast<size_t>(out_w) * height * 3);
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* row = source.data() + static_cast<size_t>(y) * width * 3;
    uint32_t* out = wide.data() + static_cast<size_t>(y) * out_w * 3;
    for (int32_t x = 0; x < out_w; ++x, out += 3) {
      uint32_t sum[3] = {0, 0, 0};
      for (const Tap& tap : columns[static_cast<size_t>(x)]) {
        const uint8_t* pixel = row + static_cast<size_t>(tap.index) * 3;
        for (int c = 0; c < 3; ++c) sum[c] += static_cast<uint32_t>(tap.weight) * pixel[c];
      }
      std::copy(sum, sum + 3, out);
    }
  }
  return wide;
}

}  // namespace

int32_t Bitmap::InitSize(int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) return image_result::kParamError;
  if (!imagecodec::SizeAllowed(width, height)) return image_result::kOutOfMemory;
  width_ = width;
  height_ = height;
  pixels_.assign(static_cast<size_t>(width) * height * 3, 0);
  return image_result::kOk;
}

void Bitmap::Clear() {
  width_ = 0;
  height_ = 0;
  pixels_.clear();
  pixels_.shrink_to_fit();
}

int32_t Bitmap::TakeDecoded(int32_t result, imagecodec::Picture* picture) {
  if (result != image_result::kOk) return result;
  width_ = picture->width;
  height_ = picture->height;
  pixels_ = std::move(picture->pixels);
  return result;
}

int32_t Bitmap::LoadFile(const std::string& path, std::string* error) {
  std::string reason;
  Clear();
  imagecodec::Picture picture;
  const int32_t result =
      TakeDecoded(ImageResult(imagecodec::DecodeFile(path, &picture, &reason)), &picture);
  if (error != nullptr) *error = reason;
  return result;
}

int32_t Bitmap::LoadBytes(const uint8_t* data, size_t size, std::string* error) {
  std::string reason = "no data";
  Clear();
  imagecodec::Picture picture;
  int32_t result = image_result::kFileStructure;
  // An empty buffer makes no stream; such a file is broken anyway.
  FilePtr file(size > 0 ? platform::OpenMemory(data, size) : nullptr);
  if (file) {
    result =
        TakeDecoded(ImageResult(imagecodec::DecodeStream(file.get(), &picture, &reason)), &picture);
  }
  if (error != nullptr) *error = reason;
  return result;
}

bool Bitmap::GetPixel(int32_t x, int32_t y, uint8_t rgb[3]) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) {
    rgb[0] = rgb[1] = rgb[2] = 0;
    return false;
  }
  const uint8_t* pixel = &pixels_[(static_cast<size_t>(y) * width_ + x) * 3];
  std::copy(pixel, pixel + 3, rgb);
  return true;
}

bool Bitmap::SetPixel(int32_t x, int32_t y, int32_t r, int32_t g, int32_t b) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return false;
  uint8_t* pixel = &pixels_[(static_cast<size_t>(y) * width_ + x) * 3];
  pixel[0] = static_cast<uint8_t>(std::clamp(r, 0, 255));
  pixel[1] = static_cast<uint8_t>(std::clamp(g, 0, 255));
  pixel[2] = static_cast<uint8_t>(std::clamp(b, 0, 255));
  return true;
}

void Bitmap::ScaleInto(Bitmap* destination, int32_t intensity) const {
  if (Empty() || destination == nullptr || destination->Empty()) return;
  const int32_t out_w = destination->width_;
  const int32_t out_h = destination->height_;
  // Beyond 255 times the brightness every lit channel is white anyway.
  const uint64_t gain = static_cast<uint64_t>(std::clamp(intensity, 0, 256 * 256));
  if (out_w == width_ && out_h == height_ && gain == 256) {
    destination->pixels_ = pixels_;
    return;
  }
  // Rows first into a wide buffer, then columns; this copy lets the
  // destination be this bitmap.
  const std::vector<uint32_t> wide = ScaleRows(pixels_, width_, height_, out_w);
  const auto rows = AxisTaps(height_, out_h);
  constexpr int kShift = 2 * kWeightBits + 8;  // two weights and the gain's 256
  const uint64_t half = uint64_t{1} << (kShift - 1);
  for (int32_t y = 0; y < out_h; ++y) {
    uint8_t* out = destination->pixels_.data() + static_cast<size_t>(y) * out_w * 3;
    for (int32_t i = 0; i < out_w * 3; ++i) {
      uint64_t sum = 0;
      for (const Tap& tap : rows[static_cast<size_t>(y)]) {
        sum += static_cast<uint64_t>(tap.weight) *
               wide[static_cast<size_t>(tap.index) * out_w * 3 + i];
      }
      out[i] = static_cast<uint8_t>(std::min<uint64_t>((sum * gain + half) >> kShift, 255));
    }
  }
}

bool Bitmap::SavePng(const std::string& path, std::string* error) const {
  if (Empty()) {
    if (error != nullptr) *error = "empty bitmap";
    return false;
  }
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width_);
  image.height = static_cast<png_uint_32>(height_);
  image.format = PNG_FORMAT_RGB;
  // Opened here, not by libpng, whose fopen takes no UTF-8 names on Windows.
  FilePtr file(platform::OpenFile(path, "wb"));
  if (!file) {
    if (error != nullptr) *error = "cannot create " + path + ": " + platform::LastErrorText();
    return false;
  }
  if (png_image_write_to_stdio(&image, file.get(), 0, pixels_.data(), 0, nullptr) == 0) {
    if (error != nullptr) *error = std::string("PNG: ") + image.message;
    file.reset();
    platform::RemoveFile(path);
    return false;
  }
  if (std::fclose(file.release()) != 0) {
    if (error != nullptr) *error = "cannot finish writing " + path;
    platform::RemoveFile(path);
    return false;
  }
  return true;
}

}  // namespace simhost
