// OpenEXR files: magic and version, one header of attributes per part, one
// table of chunk offsets per part, then the chunks. The header check reads
// all of that and the last chunk's own size, which finds a file cut short
// without decoding it.
#include <algorithm>
#include <cstring>

#include "hdri_file.h"

namespace packlib {

namespace {

constexpr uint8_t kMagic[4] = {0x76, 0x2f, 0x31, 0x01};
constexpr uint32_t kTiledFlag = 0x200;
constexpr uint32_t kDeepFlag = 0x800;
constexpr uint32_t kMultiPartFlag = 0x1000;
constexpr int64_t kMaxSide = 1 << 20;
constexpr size_t kMaxNameLength = 255;

struct Part {
  bool channels = false;
  int compression = -1;
  bool data_window = false;
  int64_t width = 0;
  int64_t height = 0;
  bool tiled = false;
  int64_t tile_width = 0;
  int64_t tile_height = 0;
  int level_mode = 0;  // one level, mipmap, ripmap
  bool round_up = false;
  int64_t chunk_count = -1;  // as the header says, in multi-part files
  std::string type;
};

int32_t Int32At(const std::vector<uint8_t>& bytes, size_t at) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | bytes[at + static_cast<size_t>(i)];
  return static_cast<int32_t>(value);
}

int64_t Int64At(const std::vector<uint8_t>& bytes, size_t at) {
  uint64_t value = 0;
  for (int i = 7; i >= 0; --i) value = (value << 8) | bytes[at + static_cast<size_t>(i)];
  return static_cast<int64_t>(value);
}

class HeaderReader {
 public:
  HeaderReader(HdriFile* file, int64_t offset) : bytes_(file, offset) {}

  // Empty at the header's end.
  std::string Name() {
    std::string name;
    uint8_t byte = 0;
    while (Take(&byte, 1, "a header"), byte != 0) {
      if (name.size() == kMaxNameLength) Undecodable("an attribute name that does not end");
      name.push_back(static_cast<char>(byte));
    }
    return name;
  }
  int32_t Int32(const char* what) {
    std::vector<uint8_t> bytes(4);
    Take(bytes.data(), 4, what);
    return Int32At(bytes, 0);
  }
  std::vector<uint8_t> Value(int32_t size, const std::string& name) {
    std::vector<uint8_t> value(static_cast<size_t>(size));
    Take(value.data(), value.size(), ("the attribute " + name).c_str());
    return value;
  }
  void Skip(int32_t size, const std::string& name) {
    if (!bytes_.Skip(size)) Undecodable("the file ends inside the attribute " + name);
  }
  int64_t Offset() const { return bytes_.Offset(); }

 private:
  void Take(uint8_t* out, size_t count, const char* what) {
    if (!bytes_.Take(out, count)) Undecodable(std::string("the file ends inside ") + what);
  }
  HdriStream bytes_;
};

void NeedSize(const std::string& name, const std::vector<uint8_t>& value, size_t size) {
  if (value.size() < size) Undecodable("the attribute " + name + " is too short");
}

void ReadDataWindow(const std::vector<uint8_t>& value, Part* part) {
  NeedSize("dataWindow", value, 16);
  int64_t width = int64_t{Int32At(value, 8)} - Int32At(value, 0) + 1;
  int64_t height = int64_t{Int32At(value, 12)} - Int32At(value, 4) + 1;
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) {
    Undecodable("an implausible data window of " + std::to_string(width) + " x " +
                std::to_string(height) + " pixels");
  }
  part->data_window = true;
  part->width = width;
  part->height = height;
}

void ReadTiles(const std::vector<uint8_t>& value, Part* part) {
  NeedSize("tiles", value, 9);
  part->tile_width = static_cast<uint32_t>(Int32At(value, 0));
  part->tile_height = static_cast<uint32_t>(Int32At(value, 4));
  part->level_mode = value[8] & 0x0f;
  part->round_up = (value[8] >> 4) != 0;
  if (part->tile_width < 1 || part->tile_height < 1 || part->level_mode > 2) {
    Undecodable("an implausible tile description");
  }
}

