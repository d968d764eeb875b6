// The pack list and the library scan: which folders are packs, which files
// are tiles, and how rows, labels and tile numbers line up with the packs.
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "browser_fixture.h"

namespace lumidrome_test {
namespace {

namespace fs = std::filesystem;

class LibraryScan : public BrowserTest {
 protected:
  // One tile per pack, named after the pack, so a grid tells its pack.
  void AddPackWithTile(const std::string& folder, const std::string& tile) {
    packs().AddPack(folder);
    packs().AddTile(folder, tile);
  }

  // Tile names of a pack's Thumbnails folder in listing order, among names.
  std::vector<std::string> InListingOrder(const std::string& pack,
                                          const std::set<std::string>& names) {
    std::vector<std::string> ordered;
    const fs::path folder = packs().root() / pack / "Thumbnails";
    if (!fs::exists(folder)) return ordered;
    for (const std::string& file : ListingOrder(folder)) {
      std::string stem = PathOf(file).replace_extension().u8string();
      if (names.count(stem)) ordered.push_back(stem);
    }
    return ordered;
  }
};

TEST_P(LibraryScan, OnlyFoldersArePacksInListingOrderWithTheirDisplayNames) {
  AddPackWithTile("A_B_C", "abc");
  AddPackWithTile("Studio", "studio");
  AddPackWithTile("X_", "x");
  // Named like the macOS folder file, but a folder with a thumbnail: still no pack.
  packs().AddPack(".DS_Store");
  packs().AddTile(".DS_Store", "hidden");
  WriteBytes(packs().root() / "readme.txt", "not a pack");
  const std::map<std::string, std::string> shown = {
      {"A_B_C", "B_C"}, {"Studio", "Studio"}, {"X_", ""}};
  const std::map<std::string, std::string> tile = {
      {"A_B_C", "abc"}, {"Studio", "studio"}, {"X_", "x"}};
  Load();
  c4d_dialog* browser = Open();
  ASSERT_NE(browser, nullptr);

  const std::vector<std::string> order = PackFolderOrder(packs().root());
  ASSERT_EQ(order.size(), 3u);
  ComboEntries expected;
  for (int32_t i = 0; i < 3; ++i) expected.emplace_back(i, shown.at(order[i]));
  for (const auto& entry : FixedPackEntries()) expected.push_back(entry);
  EXPECT_EQ(Entries(browser, kPackChooser), expected);

  // Row i is pack folder i.
  std::vector<std::string> all;
  for (int32_t i = 0; i < 3; ++i) {
    Choose(browser, kPackChooser, i);
    EXPECT_EQ(TileLabels(browser), std::vector<std::string>{tile.at(order[i])}) << order[i];
    all.push_back(tile.at(order[i]));
  }
  Choose(browser, kPackChooser, kShowAll);
  EXPECT_EQ(TileLabels(browser), all);
}

TEST_P(LibraryScan, DisplayNameIsWhatFollowsTheFirstUnderscore) {
  Load();
  c4d_dialog* browser = Open();
  ASSERT_NE(browser, nullptr);
  TestLibrary other(scratch() / "other");
  other.AddPack("_Night");
  other.AddPack("07_Studio_Lights");
  ChangeDirectory(browser, other.root());

  std::map<std::string, std::string> shown = {{"_Night", "Night"},
                                              {"07_Studio_Lights", "Studio_Lights"}};
  const std::vector<std::string> order = PackFolderOrder(other.root());
  ComboEntries entries = Entries(browser, kPackChooser);
  ASSERT_EQ(entries.size(), 8u);
  EXPECT_EQ(entries[0], std::make_pair(0, shown.at(order[0])));
  EXPECT_EQ(entries[1], std::make_pair(1, shown.at(order[1])));
}

TEST_P(LibraryScan, OnlyExactJpgFilesThatAreNoVariantsBecomeTiles) {
  packs().AddPack("P");
  const fs::path thumbnails = packs().root() / "P" / "Thumbnails";
  for (const char* name : {"Studio.jpg", "Studio_md.jpg", "Studio_sm.jpg", "Studio_MD.jpg",
                           "Studio_md2.jpg", "md.jpg", "photo.JPG", "photo.jpeg", "photo.png"}) {
    ASSERT_TRUE(WriteJpeg(thumbnails / name, 8, 4, Colour{}));
  }
  Load();
  c4d_dialog* browser = Open();
  ASSERT_NE(browser, nullptr);

  std::vector<std::string> expected;
  for (const std::string& stem : InListingOrder("P", {"Studio", "Studio_MD", "Studio_md2", "md"})) {
    expected.push_back(LabelOf(stem));
  }
  EXPECT_EQ(TileLabels(browser), expected);
}

TEST_P(LibraryScan, LabelShowsUnderscoresAsSpacesAndTheBaseNameEndsAtTheFirstDot) {
  packs().AddPack("P");
  packs().AddTile("P", "Sunset_Beach_01");
  packs().AddTile("P", "Dusk.blue");
  Load();
  simhost::Atom* sky = AddSky();
  c4d_dialog* browser = Open();
  ASSERT_NE(browser, nullptr);

  const std::vector<std::string> labels = TileLabels(browser);
  const std::vector<std::string> stems = InListingOrder("P", {"Sunset_Beach_01", "Dusk.blue"});
  ASSERT_EQ(labels.size(), 2u);
  for (int32_t k = 0; k < 2; ++k) {
    const bool dusk = stems[k] == "Dusk.blue";
    EXPECT_EQ(labels[k], dusk ? "Dusk.blue" : "Sunset Beach 01");
    ASSERT_TRUE(windows().SendInput(browser, kFirstTile + k, simhost::InputEvent::Click()));
    EXPECT_EQ(HdriFileOf(sky), dusk ? "Dusk.hdr" : "Sunset_Beach_01.hdr");
  }
  EXPECT_TRUE(host().Messages().empty());
}

TEST_P(LibraryScan, RowsFollowThePacksAndShowAllNumbersTilesAcrossThem) {
  const std::map<std::string, std::vector<std::string>> tiles = {
      {"North", {"n_one", "n_two"}}, {"East", {}}, {"West", {"w_one", "w_two", "w_three"}}};
  packs().AddPack("North");
  fs::create_directories(packs().root() / "East" / "HDRIs");  // no Thumbnails folder
  packs().AddPack("West");
  for (const auto& [pack, names] : tiles) {
    for (const std::string& name : names) packs().AddTile(pack, name);
  }
  Load();
  simhost::Atom* sky = AddSky();
  c4d_dialog* browser = Open();
  ASSERT_NE(browser, nullptr);

  const std::vector<std::string> order = PackFolderOrder(packs().root());
  ASSERT_EQ(order.size(), 3u);
  std::vector<std::string> all;
  int32_t westStart = 0;
  for (int32_t i = 0; i < 3; ++i) {
    std::vector<std::string> row;
    for (const std::string& stem :
         InListingOrder(order[i], {tiles.at(order[i]).begin(), tiles.at(order[i]).end()})) {
      row.push_back(stem);
    }
    Choose(browser, kPackChooser, i);
    EXPECT_EQ(TileLabels(browser), LabelsOf(row)) << order[i];
    // The add-more cell always closes the grid, also for the empty row.
    EXPECT_EQ(Grid(browser).back().area_id, kAddMoreTile);
    if (order[i] == "West") westStart = static_cast<int32_t>(all.size());
    all.insert(all.end(), row.begin(), row.end());
  }

  Choose(browser, kPackChooser, kShowAll);
  const std::vector<GridCell> cells = Grid(browser);
  ASSERT_EQ(cells.size(), 6u);
  for (int32_t k = 0; k < 5; ++k) {
    EXPECT_EQ(cells[k].area_id, kFirstTile + k);
    EXPECT_EQ(cells[k].label, LabelOf(all[k]));
    EXPECT_TRUE(cells[k].attached);
    EXPECT_EQ(windows().QueryGadget(browser, kFirstTileGroup + k).kind, "group");
  }
  EXPECT_EQ(cells[5].area_id, kAddMoreTile);
  EXPECT_TRUE(windows().QueryGadget(browser, kAddMoreGroup).found);

  // Image 1 of West, numbered after every tile of the packs before it.
  const std::string westImage1 = all[westStart + 1] + ".hdr";
  ASSERT_TRUE(
      windows().SendInput(browser, kFirstTile + westStart + 1, simhost::InputEvent::Click()));
  EXPECT_EQ(HdriFileOf(sky), westImage1);
}

TEST_P(LibraryScan, MissingLibraryGivesOnlyTheFixedEntriesAndTheAddMoreCell) {
  fs::remove_all(packs().root());
  Load();
  c4d_dialog* browser = Open();
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(Entries(browser, kPackChooser), FixedPackEntries());
  for (int32_t choice : {0, kShowAll}) {
    if (choice != 0) Choose(browser, kPackChooser, choice);
    const std::vector<GridCell> cells = Grid(browser);
    ASSERT_EQ(cells.size(), 1u);
    EXPECT_EQ(cells[0].area_id, kAddMoreTile);
    EXPECT_TRUE(cells[0].attached);
  }
  EXPECT_TRUE(host().Messages().empty());
}

// Every rebuild lists the library again; when the listing changed, the rows
// follow, so each chooser entry shows its own pack's tile and a click
// applies that pack's file.
TEST_P(LibraryScan, PackListAndRowsFollowTheLibraryTogether) {
  for (const char* pack : {"Alpha", "Bravo", "Charlie"}) {
    AddPackWithTile(pack, std::string(pack) + "_tile");
  }
  Load();
  simhost::Atom* sky = AddSky();
  c4d_dialog* browser = Open();
  ASSERT_NE(browser, nullptr);

  AddPackWithTile("Delta", "Delta_tile");
  Rebuild(browser);
  ASSERT_EQ(Entries(browser, kPackChooser).size(), 4u + 6u);
  for (int32_t i = 0; i < 4; ++i) {
    Choose(browser, kPackChooser, i);
    EXPECT_EQ(TileLabels(browser),
              std::vector<std::string>{LabelOf(PackFolderOrder(packs().root())[i] + "_tile")});
  }

  fs::remove_all(packs().root() / "Alpha");
  fs::remove_all(packs().root() / "Bravo");
  Rebuild(browser);
  ASSERT_EQ(Entries(browser, kPackChooser).size(), 2u + 6u);
  Choose(browser, kPackChooser, kShowAll);
  const std::vector<std::string> labels = TileLabels(browser);
  ASSERT_EQ(labels.size(), 2u);
  for (int32_t k = 0; k < static_cast<int32_t>(labels.size()); ++k) {
    windows().SendInput(browser, kFirstTile + k, simhost::InputEvent::Click());
    const std::string pack = PackFolderOrder(packs().root())[k];
    EXPECT_EQ(HdriFileOf(sky), pack + "_tile.hdr");
    EXPECT_EQ(PathOf(sky->Data().GetText(kHdriObjectFile)).parent_path().parent_path(),
              packs().root() / pack);
  }
}

INSTANTIATE_TEST_SUITE_P(Builds, LibraryScan, testing::Values(Build::R17, Build::R14),
                         BuildParamName);

}  // namespace
}  // namespace lumidrome_test
