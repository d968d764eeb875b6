// Whole builds: packs made from generated HDRIs of every kind, read back
// with the stand-in host's loader and checked as the browser sees them.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "build_command.h"
#include "hdri_samples.h"
#include "pack_build_fixture.h"
#include "radiance_format.h"

namespace lumipack_test {
namespace {

using lumipack::FloatImage;

void ExpectPackFiles(const fs::path& pack, const std::string& name, const std::string& extension) {
  struct Expected {
    std::string file;
    int width, height;
  } pictures[] = {{"Thumbnails/" + name + ".jpg", 400, 200},
                  {"Thumbnails/" + name + "_md.jpg", 240, 120},
                  {"Thumbnails/" + name + "_sm.jpg", 160, 80}};
  for (const Expected& expected : pictures) {
    Picture picture = LoadPicture(pack / expected.file);
    EXPECT_EQ(picture.width, expected.width) << expected.file;
    EXPECT_EQ(picture.height, expected.height) << expected.file;
  }
  EXPECT_GT(LoadPicture(pack / "Background" / (name + ".jpg")).width, 0) << name;
  EXPECT_TRUE(fs::is_regular_file(pack / "HDRIs" / (name + extension))) << name;
  EXPECT_TRUE(fs::is_regular_file(pack / "HDRIs" / (name + "_SM" + extension))) << name;
}

TEST_F(PackBuild, EveryKindOfSourceBecomesATile) {
  FloatImage sky = Sky(128, 64);
  WriteFlatRadiance(sky, Source("Flat.hdr"));
  lumipack::WriteRadiance(sky, Source("Run Length.hdr").string());
  struct {
    const char* name;
    Imf::Compression compression;
  } compressions[] = {{"none", Imf::NO_COMPRESSION},     {"zip", Imf::ZIP_COMPRESSION},
                      {"zips", Imf::ZIPS_COMPRESSION},   {"piz", Imf::PIZ_COMPRESSION},
                      {"pxr24", Imf::PXR24_COMPRESSION}, {"b44", Imf::B44_COMPRESSION},
                      {"dwaa", Imf::DWAA_COMPRESSION},   {"dwab", Imf::DWAB_COMPRESSION},
                      {"rle", Imf::RLE_COMPRESSION}};
  for (const auto& c : compressions) {
    WriteSampleExr(sky, Source(std::string("half_") + c.name + ".exr"),
                   {c.compression, true, false});
    WriteSampleExr(sky, Source(std::string("float_tiled_") + c.name + ".exr"),
                   {c.compression, false, true});
  }
  BuildRun run = Build({Sources().string()});
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_TRUE(Has(run.out, "Summary: 20 sources: 20 built, 0 up to date, 0 failed")) << run.out;
  EXPECT_TRUE(Has(run.out, "Summary: 1 pack, 20 tiles: 20 fine, 0 broken")) << run.out;
  ExpectPackFiles(Pack(), "Flat", ".hdr");
  ExpectPackFiles(Pack(), "Run_Length", ".hdr");
  for (const auto& c : compressions) {
    ExpectPackFiles(Pack(), std::string("half_") + c.name, ".exr");
    ExpectPackFiles(Pack(), std::string("float_tiled_") + c.name, ".exr");
  }
  // The original is the very file, linked; the source folder gets nothing.
  EXPECT_TRUE(fs::equivalent(Source("Flat.hdr"), Pack() / "HDRIs" / "Flat.hdr"));
  EXPECT_EQ(std::distance(fs::directory_iterator(Sources()), fs::directory_iterator()), 20);
}

TEST_F(PackBuild, SmallVariantKeepsTheRangeAndPreviewsRollTheSunOff) {
  lumipack::WriteRadiance(Sky(2048, 1024, 20000.0f), Source("Sun.hdr").string());
  WriteSampleExr(Sky(2048, 1024, 20000.0f), Source("Sun_Float.exr"), {Imf::PIZ_COMPRESSION, false});
  BuildRun run = Build({Sources().string()});
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  for (const char* small : {"Sun_SM.hdr", "Sun_Float_SM.exr"}) {
    int width = 0, height = 0;
    EXPECT_GT(LargestValue(Pack() / "HDRIs" / small, &width, &height), 1000.0f) << small;
    EXPECT_EQ(width, 1024);
    EXPECT_EQ(height, 512);
  }
  Picture background = LoadPicture(Pack() / "Background" / "Sun.jpg");
  ASSERT_EQ(background.width, 2048);
  ASSERT_EQ(background.height, 1024);

  lumipack::BuildOptions clip;
  clip.settings.curve = lumipack::ToneCurve::kClip;
  clip.force = true;
  ASSERT_EQ(Build({Source("Sun.hdr").string()}, clip).status, 0);
  Picture clipped = LoadPicture(Pack() / "Background" / "Sun.jpg");
  // The sky's bright end is rolled off below white, not flattened to it.
  int filmic_white = 0, clipped_white = 0;
  for (int y = 0; y < 512; y += 4) {
    for (int x = 0; x < 2048; x += 4) {
      filmic_white += background.Grey(x, y) >= 254;
      clipped_white += clipped.Grey(x, y) >= 254;
    }
  }
  EXPECT_LT(filmic_white * 2, clipped_white) << filmic_white << " " << clipped_white;
  EXPECT_GE(background.Grey(512, 256), 250);  // the sun itself is white
}

TEST_F(PackBuild, ExposureFollowsThePictureAndTheOption) {
  lumipack::WriteRadiance(Uniform(64, 32, 50.0f), Source("Bright.hdr").string());
  lumipack::WriteRadiance(Uniform(64, 32, 0.02f), Source("Dark.hdr").string());
  ASSERT_EQ(Build({Sources().string()}).status, 0);
  int bright = LoadPicture(Pack() / "Thumbnails" / "Bright.jpg").Grey(200, 100);
  int dark = LoadPicture(Pack() / "Thumbnails" / "Dark.jpg").Grey(200, 100);
  // Both come towards mid-grey, but the bright one stays brighter.
  EXPECT_GT(bright, dark + 60);
  EXPECT_GT(dark, 40);
  EXPECT_LT(bright, 250);
  lumipack::BuildOptions brighter;
  brighter.settings.exposure_ev = 2;
  brighter.force = true;
  ASSERT_EQ(Build({Source("Dark.hdr").string()}, brighter).status, 0);
  EXPECT_GT(LoadPicture(Pack() / "Thumbnails" / "Dark.jpg").Grey(200, 100), dark + 40);
}

TEST_F(PackBuild, NamesBecomeSafeAndCollisionsAreRefused) {
  FloatImage sky = Sky(64, 32);
  lumipack::WriteRadiance(sky, Source("Sky Dome.v2.hdr").string());
  lumipack::WriteRadiance(sky, Source("Beach_01.hdr").string());
  WriteSampleExr(sky, Source("beach 01.exr"), {});
  lumipack::WriteRadiance(sky, Source("Studio_md.hdr").string());
  lumipack::WriteRadiance(Sky(90, 30), Source("Wide.hdr").string());
  BuildRun run = Build({Sources().string()});
  EXPECT_EQ(run.status, 1);
  ExpectPackFiles(Pack(), "Sky_Dome_v2", ".hdr");
  ExpectPackFiles(Pack(), "Beach_01", ".hdr");
  ExpectPackFiles(Pack(), "Wide", ".hdr");
  EXPECT_TRUE(Has(run.err, "beach 01.exr: its pack name \"beach_01\" is taken by ")) << run.err;
  EXPECT_TRUE(Has(run.err, "Studio_md.hdr: a base name ending in \"_md\"")) << run.err;
  EXPECT_TRUE(Has(run.err, "Wide.hdr: not 2:1 (90 x 30)")) << run.err;
  EXPECT_FALSE(fs::exists(Pack() / "HDRIs" / "beach_01.exr"));
  EXPECT_TRUE(Has(run.out, "Summary: 5 sources: 3 built, 0 up to date, 2 failed")) << run.out;
}

TEST_F(PackBuild, BadInputsAreNamedAndDamageNothing) {
  lumipack::WriteRadiance(Sky(256, 128), Source("Good.hdr").string());
  lumipack::WriteRadiance(Sky(256, 128), Source("Later.hdr").string());
  ASSERT_EQ(Build({Sources().string()}).status, 0);
  std::string thumbnail = Bytes(Pack() / "Thumbnails" / "Later.jpg");
  // Later.hdr is replaced by a truncated copy: its pack files stay as they were.
  // The copy is a new file: the pack's HDRI is a hard link to the source, so
  // rewriting the source in place would cut the pack's HDRI short as well.
  std::string good = Bytes(Source("Good.hdr"));
  fs::remove(Source("Later.hdr"));
  std::ofstream(Source("Later.hdr"), std::ios::binary | std::ios::trunc) << good.substr(0, 900);
  std::ofstream(Source("Garbage.exr"), std::ios::binary) << "this is no picture";
  std::ofstream(Source("Fake.hdr"), std::ios::binary) << "#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n";
  std::ofstream(Source("Broken.exr"), std::ios::binary)
      << std::string("\x76\x2f\x31\x01", 4) << "junk";
  std::ofstream(Source("notes.txt"), std::ios::binary) << "ignored in a folder";
  BuildRun run =
      Build({Sources().string(), Source("notes.txt").string(), Source("Missing.hdr").string()});
  EXPECT_EQ(run.status, 1);
  for (const char* line : {"Later.hdr: truncated", "Garbage.exr: unknown format",
                           "notes.txt: unknown format", "Fake.hdr: the header is truncated",
                           "Broken.exr: ", "Missing.hdr: no such file or folder"}) {
    EXPECT_TRUE(Has(run.err, line)) << line << "\n" << run.err;
  }
  EXPECT_TRUE(Has(run.out, "up to date Good")) << run.out;
  EXPECT_EQ(Bytes(Pack() / "Thumbnails" / "Later.jpg"), thumbnail);
  EXPECT_TRUE(Has(run.out, "Summary: 1 pack, 2 tiles: 2 fine")) << run.out;
  // No temporary file is left anywhere in the pack.
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(Pack())) {
    EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
  }
}

TEST_F(PackBuild, RebuildsOnlyWhatIsOlderThanItsSource) {
  lumipack::WriteRadiance(Sky(128, 64), Source("One.hdr").string());
  WriteSampleExr(Sky(128, 64), Source("Two.exr"), {});
  const fs::file_time_type now = fs::file_time_type::clock::now();
  for (const char* name : {"One.hdr", "Two.exr"})
    fs::last_write_time(Source(name), now - std::chrono::hours(1));
  ASSERT_EQ(Build({Sources().string()}).status, 0);
  fs::file_time_type built = fs::last_write_time(Pack() / "Thumbnails" / "Two.jpg");
  BuildRun again = Build({Sources().string()});
  EXPECT_TRUE(Has(again.out, "0 built, 2 up to date")) << again.out;
  EXPECT_EQ(fs::last_write_time(Pack() / "Thumbnails" / "Two.jpg"), built);
  // An output older than its source; moving the source to "now" instead would
  // race the kernel's coarser file clock.
  fs::last_write_time(Pack() / "Thumbnails" / "Two.jpg", now - std::chrono::hours(2));
  EXPECT_TRUE(Has(Build({Sources().string()}).out, "1 built, 1 up to date"));
  fs::remove(Pack() / "Background" / "One.jpg");
  EXPECT_TRUE(Has(Build({Sources().string()}).out, "1 built, 1 up to date"));
  lumipack::BuildOptions force;
  force.force = true;
  EXPECT_TRUE(Has(Build({Sources().string()}, force).out, "2 built, 0 up to date"));
}

TEST_F(PackBuild, OneJobOrManyMakeTheSameFiles) {
  for (const char* name : {"A.hdr", "B.hdr", "C.hdr"}) {
    lumipack::WriteRadiance(Sky(600, 300), Source(name).string());
  }
  lumipack::BuildOptions one;
  one.jobs = 1;
  ASSERT_EQ(Build({Sources().string()}, one).status, 0);
  std::string single = Bytes(Pack() / "Background" / "B.jpg");
  lumipack::BuildOptions many;
  many.jobs = 4;
  many.force = true;
  ASSERT_EQ(Build({Sources().string()}, many).status, 0);
  EXPECT_EQ(Bytes(Pack() / "Background" / "B.jpg"), single);
  // One file and two jobs: the next rows are read while these are reduced.
  many.jobs = 2;
  ASSERT_EQ(Build({Source("B.hdr").string()}, many).status, 0);
  EXPECT_EQ(Bytes(Pack() / "Background" / "B.jpg"), single);
}

TEST_F(PackBuild, RefusesAPackGivenAsTheLibrary) {
  lumipack::WriteRadiance(Sky(64, 32), Source("A.hdr").string());
  ASSERT_EQ(Build({Sources().string()}).status, 0);
  lumipack::BuildOptions options;
  options.library = Pack().string();
  options.pack = "Inner";
  options.sources = {Sources().string()};
  std::ostringstream out, err;
  EXPECT_EQ(lumipack::RunBuild(options, out, err), lumipack::kUsageError);
  EXPECT_TRUE(Has(err.str(), "looks like a pack")) << err.str();
  EXPECT_FALSE(fs::exists(Pack() / "Inner"));
}

}  // namespace
}  // namespace lumipack_test
