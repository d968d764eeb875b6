#include "demo_library.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "image_io.h"
#include "lettering.h"
#include "raster.h"

namespace demo {
namespace {

namespace fs = std::filesystem;
using Sizes = LibrarySizes;

// Digits, "_", then the display name: letters with single underscores.
bool IsPackFolderName(const std::string& name) {
  const size_t underscore = name.find('_');
  if (underscore == 0 || underscore == std::string::npos || underscore + 1 == name.size()) {
    return false;
  }
  for (size_t i = 0; i < underscore; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(name[i]))) return false;
  }
  for (size_t i = underscore + 1; i < name.size(); ++i) {
    const bool letter = std::isalpha(static_cast<unsigned char>(name[i])) != 0;
    if (!letter && (name[i] != '_' || name[i - 1] == '_' || i + 1 == name.size())) return false;
  }
  return true;
}

// ---- RGBE pixels and .hdr files --------------------------------------------

TEST(Rgbe, KeepsEachChannelWithinThePrecisionOfTheBrightest) {
  const Rgb samples[] = {{1, 1, 1},     {0.5f, 0.25f, 0.125f}, {60, 50, 40},
                         {1e-3f, 0, 0}, {0.2f, 3.7f, 0.9f},    {12345, 1, 0.5f}};
  for (const Rgb& in : samples) {
    const auto rgbe = EncodeRgbe(in);
    const Rgb out = DecodeRgbe(rgbe.data());
    const float brightest = std::fmax(in.r, std::fmax(in.g, in.b));
    EXPECT_NEAR(out.r, in.r, brightest / 128) << in.r;
    EXPECT_NEAR(out.g, in.g, brightest / 128) << in.g;
    EXPECT_NEAR(out.b, in.b, brightest / 128) << in.b;
  }
}

TEST(Rgbe, UnusableValuesBecomeBlackOrTheLargestValue) {
  const float nan = std::nanf("");
  const float inf = INFINITY;
  for (const Rgb& in : {Rgb{0, 0, 0}, Rgb{-1, -2, -3}, Rgb{nan, nan, nan}, Rgb{1e-40f, 0, 0}}) {
    const auto rgbe = EncodeRgbe(in);
    EXPECT_EQ(rgbe[3], 0) << "exponent must mark black";
  }
  const Rgb clamped = DecodeRgbe(EncodeRgbe({inf, 1, nan}).data());
  EXPECT_TRUE(std::isfinite(clamped.r));
  EXPECT_GT(clamped.r, 1e37f);
  EXPECT_EQ(clamped.b, DecodeRgbe(EncodeRgbe({1e38f, 1, 0}).data()).b);
}

TEST(RadianceFile, RoundTripsSizeAndPixels) {
  FloatImage image(5, 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) image.Set(x, y, {x * 1.5f, y * 0.25f, 40.0f});
  }
  const std::string bytes = EncodeRadiance(image);
  EXPECT_EQ(bytes.rfind("#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n\n-Y 3 +X 5\n", 0), 0u);
  FloatImage back;
  ASSERT_TRUE(ParseRadiance(bytes, back));
  ASSERT_EQ(back.width, 5);
  ASSERT_EQ(back.height, 3);
  EXPECT_NEAR(back.Get(4, 2).r, 6.0f, 40.0f / 128);
  EXPECT_NEAR(back.Get(4, 2).b, 40.0f, 40.0f / 128);
  EXPECT_EQ(back.Get(0, 0).r, 0.0f);
}

TEST(RadianceFile, RejectsDamagedFilesWithoutCrashing) {
  FloatImage image(4, 2);
  const std::string good = EncodeRadiance(image);
  const std::string damaged[] = {
      "",
      good.substr(0, good.size() - 1),  // truncated pixels
      good + "x",                       // trailing garbage
      "#?RADIANCE\nFORMAT=32-bit_rle_xyze\n\n-Y 2 +X 4\n" + std::string(32, '\0'),
      "P6\n4 2\n255\n",  // not a Radiance file
      "#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n\n-Y -2 +X 4\n",
      "#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n\n-Y 99999999 +X 99999999\n",
      "#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n",  // no resolution line
  };
  for (const std::string& bytes : damaged) {
    FloatImage out;
    EXPECT_FALSE(ParseRadiance(bytes, out)) << bytes.substr(0, 40);
  }
}

