// Driving the browser window as the host and the user do, and what every
// check expects of its shape.
#pragma once

#include <cstdint>
#include <vector>

#include "gui/window_system.h"
#include "host.h"
#include "validate/checks/check_result.h"

namespace simhost_app {

// Runs the browser command; the open window, or null.
c4d_dialog* RunBrowserCommand(simhost::Host& host);
// The open browser window, or null.
c4d_dialog* OpenBrowser(simhost::Host& host);
// The gadget ids of the grid's tiles in order, then the add-more tile's.
std::vector<int32_t> GridTiles(simhost::WindowSystem& windows, c4d_dialog* dialog);
std::vector<int32_t> EntryValues(simhost::WindowSystem& windows, c4d_dialog* dialog, int32_t combo);
// The title, both choosers with their fixed entries, the add-more tile.
void ExpectBrowserShape(simhost::WindowSystem& windows, c4d_dialog* dialog, Findings& findings);
// The grid has as many columns as cells of the chosen size fit its width.
void ExpectGridFitsWidth(simhost::WindowSystem& windows, c4d_dialog* dialog, Findings& findings);
// Modal messages of the module other than the documented ones.
std::vector<std::string> UnexpectedMessages(const simhost::Host& host);

}  // namespace simhost_app