// Only the attributes that say how large the file must be are kept.
void ReadAttribute(const std::string& name, const std::string& type, HeaderReader* header,
                   Part* part) {
  int32_t size = header->Int32("a header");
  if (size < 0) Undecodable("the attribute " + name + " has a negative size");
  bool wanted = name == "channels" || name == "compression" || name == "dataWindow" ||
                name == "tiles" || name == "chunkCount" || name == "type";
  if (!wanted) return header->Skip(size, name);
  std::vector<uint8_t> value = header->Value(size, name);
  if (name == "channels") part->channels = type == "chlist" && value.size() > 1;
  if (name == "compression") part->compression = value.empty() ? -1 : value[0];
  if (name == "dataWindow") ReadDataWindow(value, part);
  if (name == "tiles") ReadTiles(value, part);
  if (name == "chunkCount" && value.size() >= 4) part->chunk_count = Int32At(value, 0);
  if (name == "type") part->type.assign(value.begin(), value.end());
}

// Scan lines per chunk for each compression, by its number.
int64_t LinesPerChunk(int compression) {
  constexpr int64_t kLines[] = {1, 1, 1, 16, 32, 16, 32, 32, 32, 256};
  if (compression < 0 || compression > 9) {
    Undecodable("an unknown compression (" + std::to_string(compression) + ")");
  }
  return kLines[compression];
}

int64_t LevelCount(int64_t side, bool round_up) {
  int64_t levels = 1;
  int64_t size = 1;
  while (size < side) {
    size *= 2;
    ++levels;
  }
  return (round_up || size == side) ? levels : levels - 1;
}

int64_t LevelSide(int64_t side, int64_t level, bool round_up) {
  int64_t scale = int64_t{1} << level;
  return std::max<int64_t>(1, round_up ? (side + scale - 1) / scale : side / scale);
}

// The tiles along one axis summed over its levels (all levels for mipmaps
// and ripmaps), or only the first.
std::vector<int64_t> TilesPerLevel(int64_t side, int64_t tile, const Part& part) {
  int64_t levels = part.level_mode == 0 ? 1 : LevelCount(side, part.round_up);
  std::vector<int64_t> tiles;
  for (int64_t level = 0; level < levels; ++level) {
    tiles.push_back((LevelSide(side, level, part.round_up) + tile - 1) / tile);
  }
  return tiles;
}

int64_t TileCount(const Part& part) {
  std::vector<int64_t> across = TilesPerLevel(part.width, part.tile_width, part);
  std::vector<int64_t> down = TilesPerLevel(part.height, part.tile_height, part);
  if (part.level_mode == 2) {
    int64_t sum_across = 0, sum_down = 0;
    for (int64_t n : across) sum_across += n;
    for (int64_t n : down) sum_down += n;
    return sum_across * sum_down;
  }
  // Mipmap levels shrink along both axes together.
  size_t levels = std::min(across.size(), down.size());
  if (part.level_mode == 1) levels = std::max(across.size(), down.size());
  int64_t count = 0;
  for (size_t level = 0; level < levels; ++level) {
    count += across[std::min(level, across.size() - 1)] * down[std::min(level, down.size() - 1)];
  }
  return count;
}

void CheckRequired(const Part& part) {
  if (!part.channels) Undecodable("the header has no channels");
  if (!part.data_window) Undecodable("the header has no data window");
  if (part.compression < 0) Undecodable("the header has no compression");
  if (part.type.find("deep") != std::string::npos) Undecodable("deep data, not a picture");
}

int64_t ChunkCount(const Part& part, bool multi_part) {
  if (multi_part && part.chunk_count < 1) Undecodable("a part without its chunk count");
  if (multi_part) return part.chunk_count;
  if (part.tiled) return TileCount(part);
  int64_t lines = LinesPerChunk(part.compression);
  return (part.height + lines - 1) / lines;
}