// ---- resampling -------------------------------------------------------------

TEST(Resample, DownscalingKeepsMeanBrightnessAndFlatAreasFlat) {
  FloatImage stripes(400, 200);
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 400; ++x) stripes.Set(x, y, {x % 3 == 0 ? 9.0f : 0.0f, 2.0f, y * 0.01f});
  }
  double before = 0;
  for (float v : stripes.samples) before += v;
  for (auto [w, h] : {std::pair{240, 120}, {160, 80}, {128, 64}, {7, 3}}) {
    const FloatImage small = Resample(stripes, w, h);
    ASSERT_EQ(small.width, w);
    ASSERT_EQ(small.height, h);
    double after = 0;
    for (float v : small.samples) after += v;
    EXPECT_NEAR(after / (w * h), before / (400 * 200), 1e-3) << w;
    EXPECT_NEAR(small.Get(w - 1, h - 1).g, 2.0f, 1e-5f) << "flat channel must stay flat";
  }
}

TEST(Resample, EightBitImagesKeepChannelsAndRejectEmptySizes) {
  ByteImage rgba(10, 10, 4);
  for (auto& s : rgba.samples) s = 200;
  const ByteImage small = Resample(rgba, 3, 7);
  EXPECT_EQ(small.channels, 4);
  EXPECT_EQ(small.Pixel(2, 6)[3], 200);
  EXPECT_TRUE(Resample(rgba, 0, 5).samples.empty());
  EXPECT_TRUE(Resample(ByteImage(), 4, 4).samples.empty());
}

// ---- lettering ---------------------------------------------------------------

// Bounding box of the pixels that differ from black.
struct Ink {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};

Ink FindInk(const ByteImage& image) {
  Ink ink;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      if (image.Pixel(x, y)[0] == 0) continue;
      ink = {std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x),
             std::max(ink.bottom, y)};
    }
  }
  return ink;
}

TEST(Lettering, InksTextRightOfThePenAndAboveTheBaseline) {
  Lettering lettering(DEMO_LIBRARY_FONT);
  ASSERT_TRUE(lettering.IsReady());
  ByteImage image(200, 60, 3);
  lettering.Draw(image, "Soft Box", 20, 40, 16, Rgb{1, 1, 1});
  const Ink ink = FindInk(image);
  EXPECT_GE(ink.left, 20);
  EXPECT_LE(ink.left, 24);
  EXPECT_LE(ink.bottom, 40);
  EXPECT_GE(ink.top, 40 - 16);
  EXPECT_NEAR(ink.right - 20, lettering.Measure("Soft Box", 16), 3);
  EXPECT_GT(lettering.Measure("Soft Box 01", 16), lettering.Measure("Soft Box", 16));
}

TEST(Lettering, ClipsAtTheBorderAndDrawsNothingWithoutAFont) {
  Lettering lettering(DEMO_LIBRARY_FONT);
  ByteImage image(30, 10, 3);
  lettering.Draw(image, "Wider than the picture", -5, 8, 14, Rgb{1, 1, 1});
  EXPECT_GE(FindInk(image).right, 0) << "the part inside is still drawn";

  Lettering missing("/nonexistent/font.ttf");
  EXPECT_FALSE(missing.IsReady());
  ByteImage blank(30, 10, 3);
  missing.Draw(blank, "x", 2, 8, 14, Rgb{1, 1, 1});
  EXPECT_EQ(FindInk(blank).right, -1);
  EXPECT_EQ(missing.Measure("x", 14), 0);
}

// ---- the generated library --------------------------------------------------

