#include "session/browser_view.h"

#include <sstream>

#include "common/english_counts.h"
#include "common/plugin_ids.h"

namespace simhost_app {

simhost::GridInfo ReadGrid(simhost::WindowSystem& windows, c4d_dialog* browser) {
  return windows.QueryGrid(browser, plugin_ids::kGridGroup);
}

std::vector<simhost::GridCellInfo> Tiles(const simhost::GridInfo& grid) {
  std::vector<simhost::GridCellInfo> tiles;
  for (const simhost::GridCellInfo& cell : grid.cells) {
    if (cell.has_area && plugin_ids::TileNumber(cell.area_id) >= 0) tiles.push_back(cell);
  }
  return tiles;
}

std::string ChooserText(simhost::WindowSystem& windows, c4d_dialog* browser, int32_t id) {
  simhost::GadgetInfo chooser = windows.QueryGadget(browser, id);
  return "\"" + chooser.text + "\" (" + std::to_string(chooser.int_value) + ")";
}

std::string BrowserSummary(simhost::WindowSystem& windows, c4d_dialog* browser) {
  const simhost::GridInfo grid = ReadGrid(windows, browser);
  const auto [width, height] = windows.WindowSize(browser);
  int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  windows.VisibleArea(browser, plugin_ids::kScrollGroup, &x1, &y1, &x2, &y2);
  std::ostringstream out;
  out << "browser: pack " << ChooserText(windows, browser, plugin_ids::kPackChooser) << ", size "
      << ChooserText(windows, browser, plugin_ids::kSizeChooser) << ", "
      << Counted(static_cast<long long>(Tiles(grid).size()), "tile", "tiles") << " in "
      << Counted(grid.columns, "column", "columns") << ", window " << width << "x" << height
      << ", scrolled to " << x1 << "," << y1;
  return out.str();
}

}  // namespace simhost_app
