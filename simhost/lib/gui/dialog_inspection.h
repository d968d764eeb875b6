// Looking at windows as a test or a session does: the gadget tree as text,
// grids, single gadgets and the user areas in view. Lays the window out
// first; never calls the module otherwise.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dialog.h"
#include "window_system.h"

namespace simhost {

class WindowEngine;

// A grid as the text DescribeGrid shows: a header line, then one line per
// cell, labels quoted with \" and \\ escaped.
std::string GridText(const GridInfo& grid);

class DialogInspection {
 public:
  explicit DialogInspection(WindowEngine& engine) : engine_(engine) {}

  std::string DescribeTree(Dialog& dialog);
  GridInfo QueryGrid(Dialog& dialog, int32_t group_id);
  GadgetInfo QueryGadget(Dialog& dialog, int32_t id);
  std::vector<VisibleUserArea> VisibleUserAreas(Dialog& dialog);

 private:
  WindowEngine& engine_;
};

}  // namespace simhost