class GeneratedLibrary : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    root_ = new fs::path(fs::temp_directory_path() /
                         ("demo_library_test_" + std::to_string(::getpid())));
    fs::remove_all(*root_);
    first_ = new GenerateResult(Generate("first"));
    second_ = new GenerateResult(Generate("second"));
  }
  static void TearDownTestSuite() {
    fs::remove_all(*root_);
    delete first_;
    delete second_;
    delete root_;
  }
  static GenerateResult Generate(const std::string& name) {
    return GenerateDemoLibrary(*root_ / name / "Packs", *root_ / name / "res", DEMO_LIBRARY_FONT);
  }
  static fs::path Packs() { return *root_ / "first" / "Packs"; }
  static fs::path Res() { return *root_ / "first" / "res"; }

  static void ExpectJpegSize(const fs::path& file, int width, int height) {
    ByteImage image;
    ASSERT_TRUE(ReadJpeg(file, image)) << file;
    EXPECT_EQ(image.width, width) << file;
    EXPECT_EQ(image.height, height) << file;
  }
  static void ExpectHdrSize(const fs::path& file, int width, int height) {
    FloatImage image;
    ASSERT_TRUE(ReadRadiance(file, image)) << file;
    EXPECT_EQ(image.width, width) << file;
    EXPECT_EQ(image.height, height) << file;
  }

  static fs::path* root_;
  static GenerateResult* first_;
  static GenerateResult* second_;
};

fs::path* GeneratedLibrary::root_ = nullptr;
GenerateResult* GeneratedLibrary::first_ = nullptr;
GenerateResult* GeneratedLibrary::second_ = nullptr;

TEST_F(GeneratedLibrary, EveryThumbnailHasItsVariantsHdrisAndBackground) {
  ASSERT_TRUE(first_->ok) << first_->error;
  int packs = 0;
  for (const auto& pack : fs::directory_iterator(Packs())) {
    ++packs;
    EXPECT_TRUE(IsPackFolderName(pack.path().filename().string())) << pack.path();
    int tiles = 0;
    for (const auto& thumb : fs::directory_iterator(pack.path() / "Thumbnails")) {
      const std::string stem = thumb.path().stem().string();
      if (stem.size() > 3 &&
          (stem.substr(stem.size() - 3) == "_md" || stem.substr(stem.size() - 3) == "_sm")) {
        continue;
      }
      ++tiles;
      EXPECT_NE(stem.find('_'), std::string::npos) << "names show their underscores as spaces";
      EXPECT_EQ(stem.find('.'), std::string::npos) << "a dot would cut the base name short";
      const fs::path thumbs = pack.path() / "Thumbnails";
      ExpectJpegSize(thumbs / (stem + ".jpg"), Sizes::kThumbWidth, Sizes::kThumbHeight);
      ExpectJpegSize(thumbs / (stem + "_md.jpg"), Sizes::kMediumWidth, Sizes::kMediumHeight);
      ExpectJpegSize(thumbs / (stem + "_sm.jpg"), Sizes::kSmallWidth, Sizes::kSmallHeight);
      ExpectJpegSize(pack.path() / "Background" / (stem + ".jpg"), Sizes::kBackgroundWidth,
                     Sizes::kBackgroundHeight);
      ExpectHdrSize(pack.path() / "HDRIs" / (stem + ".hdr"), Sizes::kHdrWidth, Sizes::kHdrHeight);
      ExpectHdrSize(pack.path() / "HDRIs" / (stem + "_SM.hdr"), Sizes::kSmallHdrWidth,
                    Sizes::kSmallHdrHeight);
    }
    EXPECT_GE(tiles, 3) << pack.path();
    EXPECT_LE(tiles, 4) << pack.path();
  }
  EXPECT_EQ(packs, 3);
}

TEST_F(GeneratedLibrary, PluginPicturesHaveTheirSizes) {
  ASSERT_TRUE(first_->ok) << first_->error;
  ExpectJpegSize(Res() / "AddMoreHDRIs.jpg", 400, 200);
  ExpectJpegSize(Res() / "AddMoreHDRIs_md.jpg", 240, 120);
  ExpectJpegSize(Res() / "AddMoreHDRIs_sm.jpg", 160, 80);
  ByteImage icon;
  ASSERT_TRUE(ReadPng(Res() / "icon.png", icon));
  EXPECT_EQ(icon.width, Sizes::kIconSize);
  EXPECT_EQ(icon.height, Sizes::kIconSize);
  EXPECT_EQ(icon.Pixel(0, 0)[3], 0) << "corners outside the rounded tile are transparent";
  EXPECT_EQ(icon.Pixel(32, 27)[3], 255);
}

