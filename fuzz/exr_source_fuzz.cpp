// lumipack's OpenEXR source on arbitrary bytes: the choice of colour
// channels and layers, the data window and the rows read a block at a time.
// It must never crash; what it opens hands out exactly its rows or throws.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "exr_format.h"

namespace {

std::string InputFile(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/fuzz_exr_source_" + std::to_string(getpid()) + ".exr";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) __builtin_trap();
  if (size > 0 && std::fwrite(data, 1, size, file) != size) __builtin_trap();
  std::fclose(file);
  return path;
}

// Pictures this large are valid but only slow the fuzzer down.
constexpr long long kMostPixels = 1 << 22;

void ReadAll(const std::string& path, const std::string& layer) {
  std::unique_ptr<lumipack::ScanlineSource> source = lumipack::OpenExr(path, layer);
  const int width = source->Width(), height = source->Height();
  if (width < 1 || height < 1) __builtin_trap();
  if (static_cast<long long>(width) * height > kMostPixels) return;
  std::vector<float> rows(static_cast<size_t>(width) * 3 * 16);
  int seen = 0;
  for (int got = source->ReadRows(16, rows.data()); got > 0;
       got = source->ReadRows(16, rows.data())) {
    seen += got;
  }
  if (seen != height) __builtin_trap();
}

}  // namespace

// OpenEXR's C++ header reader allocates the size an attribute of unknown
// type claims (up to 2 GB) before it finds the file too short, when our
// header check and it read a damaged header differently. The memory is never
// touched, so resident memory stays within -rss_limit_mb; only the single
// allocation's limit is raised above 2 GB.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  static std::vector<char*> arguments(*argv, *argv + *argc);
  static char malloc_limit[] = "-malloc_limit_mb=2200";
  arguments.insert(arguments.begin() + 1, malloc_limit);
  arguments.push_back(nullptr);
  *argc = static_cast<int>(arguments.size()) - 1;
  *argv = arguments.data();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  lumipack::SetExrThreads(1);
  const std::string path = InputFile(data, size);
  // The first choice is the file's own; a named layer takes the other path.
  for (const char* layer : {"", "diffuse"}) {
    try {
      ReadAll(path, layer);
    } catch (const std::exception&) {
    }
  }
  return 0;
}
