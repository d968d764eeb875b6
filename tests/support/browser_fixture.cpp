#include "browser_fixture.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace lumidrome_test {

namespace fs = std::filesystem;
namespace ids = simhost_app::plugin_ids;

int32_t DefaultVersion(Build build) { return build == Build::R17 ? 18011 : 16999; }

const char* BuildName(Build build) { return build == Build::R17 ? "R17" : "R14"; }

std::string BuildParamName(const testing::TestParamInfo<Build>& info) {
  return BuildName(info.param);
}

ComboEntries FixedPackEntries() {
  return {{-1, ""}, {kShowAll, "Show All"},
          {-1, ""}, {kChangeDirectory, "Change Directory"},
          {-1, ""}, {kGetMorePacks, "Get More Packs"}};
}

std::vector<std::string> ListingOrder(const fs::path& folder) {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().u8string());
  }
  return names;
}

std::vector<std::string> PackFolderOrder(const fs::path& library) {
  std::vector<std::string> packs;
  for (const std::string& name : ListingOrder(library)) {
    if (name != ".DS_Store" && fs::is_directory(library / name)) packs.push_back(name);
  }
  return packs;
}

std::string LabelOf(std::string stem) {
  std::replace(stem.begin(), stem.end(), '_', ' ');
  return stem;
}

std::vector<std::string> LabelsOf(const std::vector<std::string>& stems) {
  std::vector<std::string> labels;
  for (const std::string& stem : stems) labels.push_back(LabelOf(stem));
  return labels;
}

std::vector<GridCell> GridCells(simhost::WindowSystem& windows, c4d_dialog* dialog) {
  return windows.QueryGrid(dialog, kGridGroup).cells;
}

std::vector<std::string> TileLabels(simhost::WindowSystem& windows, c4d_dialog* dialog) {
  std::vector<std::string> labels;
  for (const GridCell& cell : GridCells(windows, dialog)) {
    if (cell.has_area && cell.area_id != kAddMoreTile) labels.push_back(cell.label);
  }
  return labels;
}

std::string PackFile(const fs::path& pack, const std::string& folder, const std::string& name) {
  return Utf8(pack / PathOf(folder) / PathOf(name));
}

std::string ReadFileBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

namespace {
// The demo library that comes with the build would make every grid depend
// on it; each test builds its own.
fs::path EmptiedPacks(const PluginFixture& fixture) {
  const fs::path packs = fixture.plugin_folder() / "Packs";
  fs::remove_all(packs);
  return packs;
}
}  // namespace

BrowserSession::BrowserSession(Build build) : BrowserSession(build, DefaultVersion(build)) {}

BrowserSession::BrowserSession(Build build, int32_t host_version)
    : fixture_(build), library_(EmptiedPacks(fixture_)) {
  host().SetInterfaceVersion(host_version);
}

fs::path BrowserSession::SettingsFile(const std::string& suffix) const {
  return fixture_.plugin_folder() / "res" / ("VexaLumidromeRemotePath" + suffix);
}

c4d_dialog* BrowserSession::Open() {
  if (!host().ModuleLoaded() && !host().Load(fixture_.plugin_folder().u8string())) return nullptr;
  host().ExecuteCommand(kBrowserCommand, &doc());
  dialog_ = windows().FindOpenDialog(kBrowserCommand);
  return dialog_;
}

void BrowserSession::Close() { windows().UserClose(dialog_); }

std::vector<std::string> BrowserSession::PackNames() {
  std::vector<std::string> names;
  for (const auto& entry : windows().QueryGadget(dialog_, kPackChooser).entries) {
    if (entry.first >= 0 && entry.first < kGetMorePacks) names.push_back(entry.second);
  }
  return names;
}

int32_t BrowserSession::PackValue(const std::string& name) {
  for (const auto& entry : windows().QueryGadget(dialog_, kPackChooser).entries) {
    if (entry.second == name && entry.first >= 0 && entry.first < kGetMorePacks) {
      return entry.first;
    }
  }
  return -1;
}

int32_t BrowserSession::Value(int32_t gadget_id) {
  return windows().QueryGadget(dialog_, gadget_id).int_value;
}

int32_t BrowserSession::GridColumns() { return windows().QueryGadget(dialog_, kGridGroup).columns; }

int32_t BrowserSession::TileNumber(const std::string& label) {
  for (const GridCell& cell : GridCells(windows(), dialog_)) {
    const int32_t number = cell.has_area ? ids::TileNumber(cell.area_id) : -1;
    if (number >= 0 && cell.label == label) return number;
  }
  return -1;
}

bool BrowserSession::ClickTile(int32_t number) {
  if (number < 0) return false;
  return windows().SendInput(dialog_, ids::TileId(number), simhost::InputEvent::Click());
}

std::pair<int32_t, int32_t> BrowserSession::TileMinSize(int32_t number) {
  simhost::GadgetInfo info = windows().QueryGadget(dialog_, ids::TileId(number));
  return {info.min_width, info.min_height};
}

void BrowserSession::ResizeOnly(int32_t visible_width) {
  windows().Resize(dialog_, visible_width + kWindowFrame, height_);
}

void BrowserSession::Rebuild(int32_t visible_width) {
  ResizeOnly(visible_width);
  CursorInfo();
}

BrowserTest::BrowserTest() : session_(GetParam()) { fs::create_directories(scratch()); }

void BrowserTest::Load() {
  host().SetInterfaceVersion(DefaultVersion(GetParam()));
  ASSERT_TRUE(host().Load(plugin_folder().u8string()));
}

c4d_dialog* BrowserTest::Open() {
  host().ExecuteCommand(kBrowserCommand, &host().ActiveDocument());
  return windows().FindOpenDialog(kBrowserCommand);
}

void BrowserTest::Close(c4d_dialog* dialog) { EXPECT_TRUE(windows().UserClose(dialog)); }

void BrowserTest::Rebuild(c4d_dialog* dialog) {
  std::pair<int32_t, int32_t> size = windows().WindowSize(dialog);
  ASSERT_TRUE(windows().Resize(dialog, size.first, size.second));
  windows().SendCursorInfo(dialog, 10, 10);
}

void BrowserTest::Choose(c4d_dialog* dialog, int32_t chooser, int32_t value) {
  ASSERT_TRUE(windows().ChooseComboValue(dialog, chooser, value)) << chooser << " " << value;
}

void BrowserTest::ChangeDirectory(c4d_dialog* dialog, const fs::path& folder) {
  host().QueueSelection(folder.u8string());
  Choose(dialog, kPackChooser, kChangeDirectory);
}

ComboEntries BrowserTest::Entries(c4d_dialog* dialog, int32_t chooser) {
  return windows().QueryGadget(dialog, chooser).entries;
}

int32_t BrowserTest::Value(c4d_dialog* dialog, int32_t gadget) {
  return windows().QueryGadget(dialog, gadget).int_value;
}

int32_t BrowserTest::GridColumns(c4d_dialog* dialog) {
  return windows().QueryGadget(dialog, kGridGroup).columns;
}

simhost::Atom* BrowserTest::AddSky() {
  return host().ActiveDocument().AddObject(kHdriObject, "Sky");
}

std::string BrowserTest::HdriFileOf(simhost::Atom* sky) {
  return PathOf(sky->Data().GetText(kHdriObjectFile)).filename().u8string();
}

}  // namespace lumidrome_test
