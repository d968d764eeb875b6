#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "exr_format.h"
#include "float_image.h"
#include "radiance_format.h"

namespace lumipack {

const char* FormatExtension(SourceFormat format) {
  switch (format) {
    case SourceFormat::kRadiance:
      return ".hdr";
    case SourceFormat::kOpenExr:
      return ".exr";
    case SourceFormat::kUnknown:
      break;
  }
  return "";
}

// By the first bytes, whatever the file's name says.
SourceFormat SniffFormat(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr)
    throw std::runtime_error(std::string("cannot open: ") + std::strerror(errno));
  unsigned char head[4] = {};
  size_t got = std::fread(head, 1, sizeof head, file);
  std::fclose(file);
  if (got >= 2 && head[0] == '#' && head[1] == '?') return SourceFormat::kRadiance;
  if (got == 4 && head[0] == 0x76 && head[1] == 0x2f && head[2] == 0x31 && head[3] == 0x01) {
    return SourceFormat::kOpenExr;
  }
  return SourceFormat::kUnknown;
}

std::unique_ptr<ScanlineSource> OpenSource(const std::string& path, const std::string& layer) {
  switch (SniffFormat(path)) {
    case SourceFormat::kRadiance:
      return OpenRadiance(path);
    case SourceFormat::kOpenExr:
      return OpenExr(path, layer);
    case SourceFormat::kUnknown:
      break;
  }
  throw std::runtime_error("unknown format: neither a Radiance HDR nor an OpenEXR file");
}

}  // namespace lumipack
