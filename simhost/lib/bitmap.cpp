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
// jumps back into DecodeJpeg. A truncated file only draws a warning from
// libjpeg (it pads the picture with grey); that warning counts as failure.
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

void JpegEmitMessage(j_common_ptr cinfo, int level) {
  JpegErrors* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
  if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) errors->truncated = true;
}

struct JpegDecode {
  jpeg_decompress_struct cinfo;
  JpegErrors errors;
  std::vector<uint8_t> pixels;
  int32_t width = 0;
  int32_t height = 0;
  int32_t result = image_result::kOk;
};

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
  jpeg_stdio_src(&decode->cinfo, file);
  jpeg_read_header(&decode->cinfo, TRUE);
  if (!SizeAllowed(decode->cinfo.image_width, decode->cinfo.image_height)) {
    jpeg_destroy_decompress(&decode->cinfo);
    decode->result = image_result::kOutOfMemory;
    return;
  }
  decode->cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&decode->cinfo);
  decode->width = static_cast<int32_t>(decode->cinfo.output_width);
  decode->height = static_cast<int32_t>(decode->cinfo.output_height);
  decode->pixels.assign(static_cast<size_t>(decode->width) * decode->height * 3, 0);
  while (decode->cinfo.output_scanline < decode->cinfo.output_height && !decode->errors.truncated) {
    JSAMPROW row = decode->pixels.data() +
                   static_cast<size_t>(decode->cinfo.output_scanline) * decode->width * 3;
    jpeg_read_scanlines(&decode->cinfo, &row, 1);
  }
  if (!decode->errors.truncated) jpeg_finish_decompress(&decode->cinfo);
  jpeg_destroy_decompress(&decode->cinfo);
  if (decode->errors.truncated) {
    std::snprintf(decode->errors.message, sizeof decode->errors.message, "premature end of file");
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

int32_t LoadPng(FILE* file, std::vector<uint8_t>* pixels, int32_t* width, int32_t* height,
                std::string* error) {
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

struct Tap {
  int32_t index;
  double weight;
};

// For each destination index along one axis, the source indices it draws
// from and their weights (summing to 1).
std::vector<std::vector<Tap>> AxisTaps(int32_t source, int32_t destination) {
  std::vector<std::vector<Tap>> taps(static_cast<size_t>(destination));
  const double scale = static_cast<double>(source) / destination;
  for (int32_t d = 0; d < destination; ++d) {
    std::vector<Tap>& out = taps[static_cast<size_t>(d)];
    if (scale > 1.0) {
      const double begin = d * scale;
      const double end = begin + scale;
      for (int32_t s = static_cast<int32_t>(begin); s < source && s < end; ++s) {
        const double overlap = std::min<double>(end, s + 1) - std::max<double>(begin, s);
        if (overlap > 0) out.push_back({s, overlap / scale});
      }
    } else {
      const double center = std::clamp((d + 0.5) * scale - 0.5, 0.0, source - 1.0);
      const int32_t low = static_cast<int32_t>(center);
      const double fraction = center - low;
      out.push_back({low, 1.0 - fraction});
      if (low + 1 < source && fraction > 0) out.push_back({low + 1, fraction});
    }
  }
  return taps;
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

int32_t Bitmap::LoadFile(const std::string& path, std::string* error) {
  std::string reason;
  Clear();
  FilePtr file(std::fopen(path.c_str(), "rb"));
  int32_t result = image_result::kOk;
  if (!file) {
    result = errno == ENOENT ? image_result::kNotExisting : image_result::kFileError;
    reason = std::strerror(errno);
  } else {
    unsigned char magic[8] = {};
    const size_t got = std::fread(magic, 1, sizeof magic, file.get());
    std::rewind(file.get());
    if (got >= 3 && magic[0] == 0xFF && magic[1] == 0xD8 && magic[2] == 0xFF) {
      result = LoadJpeg(file.get(), &pixels_, &width_, &height_, &reason);
    } else if (got == 8 && png_sig_cmp(magic, 0, 8) == 0) {
      result = LoadPng(file.get(), &pixels_, &width_, &height_, &reason);
    } else {
      result = image_result::kWrongType;
      reason = "neither JPEG nor PNG";
    }
  }
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
  const std::vector<uint8_t> source = pixels_;  // destination may be this bitmap
  const int32_t out_w = destination->width_;
  const int32_t out_h = destination->height_;
  const auto columns = AxisTaps(width_, out_w);
  const auto rows = AxisTaps(height_, out_h);
  // Rows first into a wide buffer, then columns.
  std::vector<double> wide(static_cast<size_t>(out_w) * height_ * 3, 0.0);
  for (int32_t y = 0; y < height_; ++y) {
    for (int32_t x = 0; x < out_w; ++x) {
      for (const Tap& tap : columns[static_cast<size_t>(x)]) {
        for (int c = 0; c < 3; ++c) {
          wide[(static_cast<size_t>(y) * out_w + x) * 3 + c] +=
              tap.weight * source[(static_cast<size_t>(y) * width_ + tap.index) * 3 + c];
        }
      }
    }
  }
  const double gain = std::max(intensity, 0) / 256.0;
  for (int32_t y = 0; y < out_h; ++y) {
    for (int32_t x = 0; x < out_w; ++x) {
      for (int c = 0; c < 3; ++c) {
        double sum = 0;
        for (const Tap& tap : rows[static_cast<size_t>(y)]) {
          sum += tap.weight * wide[(static_cast<size_t>(tap.index) * out_w + x) * 3 + c];
        }
        destination->pixels_[(static_cast<size_t>(y) * out_w + x) * 3 + c] =
            static_cast<uint8_t>(std::clamp(std::lround(sum * gain), 0L, 255L));
      }
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
  if (png_image_write_to_file(&image, path.c_str(), 0, pixels_.data(), 0, nullptr) == 0) {
    if (error != nullptr) *error = std::string("PNG: ") + image.message;
    return false;
  }
  return true;
}

}  // namespace simhost
