// The thumbnails of photographed HDRIs keep their mood: night stays darker
// than day, and no picture is blown out or sunk to black. The pictures are
// Debian's blender-data world HDRIs.
#include <gtest/gtest.h>

#include <map>

#include "pack_build_fixture.h"

namespace lumipack_test {
namespace {

const char* const kWorlds = "/usr/share/blender/datafiles/studiolights/world";

struct Tone {
  double mean_grey = 0;
  double clipped = 0;  // the share of pixels with a channel at 255
};

Tone ToneOf(const Picture& picture) {
  Tone tone;
  size_t pixels = picture.rgb.size() / 3;
  for (size_t i = 0; i < pixels; ++i) {
    const uint8_t* rgb = &picture.rgb[i * 3];
    tone.mean_grey += (rgb[0] + rgb[1] + rgb[2]) / 3.0;
    tone.clipped += rgb[0] == 255 || rgb[1] == 255 || rgb[2] == 255;
  }
  tone.mean_grey /= static_cast<double>(pixels);
  tone.clipped /= static_cast<double>(pixels);
  return tone;
}

TEST_F(PackBuild, WorldThumbnailsKeepTheirMood) {
  if (!fs::is_regular_file(fs::path(kWorlds) / "night.exr")) {
    GTEST_SKIP() << "the world HDRIs of Debian's blender-data package are not installed ("
                 << kWorlds << "); scripts/install-deps.sh installs them";
  }
  BuildRun run = Build({kWorlds});
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  std::map<std::string, Tone> tones;
  for (const char* name :
       {"city", "courtyard", "forest", "interior", "night", "studio", "sunrise", "sunset"}) {
    Picture thumbnail = LoadPicture(Pack() / "Thumbnails" / (std::string(name) + ".jpg"));
    ASSERT_EQ(thumbnail.width, 400) << name;
    tones[name] = ToneOf(thumbnail);
    EXPECT_GE(tones[name].mean_grey, 20) << name;
    EXPECT_LE(tones[name].clipped, 0.05) << name;
    EXPECT_TRUE(Has(run.out, std::string("built ") + name + " from ")) << run.out;
  }
  EXPECT_LE(tones["night"].mean_grey, 100);
  for (const char* day : {"city", "courtyard", "forest", "sunrise", "sunset"}) {
    EXPECT_LT(tones["night"].mean_grey, tones[day].mean_grey) << day;
  }
  EXPECT_TRUE(Has(run.out, "(exr, 1024 x 512, EV ")) << run.out;

  // One exposure for the pack: every file gets the same EV, and night is
  // darker still.
  lumipack::BuildOptions pack_wide;
  pack_wide.settings.exposure_mode = lumipack::ExposureMode::kPack;
  run = Build({kWorlds}, pack_wide);
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  size_t shared = run.out.find("One exposure for the pack: EV ");
  ASSERT_NE(shared, std::string::npos) << run.out;
  size_t ev_start = shared + std::string("One exposure for the pack: ").size();
  std::string ev = run.out.substr(ev_start, run.out.find(" before", ev_start) - ev_start);
  EXPECT_TRUE(Has(run.out, "(exr, 1024 x 512, " + ev + ")")) << ev << "\n" << run.out;
  Tone night = ToneOf(LoadPicture(Pack() / "Thumbnails" / "night.jpg"));
  EXPECT_LT(night.mean_grey, tones["night"].mean_grey);
}

}  // namespace
}  // namespace lumipack_test
