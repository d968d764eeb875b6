#include "hdri_samples.h"

#include <Imath/half.h>
#include <ImfChannelList.h>
#include <ImfFrameBuffer.h>
#include <ImfHeader.h>
#include <ImfOutputFile.h>
#include <ImfTiledOutputFile.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <fstream>

#include "bitmap.h"

namespace lumipack_test {

namespace fs = std::filesystem;

lumipack::FloatImage Sky(int width, int height, float sun) {
  lumipack::FloatImage image(width, height);
  float sun_x = width * 0.25f, sun_y = height * 0.25f, radius = std::max(2.0f, width / 64.0f);
  for (int y = 0; y < height; ++y) {
    float* row = image.Row(y);
    for (int x = 0; x < width; ++x) {
      bool sky = y < height / 2;
      float shade = 0.5f + 0.5f * static_cast<float>(x) / width;
      float rgb[3] = {sky ? 0.3f : 0.2f, sky ? 0.5f : 0.12f, sky ? 1.0f : 0.05f};
      float distance = std::hypot(x + 0.5f - sun_x, y + 0.5f - sun_y);
      // A glow around the sun, up to eight times the sky's brightness.
      float glow = 8.0f * radius * radius / (radius * radius + distance * distance);
      for (int c = 0; c < 3; ++c) row[x * 3 + c] = distance < radius ? sun : rgb[c] * shade + glow;
    }
  }
  return image;
}

lumipack::FloatImage Uniform(int width, int height, float value) {
  lumipack::FloatImage image(width, height);
  std::fill(image.rgb.begin(), image.rgb.end(), value);
  return image;
}

void WriteFlatRadiance(const lumipack::FloatImage& image, const fs::path& file) {
  std::ofstream out(file, std::ios::binary);
  out << "#?RADIANCE\nFORMAT=32-bit_rle_rgbe\nEXPOSURE=1.0\n\n-Y " << image.height << " +X "
      << image.width << "\n";
  for (size_t i = 0; i < image.rgb.size(); i += 3) {
    float largest = std::max({image.rgb[i], image.rgb[i + 1], image.rgb[i + 2]});
    unsigned char pixel[4] = {0, 0, 0, 0};
    if (largest > 1e-32f) {
      int exponent = 0;
      float scale = std::frexp(largest, &exponent) * 256.0f / largest;
      for (int c = 0; c < 3; ++c) pixel[c] = static_cast<unsigned char>(image.rgb[i + c] * scale);
      pixel[3] = static_cast<unsigned char>(exponent + 128);
    }
    out.write(reinterpret_cast<const char*>(pixel), 4);
  }
}

// OpenEXR writes half channels only from half values.
void WriteSampleExr(const lumipack::FloatImage& image, const fs::path& file,
                    const ExrLayout& layout) {
  Imf::Header header(image.width, image.height);
  header.compression() = layout.compression;
  Imf::PixelType type = layout.half ? Imf::HALF : Imf::FLOAT;
  const char* names[3] = {"R", "G", "B"};
  for (const std::string& prefix : layout.prefixes) {
    for (const char* name : names) header.channels().insert(prefix + name, Imf::Channel(type));
  }
  std::vector<half> halves(image.rgb.begin(), image.rgb.end());
  size_t size = layout.half ? sizeof(half) : sizeof(float);
  char* base = layout.half ? reinterpret_cast<char*>(halves.data())
                           : const_cast<char*>(reinterpret_cast<const char*>(image.rgb.data()));
  Imf::FrameBuffer frame;
  for (const std::string& prefix : layout.prefixes) {
    for (int c = 0; c < 3; ++c) {
      frame.insert(prefix + names[c],
                   Imf::Slice(type, base + c * size, 3 * size, 3 * size * image.width));
    }
  }
  if (layout.tiled) {
    header.setTileDescription(Imf::TileDescription(32, 16, Imf::ONE_LEVEL));
    Imf::TiledOutputFile out(file.c_str(), header);
    out.setFrameBuffer(frame);
    out.writeTiles(0, out.numXTiles() - 1, 0, out.numYTiles() - 1);
  } else {
    Imf::OutputFile out(file.c_str(), header);
    out.setFrameBuffer(frame);
    out.writePixels(image.height);
  }
}

int Picture::Grey(int x, int y) const {
  const uint8_t* pixel = &rgb[(static_cast<size_t>(y) * width + x) * 3];
  return (pixel[0] + pixel[1] + pixel[2]) / 3;
}

Picture LoadPicture(const fs::path& file) {
  simhost::Bitmap bitmap;
  Picture picture;
  if (bitmap.LoadFile(file.string()) != simhost::image_result::kOk) return picture;
  picture.width = bitmap.Width();
  picture.height = bitmap.Height();
  picture.rgb = bitmap.Pixels();
  return picture;
}

float LargestValue(const fs::path& file, int* width, int* height) {
  std::unique_ptr<lumipack::ScanlineSource> source = lumipack::OpenSource(file.string());
  if (width) *width = source->Width();
  if (height) *height = source->Height();
  std::vector<float> row(static_cast<size_t>(source->Width()) * 3);
  float largest = 0;
  while (source->ReadRows(1, row.data()) == 1) {
    largest = std::max(largest, *std::max_element(row.begin(), row.end()));
  }
  return largest;
}

}  // namespace lumipack_test
