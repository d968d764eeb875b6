// PNG headers that claim more pixels than the file's data can hold: refused
// as broken before the picture is allocated, while real pictures of the
// same size that compress well still load.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
// clang-format off: needs windows.h first
#include <psapi.h>
// clang-format on
#else
#include <sys/resource.h>
#endif

#include <cstdint>
#include <string>
#include <vector>

#include "bitmap.h"

namespace simhost {
namespace {

uint32_t Crc32(const uint8_t* data, size_t size) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void PutBigEndian(std::vector<uint8_t>* bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) (*bytes)[at + i] = static_cast<uint8_t>(value >> (24 - 8 * i));
}

// A small picture's PNG bytes with the header's size replaced (and its
// checksum made right, so only the size lies).
std::vector<uint8_t> PngClaiming(uint32_t width, uint32_t height) {
  Bitmap small;
  small.InitSize(8, 8);
  const std::string path = ::testing::TempDir() + "png_size_claims.png";
  EXPECT_TRUE(small.SavePng(path));
  FILE* file = std::fopen(path.c_str(), "rb");
  std::vector<uint8_t> bytes(4096);
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
  std::fclose(file);
  std::remove(path.c_str());
  // Signature (8), IHDR length (4), "IHDR" (4), width, height, 5 more bytes, CRC.
  PutBigEndian(&bytes, 16, width);
  PutBigEndian(&bytes, 20, height);
  PutBigEndian(&bytes, 29, Crc32(bytes.data() + 12, 17));
  return bytes;
}

// The most memory this process has held so far.
long PeakKilobytes() {
#ifdef _WIN32
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<long>(counters.PeakWorkingSetSize / 1024);
#else
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
#endif
}

TEST(PngSizeClaims, AHugeClaimOverTinyDataIsBrokenWithoutAllocatingIt) {
  // 32768 x 2048 is within the host's limit: 192 MB of pixels if believed.
  const std::vector<uint8_t> lying = PngClaiming(32768, 2048);
  ASSERT_LT(lying.size(), 200u);
  const long before = PeakKilobytes();
  Bitmap bitmap;
  std::string error;
  EXPECT_EQ(bitmap.LoadBytes(lying.data(), lying.size(), &error), image_result::kFileStructure);
  EXPECT_TRUE(bitmap.Empty());
  EXPECT_NE(error.find("32768 x 2048"), std::string::npos) << error;
  EXPECT_LT(PeakKilobytes() - before, 64 * 1024) << "the claimed picture was allocated";
}

TEST(PngSizeClaims, PicturesThatCompressWellStillLoad) {
  Bitmap flat;
  ASSERT_EQ(flat.InitSize(2000, 1000), image_result::kOk);
  const std::string path = ::testing::TempDir() + "png_size_claims_flat.png";
  ASSERT_TRUE(flat.SavePng(path));
  Bitmap loaded;
  EXPECT_EQ(loaded.LoadFile(path), image_result::kOk);
  EXPECT_EQ(loaded.Width(), 2000);
  std::remove(path.c_str());
}

}  // namespace
}  // namespace simhost