TEST_F(GeneratedLibrary, HdrisHoldBrightLightsThatJpegsCannot) {
  ASSERT_TRUE(first_->ok) << first_->error;
  for (const DemoPack& pack : DemoPacks()) {
    for (const DemoImage& image : pack.images) {
      FloatImage hdr;
      ASSERT_TRUE(ReadRadiance(Packs() / pack.folder / "HDRIs" / (image.name + ".hdr"), hdr));
      float brightest = 0;
      for (float v : hdr.samples) brightest = std::fmax(brightest, v);
      EXPECT_GT(brightest, 1.0f) << image.name << " has no light brighter than white";
    }
  }
}

TEST_F(GeneratedLibrary, ThumbnailsLookDifferentFromEachOther) {
  ASSERT_TRUE(first_->ok) << first_->error;
  std::map<std::string, ByteImage> thumbs;
  for (const DemoPack& pack : DemoPacks()) {
    for (const DemoImage& image : pack.images) {
      ASSERT_TRUE(ReadJpeg(Packs() / pack.folder / "Thumbnails" / (image.name + ".jpg"),
                           thumbs[image.name]));
    }
  }
  for (auto a = thumbs.begin(); a != thumbs.end(); ++a) {
    for (auto b = std::next(a); b != thumbs.end(); ++b) {
      double difference = 0;
      for (size_t i = 0; i < a->second.samples.size(); ++i) {
        difference += std::abs(a->second.samples[i] - b->second.samples[i]);
      }
      EXPECT_GT(difference / a->second.samples.size(), 4.0) << a->first << " vs " << b->first;
    }
  }
}

TEST_F(GeneratedLibrary, StaysSmallAndGivesTheSameBytesEveryRun) {
  ASSERT_TRUE(first_->ok) << first_->error;
  ASSERT_TRUE(second_->ok) << second_->error;
  ASSERT_EQ(first_->files.size(), second_->files.size());
  std::uintmax_t total = 0;
  for (size_t i = 0; i < first_->files.size(); ++i) {
    std::string a;
    std::string b;
    ASSERT_TRUE(ReadFileBytes(first_->files[i], a));
    ASSERT_TRUE(ReadFileBytes(second_->files[i], b));
    EXPECT_TRUE(a == b) << first_->files[i];
    total += a.size();
  }
  EXPECT_LT(total, 800u * 1024u);
}

// The repository keeps the generated files; this catches a generator change
// that was not followed by a run of make_demo_library.
TEST_F(GeneratedLibrary, RepositoryHoldsTheCurrentOutput) {
  ASSERT_TRUE(first_->ok) << first_->error;
  const fs::path repo(DEMO_LIBRARY_REPO_ROOT);
  for (const fs::path& file : first_->files) {
    const fs::path relative = fs::relative(file, *root_ / "first");
    std::string fresh;
    std::string kept;
    ASSERT_TRUE(ReadFileBytes(file, fresh));
    EXPECT_TRUE(ReadFileBytes(repo / relative, kept) && kept == fresh)
        << relative << " is stale: run make_demo_library";
  }
}

TEST(GenerateDemoLibrary, ReportsUnwritableFoldersAndMissingFonts) {
  const fs::path blocker =
      fs::temp_directory_path() / ("demo_library_blocker_" + std::to_string(::getpid()));
  ASSERT_TRUE(WriteFileBytes(blocker, "x", 1));
  const GenerateResult intoFile =
      GenerateDemoLibrary(blocker / "Packs", blocker / "res", DEMO_LIBRARY_FONT);
  EXPECT_FALSE(intoFile.ok);
  EXPECT_NE(intoFile.error.find(blocker.string()), std::string::npos) << intoFile.error;
  fs::remove(blocker);

  const GenerateResult noFont =
      GenerateDemoLibrary(blocker / "Packs", blocker / "res", "/nonexistent/font.ttf");
  EXPECT_FALSE(noFont.ok);
  EXPECT_FALSE(fs::exists(blocker)) << "nothing is written without a font";
}

}  // namespace
}  // namespace demo
