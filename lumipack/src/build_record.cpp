#include "build_record.h"

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "pack_files.h"

namespace lumipack {

namespace fs = std::filesystem;

namespace {

constexpr const char* kRecordHeading = "lumipack build record";

// A fast 64-bit hash of the bytes, four lanes of eight bytes: it tells a
// changed file from the one built, it is no protection against tampering.
class ContentHash {
 public:
  void Add(const unsigned char* bytes, size_t size) {
    size_t i = 0;
    for (; i + 32 <= size; i += 32) {
      for (int lane = 0; lane < 4; ++lane) Mix(&lanes_[lane], Word(bytes + i + lane * 8));
    }
    for (; i < size; ++i) Mix(&lanes_[0], bytes[i]);
    total_ += size;
  }
  std::string Hex() const {
    uint64_t hash = total_;
    for (uint64_t lane : lanes_) hash = Final(hash ^ Final(lane));
    char text[17];
    std::snprintf(text, sizeof text, "%016" PRIx64, hash);
    return text;
  }

 private:
  static uint64_t Word(const unsigned char* bytes) {
    uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
  }
  static void Mix(uint64_t* lane, uint64_t word) {
    uint64_t value = *lane ^ word;
    *lane = ((value << 31) | (value >> 33)) * 0x9e3779b97f4a7c15ULL;
  }
  static uint64_t Final(uint64_t value) {
    value = (value ^ (value >> 30)) * 0xbf58476d1ce4e5b9ULL;
    value = (value ^ (value >> 27)) * 0x94d049bb133111ebULL;
    return value ^ (value >> 31);
  }
  uint64_t lanes_[4] = {1, 2, 3, 4};
  uint64_t total_ = 0;
};

// Chunks a multiple of 32 bytes, so the lanes see the same words whatever
// the reads return.
}  // namespace

std::string ContentHashOf(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    throw std::runtime_error(std::string("cannot read: ") + std::strerror(errno));
  }
  ContentHash hash;
  std::vector<unsigned char> buffer(size_t{1} << 18);
  size_t got = 0;
  while ((got = std::fread(buffer.data(), 1, buffer.size(), file)) > 0)
    hash.Add(buffer.data(), got);
  bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) throw std::runtime_error("cannot read the whole file");
  return hash.Hex();
}

bool SameButHash(const BuildRecord& a, const BuildRecord& b) {
  return a.version == b.version && a.size == b.size && a.time == b.time && a.options == b.options;
}

bool BuildRecord::operator==(const BuildRecord& other) const {
  return SameButHash(*this, other) && hash == other.hash;
}

std::string LumipackVersion() {
  std::string version = LUMIDROME_VERSION;
  return version.empty() ? "unknown" : version;
}

BuildRecord RecordOfSource(const std::string& source, const std::string& options) {
  BuildRecord record;
  std::error_code error;
  record.size = fs::file_size(source, error);
  if (!error) record.time = fs::last_write_time(source, error).time_since_epoch().count();
  if (error) throw std::runtime_error("cannot read: " + error.message());
  record.version = LumipackVersion();
  record.options = options;
  return record;
}

std::string RecordPathFor(const std::string& pack, const std::string& base_name) {
  return (fs::path(pack) / ".lumipack" / (base_name + ".record")).string();
}

bool ReadRecord(const std::string& path, BuildRecord* record) {
  std::ifstream in(path, std::ios::binary);
  std::string heading;
  if (!std::getline(in, heading) || heading != kRecordHeading) return false;
  std::string line;
  int fields = 0;
  while (std::getline(in, line)) {
    size_t equals = line.find('=');
    if (equals == std::string::npos) return false;
    std::string key = line.substr(0, equals), value = line.substr(equals + 1);
    if (key == "version") record->version = value;
    if (key == "size") record->size = std::strtoull(value.c_str(), nullptr, 10);
    if (key == "time") record->time = std::strtoll(value.c_str(), nullptr, 10);
    if (key == "hash") record->hash = value;
    if (key == "options") record->options = value;
    ++fields;
  }
  return fields == 5;
}

void WriteRecord(const std::string& path, const BuildRecord& record) {
  std::error_code error;
  fs::create_directories(fs::path(path).parent_path(), error);
  if (error) {
    throw std::runtime_error("cannot create " + fs::path(path).parent_path().string() + ": " +
                             error.message());
  }
  std::ostringstream text;
  text << kRecordHeading << "\nversion=" << record.version << "\nsize=" << record.size
       << "\ntime=" << record.time << "\nhash=" << record.hash << "\noptions=" << record.options
       << "\n";
  WriteFileAtomically(path, text.str());
}

}  // namespace lumipack