Part ReadPart(HeaderReader* header, const std::string& first_name, uint32_t flags) {
  Part part;
  part.tiled = (flags & kTiledFlag) != 0;
  for (std::string name = first_name; !name.empty(); name = header->Name()) {
    std::string type = header->Name();
    ReadAttribute(name, type, header, &part);
  }
  if (part.type == "tiledimage") part.tiled = true;
  CheckRequired(part);
  LinesPerChunk(part.compression);
  if (part.tiled && part.tile_width == 0) Undecodable("a tiled file without its tile description");
  return part;
}

struct Layout {
  std::vector<int64_t> chunk_counts;  // one entry per part
  int64_t table_offset = 0;
  bool multi_part = false;
  bool tiled = false;
};

Layout ReadHeaders(HdriFile* file) {
  std::vector<uint8_t> start = file->ReadExactly(0, 8, "the version field");
  uint32_t flags = static_cast<uint32_t>(Int32At(start, 4));
  if ((flags & 0xff) != 2)
    Undecodable("an unknown OpenEXR version " + std::to_string(flags & 0xff));
  if ((flags & kDeepFlag) != 0 && (flags & kMultiPartFlag) == 0) {
    Undecodable("deep data, not a picture");
  }
  Layout layout;
  layout.multi_part = (flags & kMultiPartFlag) != 0;
  HeaderReader header(file, 8);
  for (std::string name = header.Name(); !name.empty();
       name = layout.multi_part ? header.Name() : std::string()) {
    Part part = ReadPart(&header, name, flags);
    layout.tiled = layout.tiled || part.tiled;
    layout.chunk_counts.push_back(ChunkCount(part, layout.multi_part));
  }
  if (layout.chunk_counts.empty()) Undecodable("a multi-part file without parts");
  layout.table_offset = header.Offset();
  return layout;
}

// The chunk's own header before its data: part number (multi-part), then
// the row (scan lines) or tile and level numbers (tiles).
int64_t ChunkHeaderSize(const Layout& layout) {
  return (layout.multi_part ? 4 : 0) + (layout.tiled ? 16 : 4);
}

// Every offset lies after the tables and inside the file; the last chunk
// ends inside it too.
void CheckChunks(HdriFile* file, const Layout& layout, int64_t chunks) {
  int64_t table_end = layout.table_offset + 8 * chunks;
  std::vector<uint8_t> table =
      file->ReadExactly(layout.table_offset, static_cast<size_t>(8 * chunks), "the offset table");
  int64_t last = 0;
  for (int64_t chunk = 0; chunk < chunks; ++chunk) {
    int64_t offset = Int64At(table, static_cast<size_t>(chunk * 8));
    if (offset < table_end || offset >= file->Size()) {
      Undecodable("cut short or incomplete: chunk " + std::to_string(chunk + 1) + " of " +
                  std::to_string(chunks) + " lies at byte " + std::to_string(offset) + " of " +
                  std::to_string(file->Size()));
    }
    last = std::max(last, offset);
  }
  int64_t header_size = ChunkHeaderSize(layout);
  std::vector<uint8_t> chunk_header =
      file->ReadExactly(last, static_cast<size_t>(header_size + 4), "the last chunk");
  int64_t data_size = Int32At(chunk_header, static_cast<size_t>(header_size));
  if (data_size < 0 || last + header_size + 4 + data_size > file->Size()) {
    Undecodable("cut short: the last chunk " +
                ShortBy(last + header_size + 4 + data_size, file->Size()));
  }
}

}  // namespace

bool LooksLikeExr(const std::vector<uint8_t>& head) {
  return head.size() >= 4 && std::equal(kMagic, kMagic + 4, head.begin());
}

void CheckExrHeader(HdriFile* file) {
  Layout layout = ReadHeaders(file);
  int64_t chunks = 0;
  for (int64_t count : layout.chunk_counts) chunks += count;
  int64_t table_end = layout.table_offset + 8 * chunks;
  if (table_end > file->Size()) {
    Undecodable("cut short: the offset table of " + std::to_string(chunks) + " chunks " +
                ShortBy(table_end, file->Size()));
  }
  CheckChunks(file, layout, chunks);
}

}  // namespace packlib
