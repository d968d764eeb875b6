// Radiance RGBE pictures (".hdr"): read row by row, flat or run-length
// encoded, and written run-length encoded. No packaged library reads them a
// block at a time, so the format's few rules live here.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "float_image.h"

namespace lumipack {

std::unique_ptr<ScanlineSource> OpenRadiance(const std::string& path);

// Writes the picture to path; throws std::runtime_error naming the file.
void WriteRadiance(const FloatImage& image, const std::string& path);

// Writes a picture row by row, top to bottom, for pictures too large to hold.
class RadianceWriter {
 public:
  RadianceWriter(const std::string& path, int width, int height);
  ~RadianceWriter();
  RadianceWriter(const RadianceWriter&) = delete;
  RadianceWriter& operator=(const RadianceWriter&) = delete;
  void WriteRow(const float* rgb);
  // Throws when the file could not be written completely.
  void Finish();

 private:
  void Flush();
  std::string path_;
  int width_;
  std::FILE* file_;
  std::vector<unsigned char> bytes_;
  bool failed_ = false;
};

}  // namespace lumipack
