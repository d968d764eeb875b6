// The JPEG encoder: what libjpeg refuses gives an empty result and the
// process goes on; what it takes decodes to the pixels given.
#include "jpeg_encoder.h"

#include <gtest/gtest.h>

#include <vector>

#include "bitmap.h"

namespace simhost {
namespace {

TEST(JpegEncoder, WhatLibjpegRefusesIsAnEmptyResultNotAnExit) {
  const std::vector<uint8_t> row(size_t{70000} * 3, 128);
  EXPECT_EQ(EncodeRgbJpeg(70000, 1, row.data()), "");  // beyond JPEG's 65500
  EXPECT_EQ(EncodeRgbJpeg(0, 1, row.data()), "");
  EXPECT_EQ(EncodeRgbJpeg(1, 1, nullptr), "");
  // The encoder still works after a refusal.
  const std::string bytes = EncodeRgbJpeg(64, 1, row.data(), 95);
  Bitmap decoded;
  ASSERT_EQ(decoded.LoadBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()),
            image_result::kOk);
  EXPECT_EQ(decoded.Width(), 64);
  EXPECT_NEAR(decoded.Pixels()[0], 128, 3);
}

}  // namespace
}  // namespace simhost
