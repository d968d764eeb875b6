// The pack builder's pieces: Radiance files read and written, the
// area-average reduction and the tone curve.
#include <ImfChannelList.h>
#include <ImfFrameBuffer.h>
#include <ImfOutputFile.h>
#include <ImfRgbaFile.h>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "area_reduce.h"
#include "exr_format.h"
#include "hdri_samples.h"
#include "radiance_format.h"
#include "tone_map.h"

namespace lumipack_test {
namespace {

using lumipack::FloatImage;

FloatImage ReadAll(const std::filesystem::path& file) {
  std::unique_ptr<lumipack::ScanlineSource> source = lumipack::OpenSource(file.string());
  FloatImage image(source->Width(), source->Height());
  int row = 0;
  while (int got = source->ReadRows(7, image.Row(row))) row += got;
  EXPECT_EQ(row, image.height);
  return image;
}

// RGBE keeps 8 bits of mantissa per channel against the largest one.
void ExpectNear(const FloatImage& a, const FloatImage& b) {
  ASSERT_EQ(a.width, b.width);
  ASSERT_EQ(a.height, b.height);
  for (size_t i = 0; i < a.rgb.size(); i += 3) {
    float largest = std::max({a.rgb[i], a.rgb[i + 1], a.rgb[i + 2]});
    for (int c = 0; c < 3; ++c) ASSERT_NEAR(a.rgb[i + c], b.rgb[i + c], largest / 100 + 1e-6) << i;
  }
}

// A blue picture through the library's own luminance (and chroma) writer.
void WriteLuminanceExr(const std::filesystem::path& file, Imf::RgbaChannels channels) {
  std::vector<Imf::Rgba> pixels(16 * 8, Imf::Rgba(0.05f, 0.1f, 0.8f, 1.0f));
  Imf::RgbaOutputFile out(file.c_str(), 16, 8, channels);
  out.setFrameBuffer(pixels.data(), 1, 16);
  out.writePixels(8);
}

TEST(OpenExr, LuminanceIsGreyChromaIsColourAndOtherChannelsAreRefused) {
  TempFolder folder;
  WriteLuminanceExr(folder.path() / "y.exr", Imf::WRITE_Y);
  WriteLuminanceExr(folder.path() / "yc.exr", Imf::WRITE_YC);
  FloatImage grey = ReadAll(folder.path() / "y.exr");
  EXPECT_GT(grey.rgb[0], 0.05f);
  EXPECT_EQ(grey.rgb[0], grey.rgb[2]);
  FloatImage colour = ReadAll(folder.path() / "yc.exr");
  EXPECT_GT(colour.rgb[2 * 3 + 2], 4 * colour.rgb[2 * 3]);

  // A depth channel is no picture; it is refused, not taken for grey.
  Imf::Header header(4, 2);
  header.channels().insert("Z", Imf::Channel(Imf::FLOAT));
  std::vector<float> depth(8, 1.0f);
  Imf::FrameBuffer frame;
  frame.insert("Z", Imf::Slice(Imf::FLOAT, reinterpret_cast<char*>(depth.data()), sizeof(float),
                               4 * sizeof(float)));
  {
    Imf::OutputFile out((folder.path() / "z.exr").c_str(), header);
    out.setFrameBuffer(frame);
    out.writePixels(2);
  }
  try {
    lumipack::OpenExr((folder.path() / "z.exr").string());
    ADD_FAILURE() << "a depth-only file was opened";
  } catch (const std::exception& error) {
    EXPECT_STREQ(error.what(), "no colour channels (R, G and B, or Y): its channels are Z");
  }
}

TEST(OpenExr, ADataWindowAwayFromTheOriginIsReadWhole) {
  TempFolder folder;
  const Imath::Box2i window(Imath::V2i(-3, 5), Imath::V2i(4, 8));  // 8 x 4
  Imf::Header header(window, window);
  std::vector<float> values(8 * 4);
  for (size_t i = 0; i < values.size(); ++i) values[i] = static_cast<float>(i);
  Imf::FrameBuffer frame;
  const uintptr_t origin = reinterpret_cast<uintptr_t>(values.data()) -
                           static_cast<uintptr_t>((-3 + 5 * 8) * sizeof(float));
  for (const char* name : {"R", "G", "B"}) {
    header.channels().insert(name, Imf::Channel(Imf::FLOAT));
    frame.insert(name, Imf::Slice(Imf::FLOAT, reinterpret_cast<char*>(origin), sizeof(float),
                                  8 * sizeof(float)));
  }
  {
    Imf::OutputFile out((folder.path() / "window.exr").c_str(), header);
    out.setFrameBuffer(frame);
    out.writePixels(4);
  }
  FloatImage image = ReadAll(folder.path() / "window.exr");
  ASSERT_EQ(image.width, 8);
  ASSERT_EQ(image.height, 4);
  for (size_t i = 0; i < values.size(); ++i) ASSERT_EQ(image.rgb[i * 3 + 1], values[i]) << i;
}

TEST(Radiance, FlatAndRunLengthFilesReadBackAlike) {
  TempFolder folder;
  FloatImage sky = Sky(200, 100);
  WriteFlatRadiance(sky, folder.path() / "flat.hdr");
  lumipack::WriteRadiance(sky, (folder.path() / "rle.hdr").string());
  EXPECT_LT(std::filesystem::file_size(folder.path() / "rle.hdr"),
            std::filesystem::file_size(folder.path() / "flat.hdr"));
  ExpectNear(ReadAll(folder.path() / "flat.hdr"), sky);
  ExpectNear(ReadAll(folder.path() / "rle.hdr"), sky);
  // Too narrow for run-length rows: written flat.
  FloatImage narrow = Sky(5, 3);
  lumipack::WriteRadiance(narrow, (folder.path() / "narrow.hdr").string());
  ExpectNear(ReadAll(folder.path() / "narrow.hdr"), narrow);
}

std::string Bytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(Radiance, DamagedFilesSayWhatIsWrong) {
  TempFolder folder;
  lumipack::WriteRadiance(Sky(64, 32), (folder.path() / "good.hdr").string());
  std::string good = Bytes(folder.path() / "good.hdr");
  struct Case {
    std::string name, bytes, message;
  } cases[] = {
      {"truncated", good.substr(0, good.size() * 2 / 3), "truncated"},
      {"no_header_end", "#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n", "header"},
      {"xyze", "#?RADIANCE\nFORMAT=32-bit_rle_xyze\n\n-Y 2 +X 2\n", "32-bit_rle_xyze"},
      {"flipped", "#?RADIANCE\n\n+Y 2 +X 2\n", "orientation"},
      {"huge", "#?RADIANCE\n\n-Y 999999999 +X 999999999\n", "implausible size"},
      {"bad_run", std::string("#?RADIANCE\n\n-Y 1 +X 8\n\x02\x02\x00\x08\x90\x01", 28),
       "corrupt run-length"},
  };
  for (const Case& c : cases) {
    std::ofstream(folder.path() / c.name, std::ios::binary) << c.bytes;
    try {
      ReadAll(folder.path() / c.name);
      ADD_FAILURE() << c.name << " was read";
    } catch (const std::runtime_error& error) {
      EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos)
          << c.name << ": " << error.what();
    }
  }
}

TEST(AreaReduce, KeepsTheSunsEnergyAndDoesNotRing) {
  FloatImage sky = Sky(512, 256, 10000.0f);
  FloatImage small = lumipack::Resample(sky, lumipack::Area{0, 0, 512, 256}, 100, 50);
  double before = 0, after = 0;
  for (float v : sky.rgb) before += v;
  for (float v : small.rgb) after += v;
  EXPECT_NEAR(after * (512.0 * 256) / (100.0 * 50), before, before * 1e-4);
  // No value below the source's smallest: an averaging filter has no lobes.
  EXPECT_GE(*std::min_element(small.rgb.begin(), small.rgb.end()), 0.05f * 0.5f - 1e-6f);
  // Split by columns over threads, the same sums.
  lumipack::AreaReducer threaded(512, 256, lumipack::Area{0, 0, 512, 256}, 100, 50);
  threaded.AddRows(0, 256, sky.rgb.data(), 3);
  EXPECT_EQ(threaded.Result().rgb, small.rgb);
}

TEST(AreaReduce, CentresNonEquirectangularPictures) {
  lumipack::Area wide = lumipack::CentredTwoToOne(300, 100);
  EXPECT_DOUBLE_EQ(wide.x, 50);
  EXPECT_DOUBLE_EQ(wide.width, 200);
  lumipack::Area square = lumipack::CentredTwoToOne(100, 100);
  EXPECT_DOUBLE_EQ(square.y, 25);
  EXPECT_DOUBLE_EQ(square.height, 50);
}

TEST(ToneMap, FilmicRollsHighlightsOffWhereClipFlattensThem) {
  FloatImage ramp(5, 1);
  float values[5] = {0.18f, 1.0f, 2.0f, 4.0f, 8.0f};
  for (int x = 0; x < 5; ++x)
    ramp.rgb[x * 3] = ramp.rgb[x * 3 + 1] = ramp.rgb[x * 3 + 2] = values[x];
  std::vector<uint8_t> filmic = lumipack::ToneMap(ramp, 1.0f, lumipack::ToneCurve::kFilmic);
  std::vector<uint8_t> clip = lumipack::ToneMap(ramp, 1.0f, lumipack::ToneCurve::kClip);
  for (int x = 1; x < 5; ++x) EXPECT_LT(filmic[(x - 1) * 3], filmic[x * 3]) << values[x];
  EXPECT_LT(filmic[12], 255);
  EXPECT_EQ(clip[3], 255);
  EXPECT_EQ(clip[12], 255);
  EXPECT_EQ(lumipack::EncodeSrgb(0.18f), 118);  // mid-grey
}

TEST(ToneMap, AutoExposureAdaptsHalfWayWithinLimits) {
  // A plain scene: the eye adapts half-way, in stops, from mid-grey.
  EXPECT_NEAR(lumipack::AutoExposure(Uniform(8, 4, 10.0f)), 0.18f / std::sqrt(1.8f), 1e-4f);
  // A very dark one is lifted to 2 stops under mid-grey, no further.
  EXPECT_NEAR(lumipack::AutoExposure(Uniform(8, 4, 0.01f)) * 0.01f, 0.045f, 1e-4f);
  EXPECT_EQ(lumipack::AutoExposure(Uniform(8, 4, 0.0f)), 1.0f);
  // A low-key picture (its log-average near the bottom of its range) gets
  // less than a high-key one of the same log-average.
  lumipack::LightMeasure low_key{-4, -8, 2, 1.5, false}, high_key{-4, -6, -3.5, -3.6, false};
  EXPECT_LT(lumipack::ExposureFor(low_key) * 2, lumipack::ExposureFor(high_key));
  // Highlights: the 98th percentile stays below the curve's white.
  FloatImage sunny = Uniform(100, 10, 0.1f);
  for (int i = 0; i < 100 * 10 / 20; ++i) sunny.rgb[i * 3] = sunny.rgb[i * 3 + 1] = 1e4f;
  float scale = lumipack::AutoExposure(sunny);
  EXPECT_LE(scale * 1e4f * 0.9274f, lumipack::kFilmicWhite * 1.01f);
}

}  // namespace
}  // namespace lumipack_test
