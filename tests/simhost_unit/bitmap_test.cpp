// Pictures: loading good, broken and foreign files (errors, never a crash
// or an abort), and scaling.
#include "bitmap.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "host.h"
#include "jpeg_encoder.h"
#include "test_support.h"

namespace simhost {
namespace {

using simhost_test::ReadBytes;
using simhost_test::TempFolder;
using simhost_test::WriteBytes;

// A width x height JPEG of one colour.
void WriteJpeg(const std::string& path, int width, int height, uint8_t r, uint8_t g, uint8_t b) {
  const std::string bytes = EncodeSolidJpeg(width, height, r, g, b, 95);
  ASSERT_FALSE(bytes.empty());
  WriteBytes(path, std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

class BitmapTest : public ::testing::Test {
 protected:
  int32_t Load(const std::string& path) {
    c4d_bitmap* bitmap = api_.alloc();
    const int32_t result = api_.init_file(bitmap, path.c_str(), -1);
    width_ = api_.get_bw(bitmap);
    api_.free(bitmap);
    return result;
  }

  Host host_;
  const c4d_bitmap_api& api_ = *host_.Table().bitmap;
  TempFolder folder_{simhost_test::kTempPrefix};
  int32_t width_ = 0;
};

TEST_F(BitmapTest, GoodJpegAndPngFilesLoadWithTheirPixels) {
  const std::string jpeg = folder_.File("thumb.jpg");
  WriteJpeg(jpeg, 40, 20, 200, 30, 90);
  c4d_bitmap* bitmap = api_.alloc();
  ASSERT_EQ(api_.init_file(bitmap, jpeg.c_str(), -1), image_result::kOk);
  EXPECT_EQ(api_.get_bw(bitmap), 40);
  EXPECT_EQ(api_.get_bh(bitmap), 20);
  EXPECT_EQ(api_.get_bpz(bitmap), 120);
  uint16_t r, g, b;
  api_.get_pixel(bitmap, 10, 10, &r, &g, &b);
  EXPECT_NEAR(r, 200, 4);
  EXPECT_NEAR(g, 30, 4);
  EXPECT_NEAR(b, 90, 4);

  // Through the PNG writer and back, exactly.
  Bitmap picture;
  ASSERT_EQ(picture.InitSize(3, 2), image_result::kOk);
  picture.SetPixel(2, 1, 1, 2, 300);
  const std::string png = folder_.File("icon.png");
  ASSERT_TRUE(picture.SavePng(png));
  ASSERT_EQ(api_.init_file(bitmap, png.c_str(), -1), image_result::kOk);
  api_.get_pixel(bitmap, 2, 1, &r, &g, &b);
  EXPECT_EQ(std::vector<int>({r, g, b}), std::vector<int>({1, 2, 255}));
  api_.get_pixel(bitmap, 3, 0, &r, &g, &b);  // outside
  EXPECT_EQ(std::vector<int>({r, g, b}), std::vector<int>({0, 0, 0}));
  api_.free(bitmap);
}

TEST_F(BitmapTest, BrokenTruncatedAndForeignFilesGiveErrorsAndAnEmptyBitmap) {
  const std::string good = folder_.File("good.jpg");
  WriteJpeg(good, 64, 64, 10, 20, 30);
  const std::vector<uint8_t> whole = ReadBytes(good);

  const std::string cut = folder_.File("cut.jpg");
  for (size_t length : {size_t{2}, size_t{3}, size_t{20}, whole.size() / 2, whole.size() - 3}) {
    WriteBytes(cut, std::vector<uint8_t>(whole.begin(), whole.begin() + length));
    EXPECT_LT(Load(cut), 0) << "cut at " << length;
    EXPECT_EQ(width_, 0);
  }

  std::vector<uint8_t> garbled = whole;
  for (size_t i = 2; i < garbled.size(); i += 7) garbled[i] = static_cast<uint8_t>(i * 31);
  WriteBytes(cut, garbled);
  EXPECT_LT(Load(cut), 0);

  Bitmap picture;
  picture.InitSize(8, 8);
  const std::string png = folder_.File("cut.png");
  ASSERT_TRUE(picture.SavePng(png));
  const std::vector<uint8_t> png_bytes = ReadBytes(png);
  WriteBytes(png, std::vector<uint8_t>(png_bytes.begin(), png_bytes.end() - 20));
  EXPECT_EQ(Load(png), image_result::kFileStructure);

  const std::string text = folder_.File("notes.jpg");
  WriteBytes(text, {'h', 'e', 'l', 'l', 'o'});
  EXPECT_EQ(Load(text), image_result::kWrongType);
  EXPECT_EQ(Load(folder_.File("absent.jpg")), image_result::kNotExisting);
  EXPECT_EQ(Load(folder_.Utf8Path()), image_result::kWrongType);
}

TEST_F(BitmapTest, AHeaderClaimingAHugePictureIsRefusedBeforeAllocating) {
  const std::string path = folder_.File("huge.jpg");
  WriteJpeg(path, 16, 16, 0, 0, 0);
  std::vector<uint8_t> bytes = ReadBytes(path);
  // The baseline frame header: FF C0, length, precision, height, width;
  // 36864 square is within what libjpeg accepts but beyond the host's limit.
  for (size_t i = 0; i + 8 < bytes.size(); ++i) {
    if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
      bytes[i + 5] = bytes[i + 7] = 0x90;
      bytes[i + 6] = bytes[i + 8] = 0x00;
      break;
    }
  }
  WriteBytes(path, bytes);
  EXPECT_EQ(Load(path), image_result::kOutOfMemory);
}

// Sets the size in the baseline frame header (FF C0, length, precision,
// height, width).
void ClaimSize(std::vector<uint8_t>* bytes, int width, int height) {
  for (size_t i = 0; i + 8 < bytes->size(); ++i) {
    if ((*bytes)[i] == 0xFF && (*bytes)[i + 1] == 0xC0) {
      (*bytes)[i + 5] = static_cast<uint8_t>(height >> 8);
      (*bytes)[i + 6] = static_cast<uint8_t>(height);
      (*bytes)[i + 7] = static_cast<uint8_t>(width >> 8);
      (*bytes)[i + 8] = static_cast<uint8_t>(width);
      return;
    }
  }
}

size_t StartOfScan(const std::vector<uint8_t>& bytes) {
  for (size_t i = 0; i + 1 < bytes.size(); ++i) {
    if (bytes[i] == 0xFF && bytes[i + 1] == 0xDA) return i;
  }
  return bytes.size();
}

// libjpeg goes on with grey where the data ends early, at the end of the
// file or at an end marker; either way the file is broken, and the loader
// stops there instead of decoding (and allocating) the rest.
TEST_F(BitmapTest, DataThatEndsBeforeThePictureIsBrokenAlsoAtAnEndMarker) {
  const std::string path = folder_.File("thumb.jpg");
  WriteJpeg(path, 64, 32, 10, 200, 10);
  const std::vector<uint8_t> good = ReadBytes(path);

  std::vector<uint8_t> claims_more = good;  // a small picture's data, a huge header
  ClaimSize(&claims_more, 2048, 32768);
  WriteBytes(path, claims_more);
  std::string error;
  Bitmap bitmap;
  EXPECT_EQ(bitmap.LoadFile(path, &error), image_result::kFileStructure);
  EXPECT_TRUE(bitmap.Empty());
  EXPECT_NE(error.find("premature end"), std::string::npos) << error;

  const size_t scan = StartOfScan(good);
  ASSERT_LT(scan, good.size());
  std::vector<uint8_t> early_end(good.begin(), good.begin() + scan + (good.size() - scan) / 2);
  early_end.push_back(0xFF);
  early_end.push_back(0xD9);
  EXPECT_EQ(bitmap.LoadBytes(early_end.data(), early_end.size()), image_result::kFileStructure);
  std::vector<uint8_t> cut(good.begin(), good.end() - 40);
  EXPECT_EQ(bitmap.LoadBytes(cut.data(), cut.size()), image_result::kFileStructure);
  EXPECT_EQ(bitmap.LoadBytes(good.data(), 0), image_result::kFileStructure);

  ASSERT_EQ(bitmap.LoadBytes(good.data(), good.size()), image_result::kOk);
  EXPECT_EQ(bitmap.Pixels().size(), size_t{64} * 32 * 3);
}

TEST_F(BitmapTest, ScalingAveragesWhenShrinkingAndStretchesTheWholePicture) {
  Bitmap source;
  source.InitSize(4, 2);
  for (int x = 0; x < 4; ++x) {
    source.SetPixel(x, 0, x < 2 ? 0 : 200, 100, 0);
    source.SetPixel(x, 1, x < 2 ? 100 : 255, 100, 0);
  }
  Bitmap half;
  half.InitSize(2, 1);
  source.ScaleInto(&half, 256);
  uint8_t rgb[3];
  half.GetPixel(0, 0, rgb);
  EXPECT_EQ(rgb[0], 50);
  half.GetPixel(1, 0, rgb);
  EXPECT_EQ(rgb[0], 228);

  // Non-proportional: a 4x2 source fills a 2x6 destination edge to edge.
  Bitmap tall;
  tall.InitSize(2, 6);
  source.ScaleInto(&tall, 256);
  tall.GetPixel(0, 0, rgb);
  EXPECT_EQ(rgb[0], 0);
  tall.GetPixel(1, 5, rgb);
  EXPECT_EQ(rgb[0], 255);

  Bitmap dim;
  dim.InitSize(4, 2);
  source.ScaleInto(&dim, 128);
  dim.GetPixel(3, 1, rgb);
  EXPECT_EQ(rgb[0], 128);
  EXPECT_EQ(rgb[1], 50);
}

TEST_F(BitmapTest, CopiesAreIndependentAndEmptyOrStaleBitmapsAreHarmless) {
  c4d_bitmap* original = api_.alloc();
  ASSERT_EQ(api_.init_size(original, 2, 2, 24, 0), image_result::kOk);
  api_.set_pixel(original, 0, 0, 9, 9, 9);
  c4d_bitmap* clone = api_.clone(original);
  c4d_bitmap* copy = api_.alloc();
  ASSERT_TRUE(api_.copy_to(original, copy));
  api_.set_pixel(original, 0, 0, 1, 1, 1);
  uint16_t r, g, b;
  api_.get_pixel(clone, 0, 0, &r, &g, &b);
  EXPECT_EQ(r, 9);
  api_.get_pixel(copy, 0, 0, &r, &g, &b);
  EXPECT_EQ(r, 9);

  EXPECT_EQ(api_.init_size(copy, 0, 5, 24, 0), image_result::kParamError);
  c4d_bitmap* empty = api_.alloc();
  api_.scale_it(empty, copy, 256, 1, 1);  // nothing to scale from
  api_.scale_it(copy, empty, 256, 1, 1);  // nowhere to scale to
  api_.free(empty);
  api_.free(clone);
  api_.free(copy);
  api_.free(original);
  api_.free(original);  // stale: refused, recorded
  EXPECT_EQ(api_.get_bw(original), 0);
  EXPECT_EQ(host_.Warnings().size(), 1u);
}

}  // namespace
}  // namespace simhost
