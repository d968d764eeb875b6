#include "browser_session.h"

#include <fstream>
#include <sstream>

namespace lumidrome_test {

namespace fs = std::filesystem;

int32_t DefaultVersion(Build build) { return build == Build::R17 ? 18011 : 16999; }

const char* BuildName(Build build) { return build == Build::R17 ? "R17" : "R14"; }

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
  if (!host().ModuleLoaded() && !host().Load(fixture_.plugin_folder().string())) return nullptr;
  host().ExecuteCommand(kCommandId, &doc());
  dialog_ = windows().FindOpenDialog(kCommandId);
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

namespace {
// (user area id, label) of every cell that holds a tile, from lines like
//   cell 0 column 0 row 0 at 4,34 240x143: userarea 6000 attached 240x120 label "a1"
std::vector<std::pair<int32_t, std::string>> GridCells(const std::string& grid) {
  const std::string area_mark = "userarea ";
  const std::string label_mark = " label \"";
  std::vector<std::pair<int32_t, std::string>> cells;
  std::istringstream lines(grid);
  std::string line;
  while (std::getline(lines, line)) {
    const size_t area = line.find(area_mark);
    const size_t label = line.find(label_mark);
    if (area == std::string::npos || label == std::string::npos || line.back() != '"') continue;
    const int32_t id = std::stoi(line.substr(area + area_mark.size()));
    const size_t text = label + label_mark.size();
    if (id != kAddMoreTile) cells.emplace_back(id, line.substr(text, line.size() - 1 - text));
  }
  return cells;
}
}  // namespace

std::vector<std::string> BrowserSession::TileLabels() {
  std::vector<std::string> labels;
  for (const auto& cell : GridCells(windows().DescribeGrid(dialog_, kGridGroup))) {
    labels.push_back(cell.second);
  }
  return labels;
}

int32_t BrowserSession::TileNumber(const std::string& label) {
  for (const auto& cell : GridCells(windows().DescribeGrid(dialog_, kGridGroup))) {
    if (cell.second == label) return cell.first - kFirstTile;
  }
  return -1;
}

bool BrowserSession::ClickTile(int32_t number) {
  if (number < 0) return false;
  return windows().SendInput(dialog_, kFirstTile + number, simhost::InputEvent::Click());
}

std::pair<int32_t, int32_t> BrowserSession::TileMinSize(int32_t number) {
  simhost::GadgetInfo info = windows().QueryGadget(dialog_, kFirstTile + number);
  return {info.min_width, info.min_height};
}

void BrowserSession::ResizeOnly(int32_t visible_width) {
  windows().Resize(dialog_, visible_width + kWindowFrame, height_);
}

void BrowserSession::Rebuild(int32_t visible_width) {
  ResizeOnly(visible_width);
  CursorInfo();
}

std::string PackFile(const fs::path& pack, const std::string& folder, const std::string& name) {
  return (pack / folder / name).string();
}

std::string ReadFileBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace lumidrome_test
