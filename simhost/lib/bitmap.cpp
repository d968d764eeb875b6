#include "bitmap.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>

// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on
#include <png.h>

#include "platform/platform.h"

namespace simhost {

namespace {

struct FileCloser {
  void operator()(FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

bool SizeAllowed(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= Bitmap::kMaxSide && height <= Bitmap::kMaxSide &&
         width * height <= Bitmap::kMaxPixels;
}

// ---------------------------------------------------------------- JPEG

// libjpeg reports errors by calling error_exit, which must not return: it
// jumps back into DecodeJpeg. Where the data ends early libjpeg only warns
// and goes on with grey (at the end of the file, or at a marker inside the
// picture's data, an end marker included); those warnings make the file
// broken, and decoding stops at once.
struct JpegErrors {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
  bool truncated;
  char message[JMSG_LENGTH_MAX];
};

void JpegErrorExit(j_common_ptr cinfo) {
  JpegErrors* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
  cinfo->err->format_message(cinfo, errors->message);
  std::longjmp(errors->jump, 1);
}

bool EndsEarly(int code) {
  return code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER || code == JWRN_MUST_RESYNC;
}

void JpegEmitMessage(j_common_ptr cinfo, int level) {
  JpegErrors* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
  if (level < 0 && EndsEarly(cinfo->err->msg_code)) errors->truncated = true;
}

// libjpeg's own buffers (whole-picture ones for progressive files) stay
// within this; beyond it decoding fails instead of allocating.
constexpr long kJpegWorkingMemory = 64L * 1024 * 1024;

struct JpegDecode {
  jpeg_decompress_struct cinfo;
  JpegErrors errors;
  std::vector<uint8_t> pixels;
  std::vector<uint8_t> row;
  int32_t width = 0;
  int32_t height = 0;
  int32_t result = image_result::kOk;
};

// Rows are appended as they are decoded, so the picture never takes more
// memory than the file's data has filled: a header that claims a huge
// picture over a few bytes of data costs a few rows.
void ReadJpegRows(JpegDecode* decode) {
  decode->width = static_cast<int32_t>(decode->cinfo.output_width);
  decode->height = static_cast<int32_t>(decode->cinfo.output_height);
  decode->row.assign(static_cast<size_t>(decode->width) * 3, 0);
  JSAMPROW row = decode->row.data();
  while (decode->cinfo.output_scanline < decode->cinfo.output_height) {
    if (jpeg_read_scanlines(&decode->cinfo, &row, 1) != 1 || decode->errors.truncated) return;
    decode->pixels.insert(decode->pixels.end(), decode->row.begin(), decode->row.end());
  }
}

// Holds no object with a destructor in its own frame, so the jump out of
// libjpeg skips nothing that needs cleaning up.
void DecodeJpeg(FILE* file, JpegDecode* decode) {
  decode->cinfo.err = jpeg_std_error(&decode->errors.manager);
  decode->errors.manager.error_exit = JpegErrorExit;
  decode->errors.manager.emit_message = JpegEmitMessage;
  decode->errors.truncated = false;
  decode->errors.message[0] = '\0';
  if (setjmp(decode->errors.jump) != 0) {
    jpeg_destroy_decompress(&decode->cinfo);
    decode->result = image_result::kFileStructure;
    return;
  }
  jpeg_create_decompress(&decode->cinfo);
  decode->cinfo.mem->max_memory_to_use = kJpegWorkingMemory;
  jpeg_stdio_src(&decode->cinfo, file);
  jpeg_read_header(&decode->cinfo, TRUE);
  if (!SizeAllowed(decode->cinfo.image_width, decode->cinfo.image_height)) {
    jpeg_destroy_decompress(&decode->cinfo);
    decode->result = image_result::kOutOfMemory;
    return;
  }
  decode->cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&decode->cinfo);
  if (!decode->errors.truncated) ReadJpegRows(decode);
  if (!decode->errors.truncated) jpeg_finish_decompress(&decode->cinfo);
  jpeg_destroy_decompress(&decode->cinfo);
  if (decode->errors.truncated) {
    std::snprintf(decode->errors.message, sizeof decode->errors.message, "premature end of data");
    decode->result = image_result::kFileStructure;
  }
}

int32_t LoadJpeg(FILE* file, std::vector<uint8_t>* pixels, int32_t* width, int32_t* height,
                 std::string* error) {
  auto decode = std::make_unique<JpegDecode>();
  DecodeJpeg(file, decode.get());
  if (decode->result != image_result::kOk) {
    *error = decode->result == image_result::kOutOfMemory
                 ? "picture too large"
                 : "JPEG: " + std::string(decode->errors.message);
    return decode->result;
  }
  *pixels = std::move(decode->pixels);
  *width = decode->width;
  *height = decode->height;
  return image_result::kOk;
}

// ----------------------------------------------------------------- PNG

// Deflate makes at most 1032 bytes of one, so a file of n bytes holds at
// most 1032 n bytes of rows; and no row is smaller than its filter byte and
// one bit per pixel.
constexpr int64_t kDeflateLargestRatio = 1032;

int64_t StreamSize(FILE* file) {
  if (std::fseek(file, 0, SEEK_END) != 0) return -1;
  const long size = std::ftell(file);
  std::rewind(file);
  return size;
}

bool DataCanFill(int64_t file_size, int64_t width, int64_t height) {
  const int64_t smallest_rows = height * (1 + (width + 7) / 8);
  return file_size < 0 || smallest_rows <= file_size * kDeflateLargestRatio;
}

// The whole picture is allocated before its rows are read, so a header
// claiming more rows than the file's data can hold is refused first.
int32_t LoadPng(FILE* file, std::vector<uint8_t>* pixels, int32_t* width, int32_t* height,
                std::string* error) {
  const int64_t file_size = StreamSize(file);
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_stdio(&image, file) == 0) {
    *error = std::string("PNG: ") + image.message;
    return image_result::kFileStructure;
  }
  if (!SizeAllowed(image.width, image.height)) {
    png_image_free(&image);
    *error = "picture too large";
    return image_result::kOutOfMemory;
  }
  if (!DataCanFill(file_size, image.width, image.height)) {
    png_image_free(&image);
    *error = "PNG: " + std::to_string(file_size) + " bytes cannot hold the " +
             std::to_string(image.width) + " x " + std::to_string(image.height) +
             " pixels the header claims";
    return image_result::kFileStructure;
  }
  image.format = PNG_FORMAT_RGB;
  std::vector<uint8_t> buffer(PNG_IMAGE_SIZE(image));
  png_color black{0, 0, 0};
  if (png_image_finish_read(&image, &black, buffer.data(), 0, nullptr) == 0) {
    *error = std::string("PNG: ") + image.message;
    png_image_free(&image);
    return image_result::kFileStructure;
  }
  *pixels = std::move(buffer);
  *width = static_cast<int32_t>(image.width);
  *height = static_cast<int32_t>(image.height);
  return image_result::kOk;
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
  if (!SizeAllowed(width, height)) return image_result::kOutOfMemory;
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

// Told apart by content, not by name.
int32_t Bitmap::LoadStream(FILE* file, std::string* reason) {
  unsigned char magic[8] = {};
  const size_t got = std::fread(magic, 1, sizeof magic, file);
  std::rewind(file);
  if (got >= 3 && magic[0] == 0xFF && magic[1] == 0xD8 && magic[2] == 0xFF) {
    return LoadJpeg(file, &pixels_, &width_, &height_, reason);
  }
  if (got == 8 && png_sig_cmp(magic, 0, 8) == 0) {
    return LoadPng(file, &pixels_, &width_, &height_, reason);
  }
  *reason = "neither JPEG nor PNG";
  return image_result::kWrongType;
}

int32_t Bitmap::LoadFile(const std::string& path, std::string* error) {
  std::string reason;
  Clear();
  FilePtr file(platform::OpenFile(path, "rb"));
  int32_t result = image_result::kOk;
  if (platform::Stat(path).is_folder) {
    // Windows refuses to open a folder, POSIX opens it and reads nothing:
    // either way it holds no picture.
    result = image_result::kWrongType;
    reason = "a folder, not a picture";
  } else if (!file) {
    result = errno == ENOENT ? image_result::kNotExisting : image_result::kFileError;
    reason = std::strerror(errno);
  } else {
    result = LoadStream(file.get(), &reason);
  }
  if (result != image_result::kOk) Clear();
  if (error != nullptr) *error = reason;
  return result;
}

int32_t Bitmap::LoadBytes(const uint8_t* data, size_t size, std::string* error) {
  std::string reason = "no data";
  Clear();
  int32_t result = image_result::kFileStructure;
  // An empty buffer makes no stream; such a file is broken anyway.
  FilePtr file(size > 0 ? platform::OpenMemory(data, size) : nullptr);
  if (file) result = LoadStream(file.get(), &reason);
  if (result != image_result::kOk) Clear();
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
