// JPEG and PNG files decoded to 8-bit RGB, told apart by content: the
// stand-in host's bitmaps load through this, and the library check loads
// thumbnails and backgrounds the same way.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace imagecodec {

// Pictures larger than this are refused as out of memory rather than
// allocated on the say-so of a file header.
constexpr int32_t kMaxSide = 32768;
constexpr int64_t kMaxPixels = int64_t{64} * 1024 * 1024;

bool SizeAllowed(int64_t width, int64_t height);

enum class DecodeStatus { kOk, kNotExisting, kWrongType, kOutOfMemory, kFileError, kFileStructure };

struct Picture {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> pixels;  // three bytes per pixel, rows top to bottom
};

// On failure the picture is left untouched and reason says why.
DecodeStatus DecodeStream(std::FILE* file, Picture* picture, std::string* reason);
DecodeStatus DecodeFile(const std::string& path, Picture* picture, std::string* reason);

}  // namespace imagecodec
