#include "session/browser_view.h"

#include <sstream>

#include "common/english_counts.h"
#include "common/plugin_ids.h"
#include "session/command_line.h"

namespace simhost_app {

namespace {

// Undoes the quoting of the window system's descriptions.
std::string Unquote(const std::string& quoted) {
  std::string text;
  for (size_t i = 0; i < quoted.size(); ++i) {
    if (quoted[i] == '\\' && i + 1 < quoted.size()) ++i;
    text += quoted[i];
  }
  return text;
}

// The fixed fields of a cell line come first, the quoted label last:
//   cell 0 column 0 row 0 at 4,34 240x143: userarea 6000 attached 240x120 label "Blue Hour"
bool ParseCell(const std::string& line, GridCell* cell) {
  const std::string label_key = " label \"";
  const size_t label = line.find(label_key);
  if (line.rfind("  cell ", 0) != 0 || label == std::string::npos || line.back() != '"') {
    return false;
  }
  const size_t start = label + label_key.size();
  cell->label = Unquote(line.substr(start, line.size() - 1 - start));
  const std::string area_key = " userarea ";
  const size_t area = line.find(area_key);
  cell->area_id = 0;
  if (area != std::string::npos && area < label) {
    ParseInt32(line.substr(area + area_key.size(),
                           line.find(' ', area + area_key.size()) - area - area_key.size()),
               &cell->area_id);
  }
  return true;
}

// The header: grid 2001: 3 columns, 2 rows, 4 cells
int ParseColumns(const std::string& line) {
  const size_t colon = line.find(": ");
  int32_t columns = 0;
  if (line.rfind("grid ", 0) != 0 || colon == std::string::npos) return 0;
  ParseInt32(line.substr(colon + 2, line.find(' ', colon + 2) - colon - 2), &columns);
  return columns;
}

GridView ParseGrid(const std::string& description) {
  GridView grid;
  std::istringstream lines(description);
  std::string line;
  while (std::getline(lines, line)) {
    GridCell cell;
    if (ParseCell(line, &cell)) {
      grid.cells.push_back(cell);
    } else if (grid.columns == 0) {
      grid.columns = ParseColumns(line);
    }
  }
  return grid;
}

}  // namespace

GridView ReadGrid(simhost::WindowSystem& windows, c4d_dialog* browser) {
  return ParseGrid(windows.DescribeGrid(browser, plugin_ids::kGridGroup));
}

std::vector<GridCell> Tiles(const GridView& grid) {
  std::vector<GridCell> tiles;
  for (const GridCell& cell : grid.cells) {
    if (plugin_ids::TileNumber(cell.area_id) >= 0) tiles.push_back(cell);
  }
  return tiles;
}

std::string ChooserText(simhost::WindowSystem& windows, c4d_dialog* browser, int32_t id) {
  simhost::GadgetInfo chooser = windows.QueryGadget(browser, id);
  return "\"" + chooser.text + "\" (" + std::to_string(chooser.int_value) + ")";
}

std::string BrowserSummary(simhost::WindowSystem& windows, c4d_dialog* browser) {
  const GridView grid = ReadGrid(windows, browser);
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
