// One tile: which preview it draws at each size, how it fills its area, and
// what its mouse buttons and wheel do.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "browser_fixture.h"

namespace lumidrome_test {
namespace {

namespace fs = std::filesystem;

const Colour kRed{200, 30, 30};
const Colour kGreen{30, 200, 30};
const Colour kBlue{30, 30, 200};
const Colour kYellow{220, 220, 20};

// JPEG leaves a flat colour within a few steps of what was written.
bool Near(const Colour& want, const uint8_t* rgb) {
  return std::abs(want.r - rgb[0]) <= 8 && std::abs(want.g - rgb[1]) <= 8 &&
         std::abs(want.b - rgb[2]) <= 8;
}

testing::AssertionResult FilledWith(const simhost::Picture& picture, int32_t width, int32_t height,
                                    const Colour& colour) {
  if (picture.width != width || picture.height != height) {
    return testing::AssertionFailure() << "picture " << picture.width << "x" << picture.height
                                       << ", want " << width << "x" << height;
  }
  for (int32_t y : {0, height / 2, height - 1}) {
    for (int32_t x : {0, width / 2, width - 1}) {
      const uint8_t* rgb = &picture.rgb[(static_cast<size_t>(y) * width + x) * 3];
      if (!Near(colour, rgb)) {
        return testing::AssertionFailure() << "pixel " << x << "," << y << " is " << int(rgb[0])
                                           << " " << int(rgb[1]) << " " << int(rgb[2]);
      }
    }
  }
  return testing::AssertionSuccess();
}

class TileDrawing : public BrowserTest {
 protected:
  // Thumbnails/<name>.jpg red, with a green _md and a blue _sm variant.
  void AddColouredTile(const std::string& pack, const std::string& name) {
    const fs::path folder = packs().root() / pack / "Thumbnails";
    ASSERT_TRUE(WriteJpeg(folder / (name + ".jpg"), 400, 200, kRed));
    ASSERT_TRUE(WriteJpeg(folder / (name + "_md.jpg"), 240, 120, kGreen));
    ASSERT_TRUE(WriteJpeg(folder / (name + "_sm.jpg"), 160, 80, kBlue));
  }

  simhost::Picture Drawn(c4d_dialog* browser, int32_t gadget) {
    return windows().RenderUserArea(browser, gadget);
  }

