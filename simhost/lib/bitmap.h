// 8-bit RGB pictures: loaded from JPEG or PNG files, made by size, scaled,
// copied and saved as PNG.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "c4d_abi_ids.h"
#include "handles.h"
#include "picture_decoding.h"

namespace simhost {

// The host's IMAGERESULT values.
namespace image_result {
constexpr int32_t kOk = C4D_IMAGERESULT_OK;
constexpr int32_t kNotExisting = C4D_IMAGERESULT_NOTEXISTING;
constexpr int32_t kWrongType = C4D_IMAGERESULT_WRONGTYPE;
constexpr int32_t kOutOfMemory = C4D_IMAGERESULT_OUTOFMEMORY;
constexpr int32_t kFileError = C4D_IMAGERESULT_FILEERROR;
constexpr int32_t kFileStructure = C4D_IMAGERESULT_FILESTRUCTURE;
constexpr int32_t kParamError = C4D_IMAGERESULT_PARAM_ERROR;
}  // namespace image_result

class Bitmap : public TrackedHandle<c4d_bitmap> {
 public:
  // Pictures larger than this are refused as out of memory rather than
  // allocated on the say-so of a file header.
  static constexpr int32_t kMaxSide = imagecodec::kMaxSide;
  static constexpr int64_t kMaxPixels = imagecodec::kMaxPixels;

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  int32_t BitsPerPixel() const { return 24; }
  int32_t BytesPerLine() const { return width_ * 3; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  // Three bytes per pixel, rows top to bottom.
  const std::vector<uint8_t>& Pixels() const { return pixels_; }

  // A black picture of that size; IMAGERESULT.
  int32_t InitSize(int32_t width, int32_t height);
  // Loads a JPEG or PNG file, told apart by content. On failure the bitmap
  // is left empty and error (when given) says why; IMAGERESULT.
  int32_t LoadFile(const std::string& path, std::string* error = nullptr);
  // The same from bytes in memory (a file's whole content).
  int32_t LoadBytes(const uint8_t* data, size_t size, std::string* error = nullptr);
  void Clear();

  // Out of range: false (and black for GetPixel).
  bool GetPixel(int32_t x, int32_t y, uint8_t rgb[3]) const;
  bool SetPixel(int32_t x, int32_t y, int32_t r, int32_t g, int32_t b);

  // Resamples all of this picture into all of destination, which keeps its
  // size: box filter where it shrinks, bilinear where it grows. intensity
  // 256 keeps the brightness, 128 halves it.
  void ScaleInto(Bitmap* destination, int32_t intensity) const;
  bool SavePng(const std::string& path, std::string* error = nullptr) const;

 private:
  // Keeps a decoded picture when result is kOk; returns result.
  int32_t TakeDecoded(int32_t result, imagecodec::Picture* picture);

  int32_t width_ = 0;
  int32_t height_ = 0;
  std::vector<uint8_t> pixels_;
};

inline Bitmap* ToBitmap(c4d_bitmap* handle) { return FromHandle<Bitmap>(handle); }
inline const Bitmap* ToBitmap(const c4d_bitmap* handle) { return FromHandle<Bitmap>(handle); }

}  // namespace simhost
