// Builds that tell the truth: what a pack holds follows its sources and
// options, whatever their file times; names, empty runs, interruptions and a
// mistyped library are refused or reported, never silently accepted.
#include <gtest/gtest.h>

#include <csignal>

#include "pack_build_fixture.h"
#include "radiance_format.h"

namespace lumipack_test {
namespace {

using lumipack::FloatImage;

// The mean of the picture's blue minus its red: far from 0 for a blue
// picture, 0 for a grey one.
int BlueCast(const Picture& picture) {
  long sum = 0;
  for (size_t i = 0; i + 2 < picture.rgb.size(); i += 3) sum += picture.rgb[i + 2] - picture.rgb[i];
  return static_cast<int>(sum / static_cast<long>(picture.rgb.size() / 3));
}

TEST_F(PackBuild, ExrLayersAreReadByNameOrRefusedListingThem) {
  FloatImage sky = Uniform(128, 64, 0.2f);
  for (size_t i = 0; i < sky.rgb.size(); i += 3) sky.rgb[i] = sky.rgb[i + 1] = 0.02f;
  ExrLayout one_layer, two_layers;
  one_layer.prefixes = {"diffuse."};
  two_layers.prefixes = {"diffuse.", "specular."};
  WriteSampleExr(sky, Source("Layered.exr"), one_layer);
  WriteSampleExr(sky, Source("Two.exr"), two_layers);
  BuildRun run = Build({Sources().string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_GT(BlueCast(LoadPicture(Pack() / "Thumbnails" / "Layered.jpg")), 20) << run.out;
  EXPECT_TRUE(Has(run.err, "Two.exr: more than one colour layer: its layers are diffuse, specular"))
      << run.err;
  EXPECT_FALSE(fs::exists(Pack() / "Thumbnails" / "Two.jpg"));

  lumipack::BuildOptions pick;
  pick.settings.layer = "specular";
  run = Build({Source("Two.exr").string()}, pick);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_GT(BlueCast(LoadPicture(Pack() / "Thumbnails" / "Two.jpg")), 20);
  pick.settings.layer = "beauty";
  run = Build({Source("Two.exr").string()}, pick);
  EXPECT_TRUE(Has(run.err,
                  "no layer \"beauty\" with R, G and B channels: its layers are "
                  "diffuse, specular"))
      << run.err;
}

TEST_F(PackBuild, ASourceReplacedByAnOlderFileOrBuiltWithOtherOptionsIsRebuilt) {
  const auto old_time = fs::file_time_type::clock::now() - std::chrono::hours(48);
  lumipack::WriteRadiance(Sky(128, 64), Source("Day.hdr").string());
  fs::last_write_time(Source("Day.hdr"), old_time + std::chrono::hours(1));
  ASSERT_EQ(Build({Sources().string()}).status, 0);
  std::string first = Bytes(Pack() / "Thumbnails" / "Day.jpg");
  EXPECT_TRUE(Has(Build({Sources().string()}).out, "1 up to date"));

  // Another picture copied in with its older time kept (cp -p, rsync -a).
  lumipack::WriteRadiance(Uniform(128, 64, 0.01f), Source("Day.hdr").string());
  fs::last_write_time(Source("Day.hdr"), old_time);
  BuildRun run = Build({Sources().string()});
  EXPECT_TRUE(Has(run.out, "1 built, 0 up to date")) << run.out;
  EXPECT_NE(Bytes(Pack() / "Thumbnails" / "Day.jpg"), first);

  // A picture of the same size and file time: only the content differs.
  WriteFlatRadiance(Sky(128, 64), Source("Day.hdr"));
  fs::last_write_time(Source("Day.hdr"), old_time);
  EXPECT_TRUE(Has(Build({Sources().string()}).out, "1 built, 0 up to date"));
  const std::string flat_thumbnail = Bytes(Pack() / "Thumbnails" / "Day.jpg");
  WriteFlatRadiance(Sky(128, 64, 50.0f), Source("Day.hdr"));
  fs::last_write_time(Source("Day.hdr"), old_time);
  EXPECT_TRUE(Has(Build({Sources().string()}).out, "1 built, 0 up to date")) << "same size";
  EXPECT_NE(Bytes(Pack() / "Thumbnails" / "Day.jpg"), flat_thumbnail);

  lumipack::BuildOptions options;
  options.settings.exposure_ev = 2;
  EXPECT_TRUE(Has(Build({Sources().string()}, options).out, "1 built")) << "--exposure";
  EXPECT_TRUE(Has(Build({Sources().string()}, options).out, "1 up to date"));
  options.settings.curve = lumipack::ToneCurve::kClip;
  EXPECT_TRUE(Has(Build({Sources().string()}, options).out, "1 built")) << "--tonemap";
  options.settings.exposure_mode = lumipack::ExposureMode::kPack;
  EXPECT_TRUE(Has(Build({Sources().string()}, options).out, "1 built")) << "--exposure-mode";
  // The record lies where neither the browser nor the check looks.
  EXPECT_TRUE(fs::is_regular_file(Pack() / ".lumipack" / "Day.record"));
  EXPECT_TRUE(Has(Build({Sources().string()}, options).out,
                  "1 pack, 1 tile: 1 fine, 0 broken, "
                  "0 broken in small mode, 0 with "
                  "fallbacks only; 0 library and pack "
                  "problems, 0 ignored entries"));
}

TEST_F(PackBuild, NamesDifferingOnlyInCaseAreRefusedAcrossRuns) {
  lumipack::WriteRadiance(Sky(64, 32), Source("City.hdr").string());
  ASSERT_EQ(Build({Source("City.hdr").string()}).status, 0);
  fs::create_directories(Sources() / "later");
  lumipack::WriteRadiance(Sky(64, 32), (Sources() / "later" / "city.hdr").string());
  BuildRun run = Build({(Sources() / "later").string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(Has(run.err, "city.hdr: its pack name \"city\" differs only in case from \"City\""))
      << run.err;
  EXPECT_FALSE(fs::exists(Pack() / "HDRIs" / "city.hdr"));
  // The same name again is an update, not a clash.
  EXPECT_EQ(Build({Source("City.hdr").string()}).status, 0);
}

TEST_F(PackBuild, ARunThatBuildsNothingLeavesNoPackAndAMistypedLibraryIsRefused) {
  std::ofstream(Source("Garbage.hdr"), std::ios::binary) << "no picture";
  BuildRun run = Build({Sources().string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(fs::is_directory(Library()));
  EXPECT_FALSE(fs::exists(Pack())) << run.out;

  lumipack::BuildOptions options;
  options.library = (folder_.path() / "no" / "such" / "lib").string();
  options.pack = "01_Sky";
  options.sources = {Sources().string()};
  std::ostringstream out, err;
  EXPECT_EQ(lumipack::RunBuild(options, out, err), lumipack::kUsageError);
  EXPECT_TRUE(Has(err.str(), "lumipack build: --library " + options.library +
                                 ": no such folder; check the path, or pass --create-library"))
      << err.str();
  EXPECT_FALSE(fs::exists(folder_.path() / "no"));
}

TEST_F(PackBuild, AnInterruptedRunStopsAfterTheFileInProgress) {
  for (const char* name : {"A.hdr", "B.hdr", "C.hdr"}) {
    lumipack::WriteRadiance(Sky(256, 128), Source(name).string());
  }
  lumipack::BuildOptions options;
  options.jobs = 1;
  options.after_each = [] { std::raise(SIGINT); };
  BuildRun run = Build({Sources().string()}, options);
  EXPECT_EQ(run.status, lumipack::kInterrupted);
  EXPECT_TRUE(Has(run.err, "interrupted after 1 of 3")) << run.err;
  EXPECT_TRUE(Has(run.out, "Summary: 3 sources: 1 built, 0 up to date, 0 failed")) << run.out;
  EXPECT_TRUE(fs::exists(Pack() / "Thumbnails" / "A.jpg"));
  EXPECT_FALSE(fs::exists(Pack() / "Thumbnails" / "B.jpg"));
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(Pack())) {
    EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
  }
  // The handler is gone with the run: the next one is not stopped.
  options.after_each = nullptr;
  EXPECT_TRUE(Has(Build({Sources().string()}, options).out, "2 built, 1 up to date"));
}

TEST_F(PackBuild, ResultLinesFollowTheSourcesAndCountInEnglish) {
  lumipack::WriteRadiance(Sky(1024, 512), Source("A_Large.hdr").string());
  for (const char* name : {"B.hdr", "C.hdr", "D.hdr"}) {
    lumipack::WriteRadiance(Sky(64, 32), Source(name).string());
  }
  lumipack::BuildOptions options;
  options.jobs = 4;
  BuildRun run = Build({Sources().string()}, options);
  ASSERT_EQ(run.status, 0) << run.err;
  size_t a = run.out.find("[1/4] built A_Large"), d = run.out.find("[4/4] built D");
  EXPECT_LT(a, run.out.find("[2/4] built B"));
  EXPECT_LT(run.out.find("[3/4] built C"), d);
  EXPECT_NE(d, std::string::npos) << run.out;
  EXPECT_TRUE(Has(run.out, "--pack 05_My_Skies is shown as \"My_Skies\"")) << run.out;
  EXPECT_TRUE(Has(Build({Source("B.hdr").string()}).out, "Summary: 1 source: 0 built"));
}

}  // namespace
}  // namespace lumipack_test
