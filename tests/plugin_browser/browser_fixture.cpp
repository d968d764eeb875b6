#include "browser_fixture.h"

#include <algorithm>
#include <sstream>

namespace lumidrome_test {

namespace fs = std::filesystem;

ComboEntries FixedPackEntries() {
  return {{-1, ""}, {9002, "Show All"},      {-1, ""}, {9001, "Change Directory"},
          {-1, ""}, {9000, "Get More Packs"}};
}

std::vector<std::string> ListingOrder(const fs::path& folder) {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
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

std::string BuildName(const testing::TestParamInfo<Build>& info) {
  return info.param == Build::R17 ? "R17" : "R14";
}

namespace {
fs::path EmptiedPacks(const fs::path& plugin_folder) {
  fs::remove_all(plugin_folder / "Packs");
  return plugin_folder / "Packs";
}

std::string Unescaped(const std::string& quoted) {
  std::string text;
  for (size_t i = 0; i < quoted.size(); ++i) {
    if (quoted[i] == '\\' && i + 1 < quoted.size()) ++i;
    text += quoted[i];
  }
  return text;
}
// '... userarea <id> <attached|detached> <w>x<h> label "<text>"', one cell.
bool ParseCell(const std::string& line, GridCell* cell) {
  const std::string area = ": userarea ";
  const std::string label = " label \"";
  const size_t area_at = line.find(area);
  const size_t label_at = line.find(label);
  if (area_at == std::string::npos || label_at == std::string::npos) return false;
  std::istringstream fields(line.substr(area_at + area.size(), label_at - area_at - area.size()));
  std::string state;
  char by = 0;
  fields >> cell->area_id >> state >> cell->width >> by >> cell->height;
  cell->attached = state == "attached";
  std::string quoted = line.substr(label_at + label.size());
  if (!quoted.empty() && quoted.back() == '"') quoted.pop_back();
  cell->label = Unescaped(quoted);
  return !fields.fail();
}
}  // namespace

BrowserTest::BrowserTest() : fixture_(GetParam()), packs_(EmptiedPacks(fixture_.plugin_folder())) {
  fs::create_directories(scratch());
}

void BrowserTest::Load() {
  host().SetInterfaceVersion(R17() ? 18011 : 16999);
  ASSERT_TRUE(host().Load(plugin_folder().string()));
}

c4d_dialog* BrowserTest::Open() {
  host().ExecuteCommand(kCommand, &host().ActiveDocument());
  return windows().FindOpenDialog(kCommand);
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
  host().QueueSelection(folder.string());
  Choose(dialog, kPackChooser, kChangeDirectory);
}

ComboEntries BrowserTest::Entries(c4d_dialog* dialog, int32_t chooser) {
  return windows().QueryGadget(dialog, chooser).entries;
}

int32_t BrowserTest::Value(c4d_dialog* dialog, int32_t gadget) {
  return windows().QueryGadget(dialog, gadget).int_value;
}

// Reads the host's description of the grid group, one line per cell.
std::vector<GridCell> BrowserTest::Grid(c4d_dialog* dialog) {
  std::vector<GridCell> cells;
  std::istringstream lines(windows().DescribeGrid(dialog, kGridGroup));
  std::string line;
  GridCell cell;
  while (std::getline(lines, line)) {
    if (ParseCell(line, &cell)) cells.push_back(cell);
  }
  return cells;
}

std::vector<std::string> BrowserTest::TileLabels(c4d_dialog* dialog) {
  std::vector<std::string> labels;
  for (const GridCell& cell : Grid(dialog)) {
    if (cell.area_id != kAddMoreTile) labels.push_back(cell.label);
  }
  return labels;
}

int32_t BrowserTest::GridColumns(c4d_dialog* dialog) {
  return windows().QueryGadget(dialog, kGridGroup).columns;
}

simhost::Atom* BrowserTest::AddSky() {
  return host().ActiveDocument().AddObject(kHdriObject, "Sky");
}

std::string BrowserTest::HdriFileOf(simhost::Atom* sky) {
  return fs::path(sky->Data().GetText(kHdriObjectFile)).filename().string();
}

}  // namespace lumidrome_test
