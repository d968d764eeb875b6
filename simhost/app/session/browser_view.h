// What the browser window shows, read back from the window system: the
// cells of the grid with their labels, and a one-line summary.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gui/window_system.h"

namespace simhost_app {

// The browser's grid as the window system lays it out.
simhost::GridInfo ReadGrid(simhost::WindowSystem& windows, c4d_dialog* browser);
// The cells that are thumbnail tiles (user areas 6000 to 9999, and from
// 1000004000 on for tiles past the 4000th).
std::vector<simhost::GridCellInfo> Tiles(const simhost::GridInfo& grid);

// The text a combo box shows, and its value.
std::string ChooserText(simhost::WindowSystem& windows, c4d_dialog* browser, int32_t id);

// e.g.: pack "Studio_Lights" (0), size "Medium", 6 tiles in 4 columns,
// window 790x500, scrolled to 0,0
std::string BrowserSummary(simhost::WindowSystem& windows, c4d_dialog* browser);

}  // namespace simhost_app