  // The newest bitmap the tile drew.
  simhost::DrawCall LastBitmap(c4d_dialog* browser, int32_t gadget) {
    simhost::DrawCall last;
    for (const simhost::DrawCall& call : windows().DrawCalls(browser, gadget)) {
      if (call.kind == simhost::DrawCall::Kind::kBitmap) last = call;
    }
    return last;
  }
};

TEST_P(TileDrawing, EachSizeDrawsItsOwnVariantAndFallsBackToTheFullPreview) {
  packs().AddPack("P");
  AddColouredTile("P", "Tile");
  Load();
  c4d_dialog* browser = Open();
  ASSERT_NE(browser, nullptr);

  EXPECT_TRUE(FilledWith(Drawn(browser, kFirstTile), 240, 120, kGreen));
  const simhost::DrawCall medium = LastBitmap(browser, kFirstTile);
  EXPECT_EQ(medium.mode, 257);
  EXPECT_EQ(medium.x, 0);
  EXPECT_EQ(medium.y, 0);
  EXPECT_EQ(medium.w, 240);
  EXPECT_EQ(medium.h, 120);
  EXPECT_EQ(medium.source_w, 240);
  EXPECT_EQ(medium.source_h, 120);
  EXPECT_EQ(medium.bitmap_width, 240);
  EXPECT_EQ(medium.bitmap_height, 120);

  Choose(browser, kSizeChooser, kSizeSmall);
  EXPECT_TRUE(FilledWith(Drawn(browser, kFirstTile), 160, 80, kBlue));
  // Large never looks for a variant, though both exist.
  Choose(browser, kSizeChooser, kSizeLarge);
  EXPECT_TRUE(FilledWith(Drawn(browser, kFirstTile), 400, 200, kRed));

  const fs::path thumbnails = packs().root() / "P" / "Thumbnails";
  fs::remove(thumbnails / "Tile_sm.jpg");
  fs::remove(thumbnails / "Tile_md.jpg");
  Choose(browser, kSizeChooser, kSizeSmall);
  EXPECT_TRUE(FilledWith(Drawn(browser, kFirstTile), 160, 80, kRed));
  Choose(browser, kSizeChooser, kSizeMedium);
  EXPECT_TRUE(FilledWith(Drawn(browser, kFirstTile), 240, 120, kRed));
}

// Read from disk at every draw: a variant that appears later is used.
TEST_P(TileDrawing, PreviewIsReadAgainAtEveryDraw) {
  packs().AddPack("P");
  packs().AddTile("P", "Tile", TileFiles{false, false, ".hdr", true, true, kRed});
  Load();
  c4d_dialog* browser = Open();
  ASSERT_NE(browser, nullptr);
  EXPECT_TRUE(FilledWith(Drawn(browser, kFirstTile), 240, 120, kRed));
  ASSERT_TRUE(WriteJpeg(packs().root() / "P" / "Thumbnails" / "Tile_md.jpg", 24, 12, kGreen));
  EXPECT_TRUE(FilledWith(Drawn(browser, kFirstTile), 240, 120, kGreen));
}

TEST_P(TileDrawing, PreviewOfAnotherShapeIsStretchedOverTheWholeTile) {
  packs().AddPack("P");
  ASSERT_TRUE(WriteJpeg(packs().root() / "P" / "Thumbnails" / "Tall.jpg", 30, 300, kYellow));
  Load();
  c4d_dialog* browser = Open();
  ASSERT_NE(browser, nullptr);
  EXPECT_TRUE(FilledWith(Drawn(browser, kFirstTile), 240, 120, kYellow));
  Choose(browser, kSizeChooser, kSizeLarge);
  EXPECT_TRUE(FilledWith(Drawn(browser, kFirstTile), 400, 200, kYellow));
  EXPECT_EQ(LastBitmap(browser, kFirstTile).bitmap_width, 400);
}

TEST_P(TileDrawing, UnreadablePreviewDrawsNothingAndKeepsItsPlace) {
  packs().AddPack("P");
  WriteBytes(packs().root() / "P" / "Thumbnails" / "Broken.jpg", "not a picture");
  Load();
  c4d_dialog* browser = Open();
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(TileLabels(browser), std::vector<std::string>{"Broken"});
  windows().ClearDrawCalls(browser);
  const simhost::Picture picture = Drawn(browser, kFirstTile);
  EXPECT_EQ(picture.width, 240);
  const simhost::DrawCall call = LastBitmap(browser, kFirstTile);
  EXPECT_EQ(call.bitmap_width, 0);
  EXPECT_EQ(call.bitmap_height, 0);
  EXPECT_TRUE(windows().SavePicture(browser, (scratch() / "broken.png").u8string()));
  EXPECT_TRUE(host().Messages().empty());
}

TEST_P(TileDrawing, PlaceholderLooksForItsMediumVariantFirst) {
  ASSERT_TRUE(WriteJpeg(res_folder() / "AddMoreHDRIs.jpg", 400, 200, kRed));
  ASSERT_TRUE(WriteJpeg(res_folder() / "AddMoreHDRIs_md.jpg", 240, 120, kGreen));
  ASSERT_TRUE(WriteJpeg(res_folder() / "AddMoreHDRIs_sm.jpg", 160, 80, kBlue));
  Load();
  c4d_dialog* browser = Open();
  ASSERT_NE(browser, nullptr);
  EXPECT_TRUE(FilledWith(Drawn(browser, kAddMoreTile), 240, 120, kGreen));
  Choose(browser, kSizeChooser, kSizeSmall);
  EXPECT_TRUE(FilledWith(Drawn(browser, kAddMoreTile), 160, 80, kBlue));
  Choose(browser, kSizeChooser, kSizeLarge);
  EXPECT_TRUE(FilledWith(Drawn(browser, kAddMoreTile), 400, 200, kRed));
  fs::remove(res_folder() / "AddMoreHDRIs_md.jpg");
  Choose(browser, kSizeChooser, kSizeMedium);
  EXPECT_TRUE(FilledWith(Drawn(browser, kAddMoreTile), 240, 120, kRed));
}

TEST_P(TileDrawing, EveryButtonClicksTheTileAndTheWheelScrollsTheGrid) {
  packs().AddPack("P");
  for (int i = 0; i < 12; ++i) packs().AddTile("P", "tile" + std::to_string(i));
  std::vector<std::string> stems;
  for (const std::string& file : ListingOrder(packs().root() / "P" / "Thumbnails")) {
    fs::path name(file);
    if (name.stem().u8string().size() <= 6) stems.push_back(name.stem().u8string());
  }
  ASSERT_EQ(stems.size(), 12u);
  Load();
  simhost::Atom* sky = AddSky();
  c4d_dialog* browser = Open();
  ASSERT_NE(browser, nullptr);

  for (int32_t channel :
       {C4D_BFM_INPUT_MOUSELEFT, C4D_BFM_INPUT_MOUSERIGHT, C4D_BFM_INPUT_MOUSEMIDDLE}) {
    const int32_t k = channel;  // a different tile for each button
    ASSERT_TRUE(windows().SendInput(browser, kFirstTile + k, simhost::InputEvent::Click(channel)));
    EXPECT_EQ(HdriFileOf(sky), stems[k] + ".hdr") << channel;
  }
  const std::string before = sky->Data().GetText(kHdriObjectFile);
  const size_t sleeps = host().Sleeps().size();
  int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  ASSERT_TRUE(windows().SendInput(browser, kFirstTile, simhost::InputEvent::Wheel(-120)));
  ASSERT_TRUE(windows().VisibleArea(browser, kScrollGroup, &x1, &y1, &x2, &y2));
  EXPECT_GT(y1, 0);
  EXPECT_EQ(sky->Data().GetText(kHdriObjectFile), before);
  EXPECT_EQ(host().Sleeps().size(), sleeps);
  EXPECT_TRUE(host().Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Builds, TileDrawing, testing::Values(Build::R17, Build::R14),
                         BuildParamName);

}  // namespace
}  // namespace lumidrome_test
