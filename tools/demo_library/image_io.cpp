#include "image_io.h"

#include <jpeglib.h>
#include <png.h>

#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace demo {

bool ReadFileBytes(const std::filesystem::path& file, std::string& bytes) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool WriteFileBytes(const std::filesystem::path& file, const void* data, size_t size) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
  out.close();
  return !out.fail();
}

// ---- JPEG ----------------------------------------------------------------
// The codec reports fatal errors through error_exit, which must not return;
// it jumps back into the function that set the trap. Those functions hold
// only plain data, so the jump skips no destructor.

namespace {

struct JpegErrorTrap {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

[[noreturn]] void JumpOutOfJpeg(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegErrorTrap*>(info->err)->jump, 1);
}

void SilenceJpeg(j_common_ptr, int) {}

void CompressRows(jpeg_compress_struct* info, const ByteImage& rgb, int quality) {
  info->image_width = static_cast<JDIMENSION>(rgb.width);
  info->image_height = static_cast<JDIMENSION>(rgb.height);
  info->input_components = 3;
  info->in_color_space = JCS_RGB;
  jpeg_set_defaults(info);
  jpeg_set_quality(info, quality, TRUE);
  info->optimize_coding = TRUE;  // smaller files, same pixels
  jpeg_start_compress(info, TRUE);
  while (info->next_scanline < info->image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(rgb.Pixel(0, static_cast<int>(info->next_scanline)));
    jpeg_write_scanlines(info, &row, 1);
  }
  jpeg_finish_compress(info);
}

bool CompressJpeg(const ByteImage& rgb, int quality, unsigned char** buffer, unsigned long* size) {
  jpeg_compress_struct info;
  JpegErrorTrap trap;
  info.err = jpeg_std_error(&trap.manager);
  trap.manager.error_exit = JumpOutOfJpeg;
  if (setjmp(trap.jump)) {
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, buffer, size);
  CompressRows(&info, rgb, quality);
  jpeg_destroy_compress(&info);
  return true;
}

void DecompressRows(jpeg_decompress_struct* info, ByteImage& rgb) {
  jpeg_read_header(info, TRUE);
  info->out_color_space = JCS_RGB;
  jpeg_start_decompress(info);
  rgb = ByteImage(static_cast<int>(info->output_width), static_cast<int>(info->output_height), 3);
  while (info->output_scanline < info->output_height) {
    JSAMPROW row = rgb.Pixel(0, static_cast<int>(info->output_scanline));
    jpeg_read_scanlines(info, &row, 1);
  }
  jpeg_finish_decompress(info);
}

bool DecompressJpeg(const std::string& bytes, ByteImage& rgb) {
  jpeg_decompress_struct info;
  JpegErrorTrap trap;
  info.err = jpeg_std_error(&trap.manager);
  trap.manager.error_exit = JumpOutOfJpeg;
  trap.manager.emit_message = SilenceJpeg;
  if (setjmp(trap.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  DecompressRows(&info, rgb);
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace

bool WriteJpeg(const std::filesystem::path& file, const ByteImage& rgb, int quality) {
  if (rgb.channels != 3 || rgb.width <= 0 || rgb.height <= 0) return false;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  const bool compressed = CompressJpeg(rgb, quality, &buffer, &size);
  const bool written = compressed && WriteFileBytes(file, buffer, size);
  std::free(buffer);
  return written;
}

bool ReadJpeg(const std::filesystem::path& file, ByteImage& rgb) {
  std::string bytes;
  if (!ReadFileBytes(file, bytes) || bytes.empty()) return false;
  return DecompressJpeg(bytes, rgb);
}

// ---- PNG -----------------------------------------------------------------

bool WritePng(const std::filesystem::path& file, const ByteImage& rgba) {
  if (rgba.channels != 4 || rgba.width <= 0 || rgba.height <= 0) return false;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(rgba.width);
  image.height = static_cast<png_uint_32>(rgba.height);
  image.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgba.samples.data(), 0, nullptr)) {
    return false;
  }
  std::string buffer(size, '\0');
  if (!png_image_write_to_memory(&image, buffer.data(), &size, 0, rgba.samples.data(), 0,
                                 nullptr)) {
    return false;
  }
  return WriteFileBytes(file, buffer.data(), size);
}

bool ReadPng(const std::filesystem::path& file, ByteImage& rgba) {
  std::string bytes;
  if (!ReadFileBytes(file, bytes)) return false;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return false;
  image.format = PNG_FORMAT_RGBA;
  rgba = ByteImage(static_cast<int>(image.width), static_cast<int>(image.height), 4);
  if (!png_image_finish_read(&image, nullptr, rgba.samples.data(), 0, nullptr)) {
    png_image_free(&image);
    return false;
  }
  return true;
}

// ---- Radiance RGBE -------------------------------------------------------

std::array<std::uint8_t, 4> EncodeRgbe(Rgb color) {
  const float largest = 1.0e38f;
  const auto usable = [largest](float v) { return v > 0.0f ? std::fmin(v, largest) : 0.0f; };
  const float r = usable(color.r);
  const float g = usable(color.g);
  const float b = usable(color.b);
  const float brightest = std::fmax(r, std::fmax(g, b));
  if (brightest < 1.0e-32f) return {0, 0, 0, 0};
  int exponent = 0;
  const float mantissa = std::frexp(brightest, &exponent);
  const float scale = mantissa * 256.0f / brightest;
  const auto byte = [scale](float v) {
    return static_cast<std::uint8_t>(std::fmin(255.0f, v * scale));
  };
  return {byte(r), byte(g), byte(b), static_cast<std::uint8_t>(exponent + 128)};
}

Rgb DecodeRgbe(const std::uint8_t* rgbe) {
  if (rgbe[3] == 0) return {};
  const float scale = std::ldexp(1.0f, rgbe[3] - (128 + 8));
  return {rgbe[0] * scale, rgbe[1] * scale, rgbe[2] * scale};
}

std::string EncodeRadiance(const FloatImage& image) {
  std::ostringstream header;
  header << "#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n\n-Y " << image.height << " +X " << image.width
         << "\n";
  std::string bytes = header.str();
  bytes.reserve(bytes.size() + image.samples.size() / 3 * 4);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const auto rgbe = EncodeRgbe(image.Get(x, y));
      bytes.append(reinterpret_cast<const char*>(rgbe.data()), rgbe.size());
    }
  }
  return bytes;
}

