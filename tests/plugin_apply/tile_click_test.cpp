// A click on a tile: which pack and files it resolves, and when it refuses.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "browser_fixture.h"

namespace lumidrome_test {
namespace {

namespace fs = std::filesystem;

TileFiles Files(const std::string& hdri, bool background = true) {
  TileFiles files;
  files.hdri = hdri;
  files.background = background;
  return files;
}

class TileClick : public testing::Test {
 protected:
  TileClick() : session_(Build::R17) {}
  simhost::Document& doc() { return session_.doc(); }
  TestLibrary& library() { return session_.library(); }
  // A selected HDRI object, so every click lands in the same place.
  simhost::Atom* SelectedHdri() {
    simhost::Atom* hdri = doc().AddObject(kHdriObject, "Sky");
    doc().SelectObjects({hdri});
    return hdri;
  }
  BrowserSession session_;
};

// Pack and tile names with spaces and letters beyond ASCII, as people name
// their folders: listed by name, and a click applies the files they hold.
TEST_F(TileClick, NamesWithSpacesAndNonAsciiLettersListAndApply) {
  const std::string folder =
      "02_N\xC3\xA4"
      "chte am Fluss";  // "Nächte"
  const std::string tile =
      "Morgentau \xC3\x9C"
      "ber der Wiese";  // "Über"
  library().AddPack(folder);
  library().AddTile(folder, tile);
  simhost::Atom* hdri = SelectedHdri();
  ASSERT_NE(session_.Open(), nullptr);
  EXPECT_EQ(session_.PackNames(), std::vector<std::string>{"N\xC3\xA4"
                                                           "chte am Fluss"});
  ASSERT_TRUE(session_.ClickLabel(tile)) << testing::PrintToString(session_.TileLabels());
  EXPECT_EQ(hdri->Data().GetText(kHdriObjectFile),
            PackFile(session_.Pack(folder), "HDRIs", tile + ".hdr"));
  EXPECT_EQ(hdri->Data().GetText(kHdriObjectBackground),
            PackFile(session_.Pack(folder), "Background", tile + ".jpg"));
  EXPECT_TRUE(session_.host().Messages().empty());
}

TEST_F(TileClick, BaseNameEndsAtTheFirstDotAndHdrWinsOverExr) {
  library().AddPack("01_Forest");
  library().AddTile("01_Forest", "forest.night");
  library().AddTile("01_Forest", "lake", Files(".exr"));
  WriteBytes(session_.Pack("01_Forest") / "HDRIs" / "lake.hdr", "#?RADIANCE\n");
  library().AddTile("01_Forest", "dunes", Files(".exr", false));
  simhost::Atom* hdri = SelectedHdri();
  ASSERT_NE(session_.Open(), nullptr);
  const fs::path pack = session_.Pack("01_Forest");

  ASSERT_TRUE(session_.ClickLabel("forest.night"));
  EXPECT_EQ(hdri->Data().GetText(kHdriObjectFile), PackFile(pack, "HDRIs", "forest.hdr"));
  EXPECT_EQ(hdri->Data().GetText(kHdriObjectBackground),
            PackFile(pack, "Background", "forest.jpg"));

  ASSERT_TRUE(session_.ClickLabel("lake"));
  EXPECT_EQ(hdri->Data().GetText(kHdriObjectFile), PackFile(pack, "HDRIs", "lake.hdr"));

  // Only an .exr, and no background picture: an empty background name.
  ASSERT_TRUE(session_.ClickLabel("dunes"));
  EXPECT_EQ(hdri->Data().GetText(kHdriObjectFile), PackFile(pack, "HDRIs", "dunes.exr"));
  EXPECT_EQ(hdri->Data().GetText(kHdriObjectBackground), "");
  EXPECT_TRUE(session_.host().Messages().empty());
  // Each click flashed its tile once and ended with one EventAdd.
  EXPECT_EQ(session_.host().Sleeps(), (std::vector<int32_t>{20, 20, 20}));
  EXPECT_EQ(session_.host().EventAdds().size(), 3u);
}

TEST_F(TileClick, ShowAllNumbersTilesAcrossRowsPassingEmptyOnes) {
  // The library's listing order is the file system's, so the expected pack
  // of each tile comes from its label, not from a fixed order.
  library().AddPack("01_Empty");
  fs::create_directories(session_.Pack("02_NoThumbnails") / "HDRIs");
  library().AddPack("03_Coast");
  library().AddTile("03_Coast", "coast");
  library().AddTile("03_Coast", "cliff");
  library().AddPack("04_Hills");
  library().AddTile("04_Hills", "hills");
  library().AddPack("05_Quiet");
  simhost::Atom* hdri = SelectedHdri();
  ASSERT_NE(session_.Open(), nullptr);
  ASSERT_TRUE(session_.Choose(kShowAll));
  const std::vector<std::string> labels = session_.TileLabels();
  ASSERT_EQ(labels.size(), 3u);
  for (size_t k = 0; k < labels.size(); ++k) {
    SCOPED_TRACE(labels[k]);
    EXPECT_EQ(session_.TileNumber(labels[k]), static_cast<int32_t>(k));
    const std::string pack = labels[k] == "hills" ? "04_Hills" : "03_Coast";
    ASSERT_TRUE(session_.ClickTile(static_cast<int32_t>(k)));
    EXPECT_EQ(hdri->Data().GetText(kHdriObjectFile),
              PackFile(session_.Pack(pack), "HDRIs", labels[k] + ".hdr"));
  }
  EXPECT_TRUE(session_.host().Messages().empty());
}

TEST_F(TileClick, MissingPackFoldersGiveTheMessageBeforeTheFlash) {
  library().AddPack("01_Broken");
  library().AddTile("01_Broken", "gone");
  simhost::Atom* hdri = SelectedHdri();
  ASSERT_NE(session_.Open(), nullptr);
  const std::string before = doc().Describe();

  fs::rename(session_.Pack("01_Broken") / "HDRIs", session_.Pack("01_Broken") / "Away");
  ASSERT_TRUE(session_.ClickLabel("gone"));
  fs::rename(session_.Pack("01_Broken") / "Away", session_.Pack("01_Broken") / "HDRIs");
  fs::rename(session_.Pack("01_Broken") / "Thumbnails", session_.Pack("01_Broken") / "Away");
  ASSERT_TRUE(session_.ClickLabel("gone"));

  EXPECT_EQ(session_.host().Messages(), (std::vector<std::string>{kBrokenAsset, kBrokenAsset}));
  EXPECT_TRUE(session_.host().Sleeps().empty());
  EXPECT_TRUE(session_.host().EventAdds().empty());
  EXPECT_EQ(doc().Describe(), before);
  EXPECT_EQ(hdri->Data().GetText(kHdriObjectFile), "");
}

TEST_F(TileClick, MissingHdriFileGivesTheMessageAfterTheFlash) {
  library().AddPack("01_Half");
  library().AddTile("01_Half", "nohdri", Files(""));
  library().AddTile("01_Half", "other", Files(".tif"));
  SelectedHdri();
  ASSERT_NE(session_.Open(), nullptr);
  const std::string before = doc().Describe();
  ASSERT_TRUE(session_.ClickLabel("nohdri"));
  ASSERT_TRUE(session_.ClickLabel("other"));
  EXPECT_EQ(session_.host().Messages(), (std::vector<std::string>{kBrokenAsset, kBrokenAsset}));
  EXPECT_EQ(session_.host().Sleeps().size(), 2u);
  EXPECT_TRUE(session_.host().EventAdds().empty());
  EXPECT_EQ(doc().Describe(), before);
  EXPECT_EQ(doc().Undo().UndoCount(), 0u);
}

// A pack folder that goes while the browser is open: its tile finds no
// files until the next rebuild, which drops it from the chooser and the grid
// together.
TEST_F(TileClick, TileOfAPackThatWentFindsNoFilesAndGoesAtTheNextRebuild) {
  library().AddPack("01_Stays");
  library().AddTile("01_Stays", "stays");
  library().AddPack("02_Goes");
  library().AddTile("02_Goes", "goes");
  simhost::Atom* hdri = SelectedHdri();
  ASSERT_NE(session_.Open(), nullptr);
  ASSERT_TRUE(session_.Choose(kShowAll));
  fs::rename(session_.Pack("02_Goes"), session_.library().root().parent_path() / "Away");
  ASSERT_TRUE(session_.ClickLabel("goes"));
  EXPECT_EQ(hdri->Data().GetText(kHdriObjectFile), "");
  EXPECT_EQ(session_.host().Messages(), std::vector<std::string>{kBrokenAsset});
  session_.Rebuild(768);
  EXPECT_EQ(session_.PackNames(), std::vector<std::string>{"Stays"});
  EXPECT_EQ(session_.TileLabels(), std::vector<std::string>{"stays"});
  ASSERT_TRUE(session_.ClickLabel("stays"));
  EXPECT_EQ(hdri->Data().GetText(kHdriObjectFile),
            PackFile(session_.Pack("01_Stays"), "HDRIs", "stays.hdr"));
}

}  // namespace
}  // namespace lumidrome_test
