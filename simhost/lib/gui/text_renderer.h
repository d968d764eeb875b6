// Measures and draws UTF-8 text with the host's interface font.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "canvas.h"

namespace simhost {

class TextRenderer {
 public:
  // The one renderer of the process, loaded on first use. When the font
  // cannot be loaded, texts are measured with a fixed advance and drawn as
  // nothing, so layouts stay usable.
  static TextRenderer& Shared();

  ~TextRenderer();
  TextRenderer(const TextRenderer&) = delete;
  TextRenderer& operator=(const TextRenderer&) = delete;

  bool FontLoaded() const { return face_ != nullptr; }
  int32_t Width(const std::string& utf8);
  int32_t LineHeight() const { return line_height_; }
  // top is the upper edge of the line box.
  void Draw(Canvas& canvas, int32_t x, int32_t top, const std::string& utf8, Rgb color,
            const Rect& clip);

 private:
  // A rendered glyph: its coverage bytes, row by row, and where they go
  // relative to the pen and the baseline.
  struct Glyph {
    bool drawable = false;
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t rows = 0;
    int32_t advance = 0;
    std::vector<uint8_t> coverage;
  };
  // Glyphs are rendered once; at most kGlyphsKept are kept.
  static constexpr size_t kGlyphsKept = 4096;

  TextRenderer();
  int32_t Advance(uint32_t codepoint);
  int32_t AsciiAdvance(unsigned char ascii);
  const Glyph& Rendered(uint32_t codepoint);

  void* library_ = nullptr;  // FT_Library
  void* face_ = nullptr;     // FT_Face
  int32_t line_height_ = 14;
  int32_t ascent_ = 11;
  std::unordered_map<uint32_t, int32_t> advances_;
  static constexpr int32_t kUnknownAdvance = INT32_MIN;
  static std::array<int32_t, 128> AllUnknown() {
    std::array<int32_t, 128> advances;
    advances.fill(kUnknownAdvance);
    return advances;
  }
  std::array<int32_t, 128> ascii_advances_ = AllUnknown();
  std::unordered_map<uint32_t, Glyph> glyphs_;
  std::vector<uint8_t> font_file_;  // the face reads from it while it lives
};

// Splits UTF-8 into code points; a broken sequence gives U+FFFD.
std::u32string DecodeUtf8(const std::string& utf8);

}  // namespace simhost
