#include "lettering.h"

#include <ft2build.h>
#include FT_FREETYPE_H

namespace demo {

Lettering::Lettering(const std::string& fontFile) {
  if (FT_Init_FreeType(&library_) != 0) {
    library_ = nullptr;
    return;
  }
  if (FT_New_Face(library_, fontFile.c_str(), 0, &face_) != 0) face_ = nullptr;
}

Lettering::~Lettering() {
  if (face_ != nullptr) FT_Done_Face(face_);
  if (library_ != nullptr) FT_Done_FreeType(library_);
}

int Lettering::Measure(const std::string& text, int pixelSize) {
  if (!IsReady() || FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(pixelSize)) != 0) return 0;
  FT_Pos advance = 0;
  for (unsigned char c : text) {
    if (FT_Load_Char(face_, c, FT_LOAD_DEFAULT) == 0) advance += face_->glyph->advance.x;
  }
  return static_cast<int>(advance >> 6);
}

namespace {

void BlitGlyph(ByteImage& image, const FT_GlyphSlot glyph, int left, int top, Rgb color) {
  const FT_Bitmap& bitmap = glyph->bitmap;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) return;
  for (unsigned row = 0; row < bitmap.rows; ++row) {
    for (unsigned column = 0; column < bitmap.width; ++column) {
      const unsigned char coverage = bitmap.buffer[row * bitmap.pitch + column];
      if (coverage == 0) continue;
      BlendPixel(image, left + static_cast<int>(column), top + static_cast<int>(row), color,
                 coverage / 255.0f);
    }
  }
}

}  // namespace

void Lettering::Draw(ByteImage& image, const std::string& text, int x, int baseline, int pixelSize,
                     Rgb color) {
  if (!IsReady() || FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(pixelSize)) != 0) return;
  FT_Pos pen = static_cast<FT_Pos>(x) * 64;
  for (unsigned char c : text) {
    if (FT_Load_Char(face_, c, FT_LOAD_RENDER) != 0) continue;
    const FT_GlyphSlot glyph = face_->glyph;
    BlitGlyph(image, glyph, static_cast<int>(pen >> 6) + glyph->bitmap_left,
              baseline - glyph->bitmap_top, color);
    pen += glyph->advance.x;
  }
}

}  // namespace demo
