#include "test_library.h"

#include <fstream>

#include "jpeg_encoder.h"
#include "utf8_path.h"

namespace lumidrome_test {

namespace fs = std::filesystem;

bool WriteJpeg(const fs::path& file, int width, int height, Colour colour) {
  const std::string bytes =
      imagecodec::EncodeSolidJpeg(width, height, colour.r, colour.g, colour.b, 95);
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

void AppendInt(std::string* bytes, uint64_t value, int size) {
  for (int i = 0; i < size; ++i) bytes->push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

void AppendAttribute(std::string* bytes, const std::string& name, const std::string& type,
                     const std::string& value) {
  *bytes += name + '\0' + type + '\0';
  AppendInt(bytes, value.size(), 4);
  *bytes += value;
}

std::string Box(int width, int height) {
  std::string box;
  for (int value : {0, 0, width - 1, height - 1}) AppendInt(&box, static_cast<uint32_t>(value), 4);
  return box;
}

// Channels B, G, R as halves, uncompressed, one scan line per chunk.
std::string TinyExrHeader(int width, int height) {
  std::string channels;
  for (const char* name : {"B", "G", "R"}) {
    channels += std::string(name) + '\0';
    AppendInt(&channels, 1, 4);  // half
    AppendInt(&channels, 0, 4);  // linear flag and reserved bytes
    AppendInt(&channels, 1, 4);
    AppendInt(&channels, 1, 4);
  }
  channels += '\0';
  std::string bytes = "\x76\x2f\x31\x01";
  AppendInt(&bytes, 2, 4);
  AppendAttribute(&bytes, "channels", "chlist", channels);
  AppendAttribute(&bytes, "compression", "compression", std::string(1, '\0'));
  AppendAttribute(&bytes, "dataWindow", "box2i", Box(width, height));
  AppendAttribute(&bytes, "displayWindow", "box2i", Box(width, height));
  AppendAttribute(&bytes, "lineOrder", "lineOrder", std::string(1, '\0'));
  AppendAttribute(&bytes, "pixelAspectRatio", "float", std::string("\x00\x00\x80\x3f", 4));
  AppendAttribute(&bytes, "screenWindowCenter", "v2f", std::string(8, '\0'));
  AppendAttribute(&bytes, "screenWindowWidth", "float", std::string("\x00\x00\x80\x3f", 4));
  return bytes + '\0';
}

// Mid grey: a half's 0.5 is 0x3800.
std::string TinyExr(int width, int height) {
  std::string bytes = TinyExrHeader(width, height);
  const int row_bytes = 3 * width * 2;
  const size_t table_end = bytes.size() + 8 * static_cast<size_t>(height);
  for (int y = 0; y < height; ++y) AppendInt(&bytes, table_end + y * (8 + row_bytes), 8);
  for (int y = 0; y < height; ++y) {
    AppendInt(&bytes, static_cast<uint32_t>(y), 4);
    AppendInt(&bytes, static_cast<uint32_t>(row_bytes), 4);
    for (int i = 0; i < 3 * width; ++i) AppendInt(&bytes, 0x3800, 2);
  }
  return bytes;
}

// Flat RGBE pixels of mid grey.
std::string TinyRadiance(int width, int height) {
  std::string bytes = "#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n\n-Y " + std::to_string(height) +
                      " +X " + std::to_string(width) + "\n";
  for (int i = 0; i < width * height; ++i) bytes += "\x80\x80\x80\x80";
  return bytes;
}

}  // namespace

std::string TinyHdri(const std::string& extension, int width, int height) {
  return extension == ".exr" ? TinyExr(width, height) : TinyRadiance(width, height);
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
    WriteBytes(folder / "HDRIs" / PathOf(base + files.hdri), TinyHdri(files.hdri, 16, 8));
    if (files.small_hdri)
      WriteBytes(folder / "HDRIs" / PathOf(base + "_SM" + files.hdri), TinyHdri(files.hdri, 8, 4));
  }
  if (files.background)
    WriteJpeg(folder / "Background" / PathOf(base + ".jpg"), 64, 32, files.colour);
}

}  // namespace lumidrome_test
