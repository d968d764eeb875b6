// Radiance RGBE pictures (".hdr"): read row by row, flat or run-length
// encoded, and written run-length encoded. No packaged library reads them a
// block at a time, so the format's few rules live here.
#pragma once

#include <memory>
#include <string>

#include "float_image.h"

namespace lumipack {

std::unique_ptr<ScanlineSource> OpenRadiance(const std::string& path);

// Writes the picture to path; throws std::runtime_error naming the file.
void WriteRadiance(const FloatImage& image, const std::string& path);

}  // namespace lumipack
