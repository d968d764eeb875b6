// OpenEXR pictures (".exr"), through the OpenEXR library: read a block of
// rows at a time whatever their layout (scanline or tiled) and compression,
// and written with the compression and pixel type of their source.
#pragma once

#include <memory>
#include <string>

#include "float_image.h"

namespace lumipack {

struct ExrTraits {
  bool half = true;     // half floats, else 32-bit floats
  int compression = 0;  // an Imf::Compression value
};

class ExrSource;
// The colour channels: top-level R, G, B; luminance (with chroma or not);
// else the one layer with R, G, B, or the named layer. Throws listing the
// layers when the choice is not clear.
std::unique_ptr<ScanlineSource> OpenExr(const std::string& path, const std::string& layer = "");
// The pixel type and compression of an opened OpenEXR source.
ExrTraits TraitsOf(const ScanlineSource& source);

// Sets how many threads OpenEXR decodes with, for the whole process.
void SetExrThreads(int threads);

// Writes R, G, B channels; throws naming the file.
void WriteExr(const FloatImage& image, const ExrTraits& traits, const std::string& path);

}  // namespace lumipack
