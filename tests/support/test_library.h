// Libraries of packs written into a test's temporary folder, with real JPEG
// thumbnails so the plug-in's bitmaps load and draw them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace lumidrome_test {

struct Colour {
  uint8_t r = 128, g = 128, b = 128;
};

// A JPEG of one colour; false when the file cannot be written.
bool WriteJpeg(const std::filesystem::path& file, int width, int height, Colour colour);
// A small picture of mid grey in the HDRI format the extension names:
// OpenEXR for ".exr", else Radiance.
std::string TinyHdri(const std::string& extension, int width, int height);
// Writes the bytes as they are, creating the parent folders.
void WriteBytes(const std::filesystem::path& file, const std::string& bytes);

// Which files a tile gets besides its thumbnail.
struct TileFiles {
  bool medium = true;         // Thumbnails/<name>_md.jpg, 240 x 120
  bool small = true;          // Thumbnails/<name>_sm.jpg, 160 x 80
  std::string hdri = ".hdr";  // HDRIs/<base><hdri>; empty for none
  bool small_hdri = true;     // HDRIs/<base>_SM<hdri>
  bool background = true;     // Background/<base>.jpg
  Colour colour;              // of the thumbnail; variants are darker
};

class TestLibrary {
 public:
  explicit TestLibrary(std::filesystem::path root);
  const std::filesystem::path& root() const { return root_; }

  // A pack folder with empty Thumbnails/, HDRIs/ and Background/ folders.
  std::filesystem::path AddPack(const std::string& folder);
  // Thumbnails/<name>.jpg (400 x 200) and the files `files` asks for; the
  // base name is `name` up to its first '.'.
  void AddTile(const std::string& pack, const std::string& name, const TileFiles& files = {});

 private:
  std::filesystem::path root_;
};

}  // namespace lumidrome_test
