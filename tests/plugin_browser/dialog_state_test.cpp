// The browser's window and state: its layout, its first values, the pack and
// size it keeps between openings, and a selection that names no pack.
#include <filesystem>
#include <string>
#include <vector>

#include "browser_fixture.h"

namespace lumidrome_test {
namespace {

namespace fs = std::filesystem;

class DialogState : public BrowserTest {
 protected:
  // Packs named after their one tile.
  void AddPacks(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
      packs().AddPack(name);
      packs().AddTile(name, name);
    }
  }
  std::vector<std::string> Packs() { return PackFolderOrder(packs().root()); }
};

TEST_P(DialogState, FirstOpeningLaysOutTheControlsAndShowsTheFirstPackAtMedium) {
  AddPacks({"Alpha", "Bravo"});
  Load();
  c4d_dialog* browser = Open();
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(windows().Title(browser), "Lumidrome");
  EXPECT_EQ(windows().WindowSize(browser), std::make_pair(790, 500));
  const std::string tree = windows().DescribeTree(browser);
  for (const char* line : {
           "group 1 flags=63 cols=1 rows=0 groupflags=1 space=0,10 ",
           "group 0 flags=8 cols=4 rows=0 groupflags=0 ",
           "statictext 0 flags=0 \"  Choose Pack -\"",
           "group 106 flags=8 cols=1 rows=0 groupflags=0 ",
           "statictext 0 flags=0 \"  Size -\"",
           "combobox 101 flags=0 value=2 shows=\"Medium\" entries=[1 \"Small\", *2 \"Medium\", 3 "
           "\"Large\"]",
           "group 2300 flags=63 cols=1 rows=0 groupflags=0 ",
           "scrollgroup 2000 flags=63 scrollflags=12 ",
       }) {
    EXPECT_NE(tree.find(line), std::string::npos) << line << "\n" << tree;
  }
  EXPECT_EQ(Value(browser, kPackChooser), 0);
  EXPECT_EQ(TileLabels(browser), std::vector<std::string>{Packs()[0]});
  // Medium tiles: the size factor is 0.6 from the first redraw on.
  EXPECT_EQ(windows().QueryGadget(browser, kFirstTile).min_width, 240);
  EXPECT_EQ(windows().QueryGadget(browser, kFirstTile).min_height, 120);
}

TEST_P(DialogState, ReopeningKeepsTheSizeAndThePack) {
  AddPacks({"Alpha", "Bravo", "Charlie"});
  Load();
  c4d_dialog* browser = Open();
  ASSERT_NE(browser, nullptr);
  Choose(browser, kPackChooser, 2);
  Rebuild(browser);
  EXPECT_EQ(Value(browser, kPackChooser), 2);
  Choose(browser, kSizeChooser, kSizeLarge);
  Close(browser);
  ASSERT_FALSE(windows().IsOpen(browser));

  browser = Open();
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(Value(browser, kSizeChooser), kSizeLarge);
  EXPECT_EQ(windows().QueryGadget(browser, kSizeChooser).text, "Large");
  EXPECT_EQ(windows().QueryGadget(browser, kFirstTile).min_width, 400);
  EXPECT_EQ(Value(browser, kPackChooser), 2);
  EXPECT_EQ(TileLabels(browser), std::vector<std::string>{Packs()[2]});
  Choose(browser, kSizeChooser, kSizeSmall);
  EXPECT_EQ(TileLabels(browser), std::vector<std::string>{Packs()[2]});
}

TEST_P(DialogState, ShowAllSurvivesRebuildsHoweverFewPacksThereAre) {
  AddPacks({"Alpha", "Bravo", "Charlie"});
  Load();
  c4d_dialog* browser = Open();
  ASSERT_NE(browser, nullptr);
  Rebuild(browser);
  Choose(browser, kPackChooser, kShowAll);
  EXPECT_EQ(TileLabels(browser), Packs());
  Rebuild(browser);
  EXPECT_EQ(Value(browser, kPackChooser), kShowAll);
  EXPECT_EQ(TileLabels(browser), Packs());

  fs::remove_all(packs().root());
  Rebuild(browser);
  EXPECT_EQ(Entries(browser, kPackChooser), FixedPackEntries());
  EXPECT_EQ(Value(browser, kPackChooser), kShowAll);
  Close(browser);
  browser = Open();
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(Value(browser, kPackChooser), kShowAll);
  EXPECT_EQ(Grid(browser).size(), 1u);
}

TEST_P(DialogState, APackBeyondTheLibraryFallsBackToTheFirst) {
  AddPacks({"P1", "P2", "P3", "P4", "P5", "P6"});
  Load();
  c4d_dialog* browser = Open();
  ASSERT_NE(browser, nullptr);
  Rebuild(browser);
  Choose(browser, kPackChooser, 5);
  EXPECT_EQ(TileLabels(browser), std::vector<std::string>{Packs()[5]});
  Close(browser);
  std::vector<std::string> before = Packs();
  for (int i = 3; i < 6; ++i) fs::remove_all(packs().root() / before[i]);

  browser = Open();
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(Value(browser, kPackChooser), 0);
  EXPECT_EQ(TileLabels(browser), std::vector<std::string>{Packs()[0]});
  // The size command lays out the pack in force: the first one now.
  Choose(browser, kSizeChooser, kSizeLarge);
  EXPECT_EQ(TileLabels(browser), std::vector<std::string>{Packs()[0]});
}

// A saved layout can name a pack the library no longer has. The builds for
// host R14 then fall back to the first pack; the builds for host R17 show
// no pack tiles.
TEST_P(DialogState, RestoredPackBeyondTheLibrary) {
  AddPacks({"Alpha", "Bravo", "Charlie"});
  Load();
  c4d_dialog* browser = Open();
  ASSERT_NE(browser, nullptr);
  Rebuild(browser);
  Choose(browser, kPackChooser, 2);
  Choose(browser, kSizeChooser, kSizeSmall);
  simhost::SavedLayout saved = windows().SaveLayout(browser);
  ASSERT_NE(saved.data, nullptr);
  Close(browser);
  fs::remove_all(packs().root() / Packs()[2]);

  ASSERT_TRUE(host().RestoreCommandLayout(kBrowserCommand, &saved).value_or(false));
  browser = windows().FindOpenDialog(kBrowserCommand);
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(Value(browser, kSizeChooser), kSizeSmall);
  Rebuild(browser);
  const std::vector<std::string> labels = TileLabels(browser);
  if (R17()) {
    EXPECT_TRUE(labels.empty());
    EXPECT_EQ(Grid(browser).size(), 1u);
  } else {
    EXPECT_EQ(labels, std::vector<std::string>{Packs()[0]});
    EXPECT_EQ(Value(browser, kPackChooser), 0);
  }
  EXPECT_EQ(windows().QueryGadget(browser, kAddMoreTile).min_width, 160);
}

INSTANTIATE_TEST_SUITE_P(Builds, DialogState, testing::Values(Build::R17, Build::R14),
                         BuildParamName);

}  // namespace
}  // namespace lumidrome_test
