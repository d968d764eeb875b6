#include "picture_decoding.h"

#include <cerrno>
#include <csetjmp>
#include <cstring>
#include <memory>

// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on
#include <png.h>

#include "platform/platform.h"

namespace imagecodec {

namespace {

namespace platform = lumidrome::platform;

using platform::FilePtr;

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
  DecodeStatus result = DecodeStatus::kOk;
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
    decode->result = DecodeStatus::kFileStructure;
    return;
  }
  jpeg_create_decompress(&decode->cinfo);
  decode->cinfo.mem->max_memory_to_use = kJpegWorkingMemory;
  jpeg_stdio_src(&decode->cinfo, file);
  jpeg_read_header(&decode->cinfo, TRUE);
  if (!SizeAllowed(decode->cinfo.image_width, decode->cinfo.image_height)) {
    jpeg_destroy_decompress(&decode->cinfo);
    decode->result = DecodeStatus::kOutOfMemory;
    return;
  }
  decode->cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&decode->cinfo);
  if (!decode->errors.truncated) ReadJpegRows(decode);
  if (!decode->errors.truncated) jpeg_finish_decompress(&decode->cinfo);
  jpeg_destroy_decompress(&decode->cinfo);
  if (decode->errors.truncated) {
    std::snprintf(decode->errors.message, sizeof decode->errors.message, "premature end of data");
    decode->result = DecodeStatus::kFileStructure;
  }
}

DecodeStatus LoadJpeg(FILE* file, std::vector<uint8_t>* pixels, int32_t* width, int32_t* height,
                      std::string* error) {
  auto decode = std::make_unique<JpegDecode>();
  DecodeJpeg(file, decode.get());
  if (decode->result != DecodeStatus::kOk) {
    *error = decode->result == DecodeStatus::kOutOfMemory
                 ? "picture too large"
                 : "JPEG: " + std::string(decode->errors.message);
    return decode->result;
  }
  *pixels = std::move(decode->pixels);
  *width = decode->width;
  *height = decode->height;
  return DecodeStatus::kOk;
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
DecodeStatus LoadPng(FILE* file, std::vector<uint8_t>* pixels, int32_t* width, int32_t* height,
                     std::string* error) {
  const int64_t file_size = StreamSize(file);
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_stdio(&image, file) == 0) {
    *error = std::string("PNG: ") + image.message;
    return DecodeStatus::kFileStructure;
  }
  if (!SizeAllowed(image.width, image.height)) {
    png_image_free(&image);
    *error = "picture too large";
    return DecodeStatus::kOutOfMemory;
  }
  if (!DataCanFill(file_size, image.width, image.height)) {
    png_image_free(&image);
    *error = "PNG: " + std::to_string(file_size) + " bytes cannot hold the " +
             std::to_string(image.width) + " x " + std::to_string(image.height) +
             " pixels the header claims";
    return DecodeStatus::kFileStructure;
  }
  image.format = PNG_FORMAT_RGB;
  std::vector<uint8_t> buffer(PNG_IMAGE_SIZE(image));
  png_color black{0, 0, 0};
  if (png_image_finish_read(&image, &black, buffer.data(), 0, nullptr) == 0) {
    *error = std::string("PNG: ") + image.message;
    png_image_free(&image);
    return DecodeStatus::kFileStructure;
  }
  *pixels = std::move(buffer);
  *width = static_cast<int32_t>(image.width);
  *height = static_cast<int32_t>(image.height);
  return DecodeStatus::kOk;
}

}  // namespace

bool SizeAllowed(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
         width * height <= kMaxPixels;
}

// Told apart by content, not by name.
DecodeStatus DecodeStream(FILE* file, Picture* picture, std::string* reason) {
  unsigned char magic[8] = {};
  const size_t got = std::fread(magic, 1, sizeof magic, file);
  std::rewind(file);
  if (got >= 3 && magic[0] == 0xFF && magic[1] == 0xD8 && magic[2] == 0xFF) {
    return LoadJpeg(file, &picture->pixels, &picture->width, &picture->height, reason);
  }
  if (got == 8 && png_sig_cmp(magic, 0, 8) == 0) {
    return LoadPng(file, &picture->pixels, &picture->width, &picture->height, reason);
  }
  *reason = "neither JPEG nor PNG";
  return DecodeStatus::kWrongType;
}

DecodeStatus DecodeFile(const std::string& path, Picture* picture, std::string* reason) {
  if (platform::Stat(path).is_folder) {
    // Windows refuses to open a folder, POSIX opens it and reads nothing:
    // either way it holds no picture.
    *reason = "a folder, not a picture";
    return DecodeStatus::kWrongType;
  }
  FilePtr file(platform::OpenFile(path, "rb"));
  if (!file) {
    const int error = errno;
    *reason = std::strerror(error);
    return error == ENOENT ? DecodeStatus::kNotExisting : DecodeStatus::kFileError;
  }
  return DecodeStream(file.get(), picture, reason);
}

}  // namespace imagecodec
