#include "text_renderer.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>

#include "platform/platform.h"
#include "text/text_util.h"

#ifndef SIMHOST_FONT
#define SIMHOST_FONT "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
#endif

namespace simhost {

namespace {
constexpr int32_t kFontPixels = 12;
constexpr int32_t kFallbackAdvance = 7;
constexpr char32_t kReplacement = 0xFFFD;

FT_Face AsFace(void* face) { return static_cast<FT_Face>(face); }

// The build names the font's file; a bare name lies beside the program (as
// the Windows build ships it).
std::string FontPath() {
  const std::string font = SIMHOST_FONT;
  if (platform::PathFromUtf8(font).is_absolute()) return font;
  return JoinPath(platform::ProgramFolder(), font);
}

// The whole file, read through the platform layer so that any path works
// (FreeType's own opening takes a narrow path).
std::vector<uint8_t> ReadFont(const std::string& path) {
  std::vector<uint8_t> bytes;
  std::FILE* file = platform::OpenFile(path, "rb");
  if (file == nullptr) return bytes;
  bytes.resize(static_cast<size_t>(platform::OpenFileLength(file)));
  if (std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size()) bytes.clear();
  std::fclose(file);
  return bytes;
}

// Length of the sequence a lead byte starts, 0 for a byte that cannot lead.
int SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 0;
}
}  // namespace

std::u32string DecodeUtf8(const std::string& utf8) {
  std::u32string out;
  size_t i = 0;
  while (i < utf8.size()) {
    unsigned char lead = static_cast<unsigned char>(utf8[i]);
    int length = SequenceLength(lead);
    if (length == 0 || i + length > utf8.size()) {
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    char32_t cp = length == 1 ? lead : (lead & (0x7F >> length));
    bool valid = true;
    for (int k = 1; k < length; ++k) {
      unsigned char next = static_cast<unsigned char>(utf8[i + k]);
      if ((next & 0xC0) != 0x80) valid = false;
      cp = (cp << 6) | (next & 0x3F);
    }
    if (!valid || cp > 0x10FFFF) {
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    out.push_back(cp);
    i += length;
  }
  return out;
}

// Never destroyed, like the handle registries: a host in static storage
// may still lay windows out while the program exits.
TextRenderer& TextRenderer::Shared() {
  static auto* renderer = new TextRenderer;
  return *renderer;
}

TextRenderer::TextRenderer() {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) return;
  library_ = library;
  font_file_ = ReadFont(FontPath());
  FT_Face face = nullptr;
  if (font_file_.empty() ||
      FT_New_Memory_Face(library, font_file_.data(), static_cast<FT_Long>(font_file_.size()), 0,
                         &face) != 0) {
    return;
  }
  if (FT_Set_Pixel_Sizes(face, 0, kFontPixels) != 0) {
    FT_Done_Face(face);
    return;
  }
  face_ = face;
  ascent_ = static_cast<int32_t>(face->size->metrics.ascender >> 6);
  line_height_ =
      static_cast<int32_t>((face->size->metrics.ascender - face->size->metrics.descender) >> 6);
}

TextRenderer::~TextRenderer() {
  if (face_) FT_Done_Face(AsFace(face_));
  if (library_) FT_Done_FreeType(static_cast<FT_Library>(library_));
}

int32_t TextRenderer::Advance(uint32_t codepoint) {
  auto found = advances_.find(codepoint);
  if (found != advances_.end()) return found->second;
  int32_t advance = kFallbackAdvance;
  if (face_ && FT_Load_Char(AsFace(face_), codepoint, FT_LOAD_DEFAULT) == 0) {
    advance = static_cast<int32_t>(AsFace(face_)->glyph->advance.x >> 6);
  }
  advances_[codepoint] = advance;
  return advance;
}

int32_t TextRenderer::AsciiAdvance(unsigned char ascii) {
  int32_t& known = ascii_advances_[ascii];
  if (known == kUnknownAdvance) known = Advance(ascii);
  return known;
}

// Labels are mostly plain ASCII and a grid lays out thousands of them, so
// those are measured from a table, without decoding or hashing.
int32_t TextRenderer::Width(const std::string& utf8) {
  int64_t width = 0;
  const bool ascii = std::all_of(utf8.begin(), utf8.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (ascii) {
    for (char c : utf8) width += AsciiAdvance(static_cast<unsigned char>(c));
  } else {
    for (char32_t cp : DecodeUtf8(utf8)) width += Advance(cp);
  }
  return static_cast<int32_t>(std::min<int64_t>(width, Canvas::kMaxSide * 4));
}

const TextRenderer::Glyph& TextRenderer::Rendered(uint32_t codepoint) {
  auto found = glyphs_.find(codepoint);
  if (found != glyphs_.end()) return found->second;
  if (glyphs_.size() >= kGlyphsKept) glyphs_.clear();
  Glyph& glyph = glyphs_[codepoint];
  FT_Face face = AsFace(face_);
  if (FT_Load_Char(face, codepoint, FT_LOAD_RENDER) != 0) return glyph;
  const FT_GlyphSlot slot = face->glyph;
  const FT_Bitmap& bitmap = slot->bitmap;
  glyph.advance = static_cast<int32_t>(slot->advance.x >> 6);
  if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || bitmap.pitch < 0) return glyph;
  glyph.drawable = true;
  glyph.left = slot->bitmap_left;
  glyph.top = slot->bitmap_top;
  glyph.width = static_cast<int32_t>(bitmap.width);
  glyph.rows = static_cast<int32_t>(bitmap.rows);
  for (unsigned row = 0; row < bitmap.rows; ++row) {
    const uint8_t* line = bitmap.buffer + row * static_cast<unsigned>(bitmap.pitch);
    glyph.coverage.insert(glyph.coverage.end(), line, line + bitmap.width);
  }
  return glyph;
}

void TextRenderer::Draw(Canvas& canvas, int32_t x, int32_t top, const std::string& utf8, Rgb color,
                        const Rect& clip) {
  if (!face_) return;
  int64_t pen = x;
  const int32_t baseline = top + ascent_;
  for (char32_t cp : DecodeUtf8(utf8)) {
    if (pen > clip.Right()) break;
    // Glyphs left of the clip are only advanced over, not rendered.
    const int32_t advance = Advance(cp);
    if (pen + 2 * advance < clip.x) {
      pen += advance;
      continue;
    }
    const Glyph& glyph = Rendered(cp);
    if (glyph.drawable) {
      const int32_t left = static_cast<int32_t>(pen) + glyph.left;
      const int32_t upper = baseline - glyph.top;
      for (int32_t row = 0; row < glyph.rows; ++row) {
        for (int32_t col = 0; col < glyph.width; ++col) {
          canvas.BlendPixel(left + col, upper + row, color,
                            glyph.coverage[static_cast<size_t>(row * glyph.width + col)], clip);
        }
      }
    }
    pen += glyph.advance;
  }
}

}  // namespace simhost
