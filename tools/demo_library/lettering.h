// Draws short ASCII labels into 8-bit images with an outline font.
#pragma once

#include <string>

#include "raster.h"

struct FT_LibraryRec_;
struct FT_FaceRec_;

namespace demo {

class Lettering {
 public:
  explicit Lettering(const std::string& fontFile);
  ~Lettering();
  Lettering(const Lettering&) = delete;
  Lettering& operator=(const Lettering&) = delete;

  // False when the font could not be opened; drawing then does nothing.
  bool IsReady() const { return face_ != nullptr; }

  // Advance width of `text` in pixels at the given pixel height.
  int Measure(const std::string& text, int pixelSize);

  // Draws `text` with its baseline starting at (x, baseline).
  void Draw(ByteImage& image, const std::string& text, int x, int baseline, int pixelSize,
            Rgb color);

 private:
  FT_LibraryRec_* library_ = nullptr;
  FT_FaceRec_* face_ = nullptr;
};

}  // namespace demo