namespace {

// Reads header lines up to the blank line; true when the format is RGBE.
bool ParseRadianceHeader(std::istringstream& in) {
  std::string line;
  if (!std::getline(in, line) || line.rfind("#?", 0) != 0) return false;
  bool rgbe = false;
  while (std::getline(in, line) && !line.empty()) {
    if (line == "FORMAT=32-bit_rle_rgbe") rgbe = true;
  }
  return rgbe && in.good();
}

bool ParseResolution(std::istringstream& in, int& width, int& height) {
  std::string line;
  if (!std::getline(in, line)) return false;
  char sizeLine[2][3] = {};
  long rows = 0;
  long columns = 0;
  if (std::sscanf(line.c_str(), "%2s %ld %2s %ld", sizeLine[0], &rows, sizeLine[1], &columns) !=
      4) {
    return false;
  }
  if (std::string(sizeLine[0]) != "-Y" || std::string(sizeLine[1]) != "+X") return false;
  if (rows <= 0 || columns <= 0 || rows > 32768 || columns > 32768) return false;
  width = static_cast<int>(columns);
  height = static_cast<int>(rows);
  return true;
}

}  // namespace

bool ParseRadiance(const std::string& bytes, FloatImage& image) {
  std::istringstream in(bytes);
  int width = 0;
  int height = 0;
  if (!ParseRadianceHeader(in) || !ParseResolution(in, width, height)) return false;
  const std::streamoff position = in.tellg();
  if (position < 0) return false;
  const auto offset = static_cast<size_t>(position);
  const size_t pixels = static_cast<size_t>(width) * static_cast<size_t>(height);
  if (bytes.size() - offset != pixels * 4) return false;  // flat scanlines only
  image = FloatImage(width, height);
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data()) + offset;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.Set(x, y, DecodeRgbe(data + (static_cast<size_t>(y) * width + x) * 4));
    }
  }
  return true;
}

bool WriteRadiance(const std::filesystem::path& file, const FloatImage& image) {
  if (image.width <= 0 || image.height <= 0) return false;
  const std::string bytes = EncodeRadiance(image);
  return WriteFileBytes(file, bytes.data(), bytes.size());
}

bool ReadRadiance(const std::filesystem::path& file, FloatImage& image) {
  std::string bytes;
  return ReadFileBytes(file, bytes) && ParseRadiance(bytes, image);
}

}  // namespace demo
