// The layout engine: minimum sizes bottom up, then rectangles top down, the
// way the host lays out its dialogs.
//
// Groups lay their visible children in a grid. With N columns the children
// fill it row by row; with 0 columns and R rows they fill it column by
// column, R to a column; with neither, and in every scroll group, they stand
// in one column. A column (row) takes the width (height) of its widest
// (highest) child; extra space goes equally to the columns (rows) holding a
// child that scales that way, and each child sits in its cell as its
// alignment flags say. Scroll groups take the space their parent gives them;
// their content is at least as large as the visible part.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "gadget.h"
#include "window_measures.h"

namespace simhost {

// Fixed measures of the host's controls, in pixels.
constexpr int32_t kControlHeight = 20;
constexpr int32_t kTextPadding = 4;
constexpr int32_t kComboArrowWidth = 18;
constexpr int32_t kCheckboxSize = 14;
constexpr int32_t kEditDefaultWidth = 80;
constexpr int32_t kSeparatorThickness = 2;
constexpr int32_t kBorderFrame = 2;

struct LayoutMetrics {
  std::function<int32_t(const std::string&)> text_width;
  int32_t line_height = 14;
  // The module's minimum size of a user area, or nothing to use its
  // initial size.
  std::function<std::optional<Size>(const Gadget&)> user_area_min_size;
};

struct Insets {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

struct GridShape {
  int32_t columns = 0;
  int32_t rows = 0;
};

struct GridCell {
  int32_t column = 0;
  int32_t row = 0;
};

// Fills min_size of every gadget of the tree.
void ComputeMinSizes(Gadget& root, const LayoutMetrics& metrics);
// Places the tree in rect; ComputeMinSizes must have run.
void Arrange(Gadget& root, const Rect& rect, int32_t line_height);

std::vector<Gadget*> VisibleChildren(const Gadget& group);
GridShape ShapeOf(const Gadget& group, size_t count);
GridCell CellOf(const Gadget& group, size_t index);
Insets InsetsOf(const Gadget& group, int32_t line_height);
// Which scroll bars a scroll group shows, for its content and outer size.
bool ShowsVerticalBar(const Gadget& scroll_group, const Size& content, const Size& inner);
bool ShowsHorizontalBar(const Gadget& scroll_group, const Size& content, const Size& inner);

// Scroll offsets of every scroll group above gadget, added up: what to
// subtract from its rect to get its place on screen.
Size ScrollShift(const Gadget& gadget);
Rect ScreenRect(const Gadget& gadget);
// The part of the client area through which gadget can be seen.
Rect VisibleClip(const Gadget& gadget, const Rect& client);
// Keeps a scroll group's offsets inside its content.
void ClampScroll(Gadget& scroll_group);

}  // namespace simhost
