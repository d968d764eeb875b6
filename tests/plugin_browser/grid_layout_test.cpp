// The grid of tiles: its columns, its cells and their gadget ids, also for
// grids beyond the 4000 tiles that the plain id range can number.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "browser_fixture.h"

namespace lumidrome_test {
namespace {

namespace fs = std::filesystem;

// The lines of a window description from the first that starts with
// first on, without their indentation.
std::vector<std::string> LinesFrom(const std::string& tree, const std::string& first) {
  std::vector<std::string> found;
  std::istringstream lines(tree);
  std::string line;
  while (std::getline(lines, line)) {
    line.erase(0, line.find_first_not_of(' '));
    if (found.empty() && line.rfind(first, 0) != 0) continue;
    found.push_back(line);
  }
  return found;
}

class GridLayout : public BrowserTest {
 protected:
  int32_t VisibleWidth(c4d_dialog* dialog) {
    int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    EXPECT_TRUE(windows().VisibleArea(dialog, kScrollGroup, &x1, &y1, &x2, &y2));
    return x2 - x1;
  }

  // Resizes the window so the scroll group shows width pixels across.
  void ShowWidth(c4d_dialog* dialog, int32_t width) {
    ASSERT_TRUE(windows().Resize(dialog, width + 22, 600));
    windows().SendCursorInfo(dialog, 10, 10);
    ASSERT_EQ(VisibleWidth(dialog), width);
  }
};

TEST_P(GridLayout, ColumnsAreTheCellsOfTheChosenSizeThatFitTheVisibleWidth) {
  packs().AddPack("P");
  for (const char* name : {"a", "b", "c", "d", "e", "f", "g", "h"}) packs().AddTile("P", name);
  Load();
  c4d_dialog* browser = Open();
  ASSERT_NE(browser, nullptr);
  // The default window: 768 / (240 + 5).
  EXPECT_EQ(GridColumns(browser), 3);

  ShowWidth(browser, 1215);
  struct Case {
    int32_t size;
    int32_t columns;
    int32_t tile_width;
    int32_t tile_height;
  };
  for (const Case& c : {Case{kSizeLarge, 3, 400, 200}, Case{kSizeSmall, 7, 160, 80},
                        Case{kSizeMedium, 4, 240, 120}}) {
    Choose(browser, kSizeChooser, c.size);
    EXPECT_EQ(GridColumns(browser), c.columns) << c.size;
    simhost::GadgetInfo tile = windows().QueryGadget(browser, kFirstTile);
    EXPECT_EQ(tile.min_width, c.tile_width);
    EXPECT_EQ(tile.min_height, c.tile_height);
    // The placeholder tile has the size of every other tile.
    EXPECT_EQ(windows().QueryGadget(browser, kAddMoreTile).min_width, c.tile_width);
  }

  // Narrower than one large cell: no column at all, and the host copes.
  // (The row of controls keeps the window from getting narrower still.)
  Choose(browser, kSizeChooser, kSizeLarge);
  ASSERT_TRUE(windows().Resize(browser, 150, 600));
  windows().SendCursorInfo(browser, 10, 10);
  ASSERT_LT(VisibleWidth(browser), 405);
  EXPECT_EQ(GridColumns(browser), 0);
  EXPECT_EQ(Grid(browser).size(), 9u);
  EXPECT_TRUE(windows().SavePicture(browser, (scratch() / "narrow.png").u8string()));
}

TEST_P(GridLayout, EachTileSitsInItsOwnGroupInACellWithItsLabel) {
  packs().AddPack("P");
  packs().AddTile("P", "Only_One");
  Load();
  c4d_dialog* browser = Open();
  ASSERT_NE(browser, nullptr);
  const std::string tree = windows().DescribeTree(browser);
  // Grid group: fill flags, 10 pixels between columns and 20 between rows;
  // each cell a centred group of 5 rows around the tile's group and label.
  const std::vector<std::string> expected = {
      "group 2001 flags=63 cols=3 rows=0 groupflags=0 space=10,20 ",
      "group 0 flags=0 cols=0 rows=5 groupflags=0 ",
      "group 10001 flags=0 cols=0 rows=5 groupflags=0 ",
      "userarea 6000 flags=0 attached min=240x120 ",
      "statictext 0 flags=1 \"Only One\" ",
      "group 0 flags=0 cols=0 rows=5 groupflags=0 ",
      "group 110 flags=0 cols=0 rows=5 groupflags=0 ",
      "userarea 109 flags=0 attached min=240x120 ",
      "statictext 0 flags=1 \"\" ",
  };
  const std::vector<std::string> lines = LinesFrom(tree, "group 2001 ");
  ASSERT_EQ(lines.size(), expected.size()) << tree;
  for (size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].rfind(expected[i], 0), 0u) << lines[i];
  }
}

