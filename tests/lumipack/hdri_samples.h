// Small generated HDRIs for the pack builder's tests: a sky with a bright
// sun, written as Radiance (flat or run-length) and as OpenEXR of any
// compression, scanline or tiled, half or float.
#pragma once

#include <ImfCompression.h>

#include <filesystem>
#include <string>
#include <vector>

#include "float_image.h"
#include "temp_folder.h"

namespace lumipack_test {

using lumidrome_test::TempFolder;

// Blue sky above, brown ground below, and a sun of `sun` times the sky's
// brightness, a few pixels across, in the upper left quarter, in a glow
// that fades from eight times the sky's brightness.
lumipack::FloatImage Sky(int width, int height, float sun = 5000.0f);
// Every pixel the same colour.
lumipack::FloatImage Uniform(int width, int height, float value);

void WriteFlatRadiance(const lumipack::FloatImage& image, const std::filesystem::path& file);

struct ExrLayout {
  Imf::Compression compression = Imf::ZIP_COMPRESSION;
  bool half = true;
  bool tiled = false;
  // The picture's R, G, B under each of these prefixes, e.g. "diffuse.".
  std::vector<std::string> prefixes{""};
};
void WriteSampleExr(const lumipack::FloatImage& image, const std::filesystem::path& file,
                    const ExrLayout& layout);

// A picture read back with the stand-in host's own loader; width 0 when it
// does not load.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;
  int Grey(int x, int y) const;  // the mean of the pixel's channels
};
Picture LoadPicture(const std::filesystem::path& file);

// The largest channel value of a small HDRI, read back by lumipack's readers.
float LargestValue(const std::filesystem::path& file, int* width = nullptr, int* height = nullptr);

}  // namespace lumipack_test
