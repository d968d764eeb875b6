// lumipack's Radiance reader on arbitrary bytes: it must never crash, and a
// picture it opens hands out exactly the rows its header promises or throws.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "radiance_format.h"

namespace {

// The reader takes a file name, so each input goes through a file.
std::string InputFile(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/fuzz_radiance_" + std::to_string(getpid()) + ".hdr";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) __builtin_trap();
  if (size > 0 && std::fwrite(data, 1, size, file) != size) __builtin_trap();
  std::fclose(file);
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = InputFile(data, size);
  try {
    std::unique_ptr<lumipack::ScanlineSource> source = lumipack::OpenRadiance(path);
    const int width = source->Width(), height = source->Height();
    if (width < 1 || height < 1) __builtin_trap();
    // Headers may claim what the input cannot hold; the reader must then
    // stop at the end of the data, not read past it.
    std::vector<float> rows(static_cast<size_t>(width) * 3 * 8);
    int seen = 0;
    for (int got = source->ReadRows(8, rows.data()); got > 0;
         got = source->ReadRows(8, rows.data())) {
      if (got > 8) __builtin_trap();
      seen += got;
    }
    if (seen != height) __builtin_trap();
  } catch (const std::exception&) {
  }
  return 0;
}
