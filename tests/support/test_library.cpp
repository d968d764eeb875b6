#include "test_library.h"

#include <fstream>

#include "jpeg_encoder.h"
#include "utf8_path.h"

namespace lumidrome_test {

namespace fs = std::filesystem;

bool WriteJpeg(const fs::path& file, int width, int height, Colour colour) {
  const std::string bytes =
      simhost::EncodeSolidJpeg(width, height, colour.r, colour.g, colour.b, 95);
  if (bytes.empty()) return false;
  WriteBytes(file, bytes);
  return fs::file_size(file) == bytes.size();
}

void WriteBytes(const fs::path& file, const std::string& bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}

TestLibrary::TestLibrary(fs::path root) : root_(std::move(root)) { fs::create_directories(root_); }

fs::path TestLibrary::AddPack(const std::string& folder) {
  const fs::path pack = root_ / PathOf(folder);
  for (const char* sub : {"Thumbnails", "HDRIs", "Background"}) fs::create_directories(pack / sub);
  return pack;
}

namespace {
Colour Darker(Colour colour) {
  return {static_cast<uint8_t>(colour.r / 2), static_cast<uint8_t>(colour.g / 2),
          static_cast<uint8_t>(colour.b / 2)};
}
}  // namespace

void TestLibrary::AddTile(const std::string& pack, const std::string& name,
                          const TileFiles& files) {
  const fs::path folder = root_ / PathOf(pack);
  const std::string base = name.substr(0, name.find('.'));
  WriteJpeg(folder / "Thumbnails" / PathOf(name + ".jpg"), 400, 200, files.colour);
  if (files.medium)
    WriteJpeg(folder / "Thumbnails" / PathOf(name + "_md.jpg"), 240, 120, Darker(files.colour));
  if (files.small)
    WriteJpeg(folder / "Thumbnails" / PathOf(name + "_sm.jpg"), 160, 80, Darker(files.colour));
  if (!files.hdri.empty()) {
    WriteBytes(folder / "HDRIs" / PathOf(base + files.hdri), "#?RADIANCE\n");
    if (files.small_hdri)
      WriteBytes(folder / "HDRIs" / PathOf(base + "_SM" + files.hdri), "#?RADIANCE\n");
  }
  if (files.background)
    WriteJpeg(folder / "Background" / PathOf(base + ".jpg"), 64, 32, files.colour);
}

}  // namespace lumidrome_test
