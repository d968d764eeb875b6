#include "validate/checks/browser_driver.h"

#include <algorithm>
#include <string>

#include "common/plugin_ids.h"

namespace simhost_app {

namespace ids = plugin_ids;

namespace {

constexpr double kBaseTileWidth = 400.0;
constexpr double kCellSpacing = 5.0;

bool EndsWithFixedEntries(const std::vector<int32_t>& values) {
  const std::vector<int32_t> fixed{-1, ids::kShowAll,     -1, ids::kChangeDirectory,
                                   -1, ids::kGetMorePacks};
  return values.size() >= fixed.size() &&
         std::equal(fixed.begin(), fixed.end(), values.end() - fixed.size());
}

double TileScale(int32_t size_value) { return size_value == 1 ? 0.4 : size_value == 3 ? 1.0 : 0.6; }

}  // namespace

c4d_dialog* RunBrowserCommand(simhost::Host& host) {
  host.ExecuteCommand(ids::kBrowserCommand, &host.ActiveDocument());
  return OpenBrowser(host);
}

c4d_dialog* OpenBrowser(simhost::Host& host) {
  return host.Windows().FindOpenDialog(ids::kBrowserCommand);
}

std::vector<int32_t> GridTiles(simhost::WindowSystem& windows, c4d_dialog* dialog) {
  std::vector<int32_t> tiles;
  for (int32_t id = ids::kFirstTile; id <= ids::kLastClickableTile; ++id) {
    if (!windows.QueryGadget(dialog, id).found) break;
    tiles.push_back(id);
  }
  if (windows.QueryGadget(dialog, ids::kAddMoreTile).found) tiles.push_back(ids::kAddMoreTile);
  return tiles;
}

std::vector<int32_t> EntryValues(simhost::WindowSystem& windows, c4d_dialog* dialog,
                                 int32_t combo) {
  std::vector<int32_t> values;
  for (const auto& entry : windows.QueryGadget(dialog, combo).entries) {
    values.push_back(entry.first);
  }
  return values;
}

void ExpectBrowserShape(simhost::WindowSystem& windows, c4d_dialog* dialog, Findings& findings) {
  findings.ExpectEq(windows.Title(dialog), std::string(ids::kWindowTitle), "the window title");
  findings.Expect(EndsWithFixedEntries(EntryValues(windows, dialog, ids::kPackChooser)),
                  "the pack chooser lacks its fixed entries");
  findings.Expect(EntryValues(windows, dialog, ids::kSizeChooser) == std::vector<int32_t>{1, 2, 3},
                  "the size chooser does not offer Small, Medium and Large");
  findings.Expect(windows.QueryGadget(dialog, ids::kAddMoreTile).has_user_area,
                  "the grid does not end with the add-more tile");
}

void ExpectGridFitsWidth(simhost::WindowSystem& windows, c4d_dialog* dialog, Findings& findings) {
  int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  if (!windows.VisibleArea(dialog, ids::kScrollGroup, &x1, &y1, &x2, &y2)) return;
  const int32_t size = windows.QueryGadget(dialog, ids::kSizeChooser).int_value;
  const double cell = kBaseTileWidth * TileScale(size) + kCellSpacing;
  const int32_t expected = static_cast<int32_t>((x2 - x1) / cell);
  findings.ExpectEq(windows.QueryGadget(dialog, ids::kGridGroup).columns, expected,
                    "grid columns for a visible width of " + std::to_string(x2 - x1) + " at size " +
                        std::to_string(size));
}

std::vector<std::string> UnexpectedMessages(const simhost::Host& host) {
  std::vector<std::string> unexpected;
  for (const std::string& text : host.Messages()) {
    const bool documented = text == "Broken asset file, please reinstall Lumidrome." ||
                            text == "Possible problem with the website, try again later.";
    if (!documented) unexpected.push_back(text);
  }
  return unexpected;
}

}  // namespace simhost_app
