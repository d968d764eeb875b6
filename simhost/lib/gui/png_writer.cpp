#include "png_writer.h"

#include <png.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <system_error>
#include <vector>

#include "jpeg_encoder.h"
#include "platform/platform.h"

namespace simhost {

namespace {

void SetError(std::string* error, const std::string& text) {
  if (error) *error = text;
}

// libpng reports failures by longjmp; nothing with a destructor lives in
// this frame, so the jump is safe.
bool WriteRows(FILE* file, int32_t width, int32_t height, png_bytep* rows) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

// Writes beside the target first and renames it into place, so that a
// failed write never leaves a half picture under the target's name.
bool WriteThroughTemporary(const std::string& path, const std::function<bool(FILE*)>& write,
                           std::string* error) {
  const std::string temporary = path + ".part";
  FILE* file = platform::OpenFile(temporary, "wb");
  if (!file) {
    SetError(error, "cannot create " + temporary);
    return false;
  }
  const bool written = write(file);
  const bool closed = std::fclose(file) == 0;
  std::string ignored;
  if (!written || !closed || !platform::MoveIntoPlace(temporary, path, &ignored)) {
    platform::RemoveFile(temporary);
    SetError(error, "cannot write " + path);
    return false;
  }
  return true;
}

bool WriteBytesCarefully(const std::string& bytes, const std::string& path, std::string* error) {
  return WriteThroughTemporary(
      path,
      [&bytes](FILE* file) {
        return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
      },
      error);
}

std::string LowerSuffix(const std::filesystem::path& path) {
  std::string suffix = path.extension().string();
  std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return suffix;
}

}  // namespace

bool WritePicture(int32_t width, int32_t height, const uint8_t* rgb, const std::string& path,
                  std::string* error) {
  const std::filesystem::path file = platform::PathFromUtf8(path);
  const std::string suffix = LowerSuffix(file);
  const bool jpeg = suffix == ".jpg" || suffix == ".jpeg";
  if (!jpeg && suffix != ".png") {
    SetError(error, "cannot save " + path + ": name it .png, .jpg or .jpeg");
    return false;
  }
  const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
  if (!platform::Stat(platform::Utf8FromPath(folder)).is_folder) {
    SetError(error, "cannot save " + path + ": the folder " + platform::Utf8FromPath(folder) +
                        " does not exist (create it first)");
    return false;
  }
  if (!jpeg) return WritePng(width, height, rgb, path, error);
  if (width <= 0 || height <= 0 || !rgb) {
    SetError(error, "nothing to save: the picture is empty");
    return false;
  }
  const std::string bytes = EncodeRgbJpeg(width, height, rgb);
  if (bytes.empty()) {
    SetError(error, "cannot save " + path + ": JPEG cannot hold " + std::to_string(width) + "x" +
                        std::to_string(height) + " pixels (save it as .png)");
    return false;
  }
  return WriteBytesCarefully(bytes, path, error);
}

bool WritePng(int32_t width, int32_t height, const uint8_t* rgb, const std::string& path,
              std::string* error) {
  if (width <= 0 || height <= 0 || !rgb) {
    SetError(error, "nothing to save: the picture is empty");
    return false;
  }
  std::vector<png_bytep> rows(static_cast<size_t>(height));
  const size_t stride = static_cast<size_t>(width) * 3;
  auto* pixels = const_cast<uint8_t*>(rgb);
  for (size_t y = 0; y < rows.size(); ++y) rows[y] = pixels + y * stride;
  return WriteThroughTemporary(
      path, [&](FILE* file) { return WriteRows(file, width, height, rows.data()); }, error);
}

}  // namespace simhost
