#include "test_library.h"

#include <jpeglib.h>

#include <cstdio>
#include <fstream>
#include <vector>

namespace lumidrome_test {

namespace fs = std::filesystem;

bool WriteJpeg(const fs::path& file, int width, int height, Colour colour) {
  fs::create_directories(file.parent_path());
  FILE* out = std::fopen(file.c_str(), "wb");
  if (!out) return false;
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, out);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row(static_cast<size_t>(width) * 3);
  for (int x = 0; x < width; ++x) {
    row[x * 3] = colour.r;
    row[x * 3 + 1] = colour.g;
    row[x * 3 + 2] = colour.b;
  }
  while (info.next_scanline < info.image_height) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return std::fclose(out) == 0;
}

void WriteBytes(const fs::path& file, const std::string& bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}

TestLibrary::TestLibrary(fs::path root) : root_(std::move(root)) { fs::create_directories(root_); }

fs::path TestLibrary::AddPack(const std::string& folder) {
  const fs::path pack = root_ / folder;
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
  const fs::path folder = root_ / pack;
  const std::string base = name.substr(0, name.find('.'));
  WriteJpeg(folder / "Thumbnails" / (name + ".jpg"), 400, 200, files.colour);
  if (files.medium)
    WriteJpeg(folder / "Thumbnails" / (name + "_md.jpg"), 240, 120, Darker(files.colour));
  if (files.small)
    WriteJpeg(folder / "Thumbnails" / (name + "_sm.jpg"), 160, 80, Darker(files.colour));
  if (!files.hdri.empty()) {
    WriteBytes(folder / "HDRIs" / (base + files.hdri), "#?RADIANCE\n");
    if (files.small_hdri)
      WriteBytes(folder / "HDRIs" / (base + "_SM" + files.hdri), "#?RADIANCE\n");
  }
  if (files.background) WriteJpeg(folder / "Background" / (base + ".jpg"), 64, 32, files.colour);
}

}  // namespace lumidrome_test
