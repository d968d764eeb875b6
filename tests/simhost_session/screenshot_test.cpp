// The shot command's pictures: their size, the tiles drawn where the window
// system places them, scrolling and the pressed flash.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "session/session.h"
#include "session_test_support.h"
#include "test_library.h"

namespace session_test {
namespace {

using lumidrome_test::Build;
using lumidrome_test::Colour;
using lumidrome_test::PluginFixture;

const Rgb kRed{200, 30, 30};
const Rgb kGreen{30, 180, 40};

// The built library is replaced by one pack of two plain tiles, one above
// the other at Large.
class SessionScreenshot : public testing::Test {
 protected:
  SessionScreenshot() : fixture_(Build::R17) {
    std::filesystem::remove_all(fixture_.plugin_folder() / "Packs");
    lumidrome_test::TestLibrary library(fixture_.plugin_folder() / "Packs");
    library.AddPack("01_Plain");
    library.AddTile("01_Plain", "A_Red", Files(Colour{200, 30, 30}));
    library.AddTile("01_Plain", "B_Green", Files(Colour{30, 180, 40}));
    session_ = std::make_unique<simhost_app::Session>(fixture_.host(),
                                                      fixture_.plugin_folder().u8string(), out_);
  }
  static lumidrome_test::TileFiles Files(Colour colour) {
    lumidrome_test::TileFiles files;
    files.colour = colour;
    return files;
  }
  void Run(const std::string& script) {
    std::istringstream in(script);
    ASSERT_EQ(session_->RunScript(in), 0) << out_.str();
  }
  // The centre of a tile in window pictures; false when it is not in view.
  bool TileCentre(int32_t gadget, int* x, int* y) {
    for (const auto& area : fixture_.host().Windows().VisibleUserAreas(session_->Browser())) {
      if (area.gadget_id != gadget) continue;
      *x = area.x + area.width / 2;
      *y = area.y + area.height / 2;
      return area.visible_height >= area.height;
    }
    return false;
  }
  Rgb TileColour(const Png& png, int32_t gadget) {
    int x = 0, y = 0;
    if (!TileCentre(gadget, &x, &y)) return {-1, -1, -1};
    return png.At(x, y);
  }

  PluginFixture fixture_;
  std::ostringstream out_;
  std::unique_ptr<simhost_app::Session> session_;
};

TEST_F(SessionScreenshot, ShowsTheTilesWhereTheyLieAndFollowsTheScrolling) {
  ASSERT_TRUE(session_->Start());
  const auto first = TempFile(fixture_, "first.png");
  const auto second = TempFile(fixture_, "second.png");
  Run("open\nsize Large\nshot " + ScriptWord(lumidrome_test::Utf8(first)) + "\n");
  Png top = ReadPng(first);
  ASSERT_EQ(top.width, 790);
  ASSERT_EQ(top.height, 500);
  EXPECT_TRUE(Near(TileColour(top, 6000), kRed, 12)) << out_.str();
  int x = 0, y = 0, first_y = 0;
  ASSERT_TRUE(TileCentre(6000, &x, &first_y));
  // The title bar carries the title in light text.
  bool title_text = false;
  for (int tx = 0; tx < 120; ++tx) title_text |= top.At(tx, 12).r > 150;
  EXPECT_TRUE(title_text);

  Run("scroll down 2\nshot " + ScriptWord(lumidrome_test::Utf8(second)) + "\n");
  Png scrolled = ReadPng(second);
  ASSERT_EQ(scrolled.width, 790);
  TileCentre(6000, &x, &y);
  EXPECT_LT(y, first_y);
  EXPECT_TRUE(Near(TileColour(scrolled, 6001), kGreen, 12)) << out_.str();
}

TEST_F(SessionScreenshot, TheClickedTileFlashesDarker) {
  ASSERT_TRUE(session_->Start());
  Run("open\nsize Large\n");
  simhost::Host& host = fixture_.host();
  simhost::Picture during;
  host.SetObserver([&](const std::string& kind, const std::string&) {
    if (kind == simhost::event_kind::kSleep)
      during = host.Windows().RenderWindow(session_->Browser());
  });
  Run("click \"A Red\"\n");
  ASSERT_GT(during.width, 0);
  Png flash{during.width, during.height, during.rgb};
  const Rgb pressed = TileColour(flash, 6000);
  EXPECT_LT(pressed.r, kRed.r - 40);
  EXPECT_GE(pressed.r, 0);
}

}  // namespace
}  // namespace session_test