// Gadget ids of every user area and group of a window, 0 left out.
std::vector<int32_t> NamedIds(const std::string& tree) {
  std::vector<int32_t> ids;
  std::istringstream lines(tree);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string kind;
    int32_t id = 0;
    fields >> kind >> id;
    if ((kind == "userarea" || kind == "group") && id != 0) ids.push_back(id);
  }
  return ids;
}

std::string FileContent(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Tile numbers 4000 and above cannot take the ids 6000 + k, which would run
// into the tile groups 10001 + k: they get ids of their own, far above.
TEST_P(GridLayout, GridsOfMoreThan4000TilesKeepIdsApartAndClicksOnTheirImage) {
  const int32_t tiles = 4100;
  const fs::path pack = packs().AddPack("Big");
  ASSERT_TRUE(WriteJpeg(scratch() / "tiny.jpg", 2, 1, Colour{}));
  const std::string jpeg = FileContent(scratch() / "tiny.jpg");
  for (int32_t i = 0; i < tiles; ++i) {
    std::ofstream(pack / "Thumbnails" / ("t" + std::to_string(i) + ".jpg"), std::ios::binary)
        << jpeg;
  }
  std::vector<std::string> stems;
  for (const std::string& file : ListingOrder(pack / "Thumbnails")) {
    stems.push_back(PathOf(file).stem().u8string());
  }
  for (int32_t k : {3999, 4000, 4099}) WriteBytes(pack / "HDRIs" / (stems[k] + ".hdr"), "#?");
  Load();
  simhost::Atom* sky = AddSky();
  c4d_dialog* browser = Open();
  ASSERT_NE(browser, nullptr);

  const std::vector<int32_t> ids = NamedIds(windows().DescribeTree(browser));
  EXPECT_EQ(std::set<int32_t>(ids.begin(), ids.end()).size(), ids.size());
  const int32_t far = simhost_app::plugin_ids::kFarTileBase;
  EXPECT_EQ(windows().QueryGadget(browser, simhost_app::plugin_ids::kLastClickableTile).kind,
            "userarea");
  EXPECT_EQ(windows().QueryGadget(browser, kFirstTileGroup + 3999).kind, "group");
  EXPECT_EQ(windows().QueryGadget(browser, kFirstTileGroup + 4000).kind, "group");
  EXPECT_EQ(windows().QueryGadget(browser, far + 4000).kind, "userarea");
  EXPECT_TRUE(windows().QueryGadget(browser, far + 4099).has_user_area);
  EXPECT_FALSE(windows().QueryGadget(browser, kFirstTileGroup - 1).found);

  const std::vector<GridCell> cells = Grid(browser);
  ASSERT_EQ(cells.size(), static_cast<size_t>(tiles) + 1);
  EXPECT_EQ(cells[4000].label, stems[4000]);
  EXPECT_EQ(cells[4000].area_id, far + 4000);

  for (int32_t k : {4000, 3999, 4099}) {
    const int32_t id = k < 4000 ? kFirstTile + k : far + k;
    ASSERT_TRUE(windows().SendInput(browser, id, simhost::InputEvent::Click()));
    EXPECT_EQ(HdriFileOf(sky), stems[k] + ".hdr") << k;
  }
  EXPECT_TRUE(host().Messages().empty());
}

// A new library replaces the tiles the grid shows: no gadget of the old
// grid may stand with a tile that no longer exists.
TEST_P(GridLayout, ChangingTheLibraryLeavesNoGadgetOfTheOldTiles) {
  packs().AddPack("Old");
  for (const char* name : {"o1", "o2", "o3", "o4"}) packs().AddTile("Old", name);
  Load();
  simhost::Atom* sky = AddSky();
  c4d_dialog* browser = Open();
  ASSERT_NE(browser, nullptr);
  ASSERT_TRUE(windows().SavePicture(browser, (scratch() / "old.png").u8string()));

  TestLibrary other(scratch() / "library");
  other.AddPack("New");
  other.AddTile("New", "n1");
  ChangeDirectory(browser, other.root());
  EXPECT_EQ(TileLabels(browser), std::vector<std::string>{"n1"});
  const std::string tree = windows().DescribeTree(browser);
  EXPECT_EQ(tree.find("detached"), std::string::npos) << tree;
  EXPECT_FALSE(windows().QueryGadget(browser, kFirstTile + 1).found);
  for (const simhost::VisibleUserArea& area : windows().VisibleUserAreas(browser)) {
    EXPECT_TRUE(area.attached) << area.gadget_id;
  }
  EXPECT_TRUE(windows().SavePicture(browser, (scratch() / "new.png").u8string()));
  ASSERT_TRUE(windows().SendInput(browser, kFirstTile, simhost::InputEvent::Click()));
  EXPECT_EQ(HdriFileOf(sky), "n1.hdr");
  EXPECT_FALSE(windows().SendInput(browser, kFirstTile + 3, simhost::InputEvent::Click()));
  EXPECT_TRUE(host().Warnings().empty());
}

// The host's answer for the scroll group's visible area, or none at all
// while visible_area_fails is set.
bool visible_area_fails = false;
c4d_bool (*host_visible_area)(c4d_dialog*, int32_t, int32_t*, int32_t*, int32_t*,
                              int32_t*) = nullptr;
// The host's dialog area with that answer in place; it outlives the module.
c4d_dialog_api failing_dialog_area{};

c4d_bool VisibleAreaUnlessFailing(c4d_dialog* dialog, int32_t id, int32_t* x1, int32_t* y1,
                                  int32_t* x2, int32_t* y2) {
  if (visible_area_fails) return 0;
  return host_visible_area(dialog, id, x1, y1, x2, y2);
}

class GridWithoutVisibleArea : public GridLayout {
 protected:
  ~GridWithoutVisibleArea() override { visible_area_fails = false; }

  // Starts the module on a copy of the host's table whose visible-area
  // answer can be made to fail.
  void LoadWithFailingVisibleArea() {
    c4d_function_table* table = const_cast<c4d_function_table*>(
        host().MakeTable(R17() ? 18011 : 16999, sizeof(c4d_function_table)));
    failing_dialog_area = *table->dialog;
    host_visible_area = failing_dialog_area.get_visible_area;
    failing_dialog_area.get_visible_area = VisibleAreaUnlessFailing;
    table->dialog = &failing_dialog_area;
    std::string error;
    ASSERT_TRUE(host().OpenModule(plugin_folder().u8string(), &error)) << error;
    ASSERT_EQ(host().CallInit(table, host().ModulePath().c_str()), C4D_ANSWER_OK);
    host().SendPluginMessage(C4D_MESSAGE_LOAD_RESOURCES, nullptr);
    ASSERT_EQ(host().CallMain(C4D_ACTION_START, nullptr, nullptr, nullptr), C4D_ANSWER_OK);
  }
};

// A scan destroys the tiles the grid shows. When the grid cannot be laid
// out again at once, it must stand empty rather than keep gadgets of tiles
// that are gone.
TEST_P(GridWithoutVisibleArea, ScanLeavesAnEmptyGridRatherThanStaleTiles) {
  packs().AddPack("Old");
  for (const char* name : {"o1", "o2", "o3", "o4"}) packs().AddTile("Old", name);
  TestLibrary other(scratch() / "library");
  other.AddPack("New");
  other.AddTile("New", "n1");
  LoadWithFailingVisibleArea();
  simhost::Atom* sky = AddSky();
  c4d_dialog* browser = Open();
  ASSERT_NE(browser, nullptr);
  ASSERT_EQ(TileLabels(browser).size(), 4u);

  visible_area_fails = true;
  ChangeDirectory(browser, other.root());
  EXPECT_TRUE(Grid(browser).empty());
  EXPECT_EQ(windows().QueryGadget(browser, kGridGroup).child_count, 0u);
  EXPECT_TRUE(windows().VisibleUserAreas(browser).empty());
  EXPECT_FALSE(windows().SendInput(browser, kFirstTile, simhost::InputEvent::Click()));
  EXPECT_TRUE(windows().SavePicture(browser, (scratch() / "empty.png").u8string()));
  EXPECT_EQ(sky->Data().GetText(kHdriObjectFile), "");

  visible_area_fails = false;
  Rebuild(browser);
  EXPECT_EQ(TileLabels(browser), std::vector<std::string>{"n1"});
  ASSERT_TRUE(windows().SendInput(browser, kFirstTile, simhost::InputEvent::Click()));
  EXPECT_EQ(HdriFileOf(sky), "n1.hdr");
}

INSTANTIATE_TEST_SUITE_P(Builds, GridLayout, testing::Values(Build::R17, Build::R14),
                         BuildParamName);
INSTANTIATE_TEST_SUITE_P(Builds, GridWithoutVisibleArea, testing::Values(Build::R17, Build::R14),
                         BuildParamName);

}  // namespace
}  // namespace lumidrome_test
