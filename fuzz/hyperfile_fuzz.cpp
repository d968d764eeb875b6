// The container-file reader on arbitrary bytes. An odd first byte wraps the
// rest in a valid header, so the values themselves are fuzzed; an even one
// takes the bytes as the whole file, so the header checks are too.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "files/hyperfile.h"

namespace {

constexpr int32_t kIdent = 234;
const int32_t kKinds[] = {C4D_VALUE_INT32,  C4D_VALUE_FLOAT,    C4D_VALUE_INT64,
                          C4D_VALUE_STRING, C4D_VALUE_FILENAME, C4D_VALUE_CONTAINER,
                          C4D_VALUE_LINK,   C4D_VALUE_NIL};

void PutLittleEndian(uint64_t value, int bytes, std::vector<uint8_t>* out) {
  for (int i = 0; i < bytes; ++i) out->push_back(static_cast<uint8_t>(value >> (8 * i)));
}

std::vector<uint8_t> FileBytes(const uint8_t* data, size_t size) {
  if (size == 0 || data[0] % 2 == 0) return std::vector<uint8_t>(data, data + size);
  std::vector<uint8_t> file = {'H', 'F', 'I', 'L', 0x0D, 0x0A, 0x1A, 0x0A};
  PutLittleEndian(simhost::HyperFile::kFormatVersion, 4, &file);
  PutLittleEndian(kIdent, 4, &file);
  PutLittleEndian(size - 1, 8, &file);
  file.insert(file.end(), data + 1, data + size);
  return file;
}

std::string ScratchPath() {
  return "/tmp/lumidrome-fuzz-hyperfile-" + std::to_string(::getpid()) + ".hf";
}

// Reads values of whatever kind comes next until none fits.
void ReadEverything(simhost::HyperFile* file) {
  for (int reads = 0; reads < 4096; ++reads) {
    bool read = false;
    for (int32_t kind : kKinds) {
      simhost::Value value;
      if (file->Read(kind, &value)) {
        read = true;
        break;
      }
    }
    if (!read) return;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> bytes = FileBytes(data, size);
  const std::string path = ScratchPath();
  FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) return 0;
  std::fwrite(bytes.data(), 1, bytes.size(), out);
  std::fclose(out);
  simhost::HyperFile file;
  std::string reason;
  if (file.Open(kIdent, path, simhost::file_open::kRead, &reason)) {
    ReadEverything(&file);
    file.Close(&reason);
  }
  std::remove(path.c_str());
  return 0;
}
