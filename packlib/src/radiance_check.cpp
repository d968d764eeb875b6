// Radiance RGBE files: a text header ending in an empty line, a resolution
// line, then one record per row, flat or run-length encoded.
#include <cstdio>
#include <cstring>

#include "hdri_file.h"

namespace packlib {

namespace {

// Headers are a few hundred bytes; this much is read to find their end.
constexpr size_t kHeaderLimit = 64 * 1024;
constexpr int64_t kMaxSide = 1 << 20;

struct Resolution {
  int64_t width = 0;
  int64_t height = 0;
  int64_t data_offset = 0;  // where the first row starts
};

bool StartsWith(const std::string& text, const char* prefix) {
  return text.compare(0, std::strlen(prefix), prefix) == 0;
}

// The header's lines, up to and including the resolution line.
std::vector<std::string> HeaderLines(const std::vector<uint8_t>& head, int64_t* data_offset) {
  std::vector<std::string> lines;
  std::string line;
  bool blank_seen = false;
  for (size_t i = 0; i < head.size(); ++i) {
    if (head[i] != '\n') {
      line.push_back(static_cast<char>(head[i]));
      continue;
    }
    lines.push_back(line);
    if (blank_seen) {
      *data_offset = static_cast<int64_t>(i + 1);
      return lines;
    }
    blank_seen = line.empty();
    line.clear();
  }
  Undecodable(blank_seen ? "the file ends before the resolution line"
                         : "the header does not end (no empty line in its first 64 KB)");
}

void CheckFormat(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    if (!StartsWith(line, "FORMAT=")) continue;
    if (line != "FORMAT=32-bit_rle_rgbe" && line != "FORMAT=32-bit_rle_xyze") {
      Undecodable("unknown pixel format \"" + line.substr(7) + "\"");
    }
  }
}

// "-Y 512 +X 1024": rows first, the usual orientation; the axes may swap.
Resolution ParseResolution(const std::string& line) {
  char sign1 = 0, axis1 = 0, sign2 = 0, axis2 = 0;
  long long first = 0, second = 0;
  char tail = 0;
  int fields = std::sscanf(line.c_str(), "%c%c %lld %c%c %lld%c", &sign1, &axis1, &first, &sign2,
                           &axis2, &second, &tail);
  bool signs = (sign1 == '-' || sign1 == '+') && (sign2 == '-' || sign2 == '+');
  bool axes = (axis1 == 'Y' && axis2 == 'X') || (axis1 == 'X' && axis2 == 'Y');
  if (fields != 6 || !signs || !axes) Undecodable("no resolution line after the header");
  Resolution resolution;
  resolution.height = axis1 == 'Y' ? first : second;
  resolution.width = axis1 == 'Y' ? second : first;
  if (resolution.width < 1 || resolution.height < 1 || resolution.width > kMaxSide ||
      resolution.height > kMaxSide) {
    Undecodable("implausible resolution \"" + line + "\"");
  }
  return resolution;
}

// The fewest bytes a row can take: a pixel and one repeat record of the old
// encoding (a run-length row takes at least 12).
int64_t SmallestRow(int64_t width) { return width == 1 ? 4 : 8; }

// Rows decoded one after another, to their last byte.
class RowReader {
 public:
  RowReader(HdriFile* file, const Resolution& resolution)
      : bytes_(file, resolution.data_offset), width_(resolution.width) {}

  void ReadRow(int64_t row) {
    row_ = row;
    uint8_t start[4];
    Take(start, 4);
    bool run_length =
        width_ >= 8 && width_ <= 0x7fff && start[0] == 2 && start[1] == 2 && (start[2] & 0x80) == 0;
    if (run_length && ((start[2] << 8) | start[3]) != width_) Fail("a row of the wrong width");
    if (run_length) {
      for (int channel = 0; channel < 4; ++channel) ReadRunLengthChannel();
    } else {
      ReadFlatRow(start);
    }
  }

 private:
  void ReadRunLengthChannel() {
    int64_t x = 0;
    while (x < width_) {
      uint8_t count = 0;
      Take(&count, 1);
      int64_t pixels = count > 128 ? count - 128 : count;
      if (pixels == 0) Fail("an empty run");
      if (x + pixels > width_) Fail("a run past the row's end");
      uint8_t values[128];
      Take(values, count > 128 ? 1 : pixels);
      x += pixels;
    }
  }

  // Flat pixels, where (1, 1, 1, n) repeats the one before n times (shifted
  // by 8 bits for each repeat record in a row).
  void ReadFlatRow(const uint8_t* first) {
    int64_t x = 0;
    int shift = 0;
    uint8_t pixel[4] = {first[0], first[1], first[2], first[3]};
    while (true) {
      bool repeat = pixel[0] == 1 && pixel[1] == 1 && pixel[2] == 1;
      if (repeat && x == 0) Fail("a repeat record before any pixel");
      x += repeat ? int64_t{pixel[3]} << shift : 1;
      shift = repeat ? shift + 8 : 0;
      if (x > width_ || shift > 24) Fail("a repeat past the row's end");
      if (x == width_) return;
      Take(pixel, 4);
    }
  }

  void Take(uint8_t* out, int64_t count) {
    if (!bytes_.Take(out, static_cast<size_t>(count))) Fail("the file ends");
  }

  [[noreturn]] void Fail(const std::string& what) {
    Undecodable(what + " in row " + std::to_string(row_ + 1));
  }

  HdriStream bytes_;
  int64_t width_;
  int64_t row_ = 0;
};

}  // namespace

bool LooksLikeRadiance(const std::vector<uint8_t>& head) {
  std::string start(head.begin(), head.end());
  return StartsWith(start, "#?RADIANCE") || StartsWith(start, "#?RGBE");
}

void CheckRadiance(HdriFile* file, bool deep) {
  Resolution resolution;
  std::vector<std::string> lines =
      HeaderLines(file->ReadAt(0, kHeaderLimit), &resolution.data_offset);
  CheckFormat(lines);
  int64_t data_offset = resolution.data_offset;
  resolution = ParseResolution(lines.back());
  resolution.data_offset = data_offset;
  int64_t needed = data_offset + resolution.height * SmallestRow(resolution.width);
  if (file->Size() < needed) {
    Undecodable("cut short: " + std::to_string(resolution.width) + " x " +
                std::to_string(resolution.height) + " pixels " + ShortBy(needed, file->Size()));
  }
  if (!deep) return;
  RowReader rows(file, resolution);
  for (int64_t row = 0; row < resolution.height; ++row) rows.ReadRow(row);
}

}  // namespace packlib
