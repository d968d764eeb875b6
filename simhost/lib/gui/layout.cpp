#include "layout.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <memory_resource>

namespace simhost {

namespace {

// No gadget grows beyond this, so sums of sizes stay far from overflow.
constexpr int64_t kMaxExtent = 1 << 20;

int32_t Bounded(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, 0, kMaxExtent));
}

Size AtLeastInitial(const Gadget& gadget, int64_t width, int64_t height) {
  return Size{Bounded(std::max<int64_t>(width, gadget.initial_width)),
              Bounded(std::max<int64_t>(height, gadget.initial_height))};
}

bool ScrollsVertically(const Gadget& g) {
  return (g.scroll_flags & (kScrollVertical | kScrollAutoVertical)) != 0;
}

bool ScrollsHorizontally(const Gadget& g) {
  return (g.scroll_flags & (kScrollHorizontal | kScrollAutoHorizontal)) != 0;
}

// Room on the stack for the lines of a grid: a window of thousands of
// tiles has thousands of small groups, and a heap allocation for each of
// their lines was most of a layout's cost. Bigger grids spill to the heap.
class LineArena {
 public:
  std::pmr::memory_resource* get() { return &resource_; }

 private:
  std::array<std::byte, 1024> buffer_;
  std::pmr::monotonic_buffer_resource resource_{buffer_.data(), buffer_.size()};
};

struct GridMeasure {
  explicit GridMeasure(std::pmr::memory_resource* memory) : widths(memory), heights(memory) {}
  std::pmr::vector<int64_t> widths;
  std::pmr::vector<int64_t> heights;
  int64_t total_width = 0;
  int64_t total_height = 0;
};

int64_t Spacing(int32_t space, size_t count) {
  return count > 1 ? static_cast<int64_t>(std::max(space, 0)) * (count - 1) : 0;
}

// Calls visit(child, index) for the children that are not hidden, index
// counting only those: a grid's cells, without a list of them to allocate
// (layout visits every group of a window of thousands of tiles).
template <typename Visit>
void ForEachCell(const Gadget& group, Visit visit) {
  size_t index = 0;
  for (const auto& child : group.children) {
    if (!child->hidden) visit(*child, index++);
  }
}

size_t CellCount(const Gadget& group) {
  size_t count = 0;
  ForEachCell(group, [&count](const Gadget&, size_t) { ++count; });
  return count;
}

GridMeasure MeasureGrid(const Gadget& group, std::pmr::memory_resource* memory) {
  GridShape shape = ShapeOf(group, CellCount(group));
  GridMeasure m(memory);
  m.widths.assign(static_cast<size_t>(shape.columns), 0);
  m.heights.assign(static_cast<size_t>(shape.rows), 0);
  ForEachCell(group, [&](const Gadget& child, size_t i) {
    GridCell cell = CellOf(group, i);
    auto c = static_cast<size_t>(cell.column);
    auto r = static_cast<size_t>(cell.row);
    m.widths[c] = std::max<int64_t>(m.widths[c], child.min_size.width);
    m.heights[r] = std::max<int64_t>(m.heights[r], child.min_size.height);
  });
  if (!m.widths.empty() && (group.group_flags & kEqualColumns)) {
    std::fill(m.widths.begin(), m.widths.end(),
              *std::max_element(m.widths.begin(), m.widths.end()));
  }
  if (!m.heights.empty() && (group.group_flags & kEqualRows)) {
    std::fill(m.heights.begin(), m.heights.end(),
              *std::max_element(m.heights.begin(), m.heights.end()));
  }
  for (int64_t w : m.widths) m.total_width += w;
  for (int64_t h : m.heights) m.total_height += h;
  m.total_width += Spacing(group.space_x, m.widths.size());
  m.total_height += Spacing(group.space_y, m.heights.size());
  return m;
}

Size GroupMinSize(Gadget& group, const LayoutMetrics& metrics) {
  LineArena arena;
  GridMeasure grid = MeasureGrid(group, arena.get());
  Insets in = InsetsOf(group, metrics.line_height);
  int64_t width = grid.total_width + in.left + in.right;
  int64_t height = grid.total_height + in.top + in.bottom;
  if (group.kind != GadgetKind::kScrollGroup) return AtLeastInitial(group, width, height);
  // The content counts only in the directions that cannot scroll.
  group.content = Size{Bounded(grid.total_width), Bounded(grid.total_height)};
  int64_t bars_width = (group.scroll_flags & kScrollVertical) ? kScrollbarSize : 0;
  int64_t bars_height = (group.scroll_flags & kScrollHorizontal) ? kScrollbarSize : 0;
  if (ScrollsHorizontally(group)) width = in.left + in.right + bars_width;
  if (ScrollsVertically(group)) height = in.top + in.bottom + bars_height;
  return AtLeastInitial(group, width, height);
}

Size LeafMinSize(const Gadget& g, const LayoutMetrics& metrics) {
  const int64_t text_height = metrics.line_height + kTextPadding;
  switch (g.kind) {
    case GadgetKind::kStaticText:
      return AtLeastInitial(g, metrics.text_width(g.text) + kTextPadding, text_height);
    case GadgetKind::kButton:
      return AtLeastInitial(g, metrics.text_width(g.text) + 4 * kTextPadding, kControlHeight);
    case GadgetKind::kCheckbox:
      return AtLeastInitial(g, kCheckboxSize + 2 * kTextPadding + metrics.text_width(g.text),
                            kControlHeight);
    case GadgetKind::kComboBox: {
      int64_t widest = 0;
      for (const ComboEntry& e : g.entries)
        widest = std::max<int64_t>(widest, metrics.text_width(e.text));
      return AtLeastInitial(g, widest + 2 * kTextPadding + kComboArrowWidth, kControlHeight);
    }
    case GadgetKind::kEditText:
      return AtLeastInitial(g, g.initial_width > 0 ? 0 : kEditDefaultWidth, kControlHeight);
    case GadgetKind::kSeparator:
      return g.vertical ? AtLeastInitial(g, kSeparatorThickness, 0)
                        : AtLeastInitial(g, 0, kSeparatorThickness);
    case GadgetKind::kUserArea: {
      std::optional<Size> wanted =
          metrics.user_area_min_size ? metrics.user_area_min_size(g) : std::nullopt;
      if (!wanted) return AtLeastInitial(g, 0, 0);
      return Size{Bounded(wanted->width), Bounded(wanted->height)};
    }
    default:
      return AtLeastInitial(g, 0, 0);
  }
}

// Gives extra pixels equally to the lines marked in grows, the first ones
// one pixel more when it does not divide.
void Distribute(std::pmr::vector<int64_t>& lines, const std::pmr::vector<bool>& grows,
                int64_t extra) {
  int64_t count = std::count(grows.begin(), grows.end(), true);
  if (extra <= 0 || count == 0) return;
  int64_t share = extra / count;
  int64_t rest = extra % count;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (!grows[i]) continue;
    lines[i] += share + (rest > 0 ? 1 : 0);
    if (rest > 0) --rest;
  }
}

// A fitting child takes the whole cell (the centring below then leaves it
// at the cell's corner); the others keep their minimum size.
void PlaceInCell(Gadget& child, const Rect& cell, int32_t line_height) {
  Rect r;
  int32_t h_align = child.flags & kAlignHorizontalMask;
  int32_t v_align = child.flags & kAlignVerticalMask;
  r.width = h_align == kFitHorizontal ? cell.width : std::min(child.min_size.width, cell.width);
  r.height = v_align == kFitVertical ? cell.height : std::min(child.min_size.height, cell.height);
  r.x = h_align == kAlignLeft    ? cell.x
        : h_align == kAlignRight ? cell.Right() - r.width
                                 : cell.x + (cell.width - r.width) / 2;
  r.y = v_align == kAlignTop      ? cell.y
        : v_align == kAlignBottom ? cell.Bottom() - r.height
                                  : cell.y + (cell.height - r.height) / 2;
  Arrange(child, r, line_height);
}

void ArrangeGrid(Gadget& group, const Rect& inner, int32_t line_height) {
  if (CellCount(group) == 0) return;
  LineArena arena;
  GridMeasure grid = MeasureGrid(group, arena.get());
  std::pmr::vector<bool> wide(grid.widths.size(), false, arena.get());
  std::pmr::vector<bool> tall(grid.heights.size(), false, arena.get());
  ForEachCell(group, [&](const Gadget& child, size_t i) {
    GridCell cell = CellOf(group, i);
    if (child.flags & kScaleHorizontal) wide[static_cast<size_t>(cell.column)] = true;
    if (child.flags & kScaleVertical) tall[static_cast<size_t>(cell.row)] = true;
  });
  // Equal columns stay equal: if one of them grows, all do.
  if ((group.group_flags & kEqualColumns) && std::count(wide.begin(), wide.end(), true) > 0) {
    wide.assign(wide.size(), true);
  }
  if ((group.group_flags & kEqualRows) && std::count(tall.begin(), tall.end(), true) > 0) {
    tall.assign(tall.size(), true);
  }
  Distribute(grid.widths, wide, inner.width - grid.total_width);
  Distribute(grid.heights, tall, inner.height - grid.total_height);
  std::pmr::vector<int64_t> left(grid.widths.size(), inner.x, arena.get());
  std::pmr::vector<int64_t> top(grid.heights.size(), inner.y, arena.get());
  for (size_t c = 1; c < left.size(); ++c)
    left[c] = left[c - 1] + grid.widths[c - 1] + std::max(group.space_x, 0);
  for (size_t r = 1; r < top.size(); ++r)
    top[r] = top[r - 1] + grid.heights[r - 1] + std::max(group.space_y, 0);
  size_t i = 0;
  for (auto& child : group.children) {
    if (child->hidden) continue;
    GridCell cell = CellOf(group, i++);
    auto c = static_cast<size_t>(cell.column);
    auto r = static_cast<size_t>(cell.row);
    Rect box{Bounded(left[c]), Bounded(top[r]), Bounded(grid.widths[c]), Bounded(grid.heights[r])};
    PlaceInCell(*child, box, line_height);
  }
}

Rect Shrunk(const Rect& rect, const Insets& in) {
  return Rect{rect.x + in.left, rect.y + in.top, std::max(rect.width - in.left - in.right, 0),
              std::max(rect.height - in.top - in.bottom, 0)};
}

void ArrangeScrollGroup(Gadget& group, const Rect& inner, int32_t line_height) {
  Size outer{inner.width, inner.height};
  bool vertical_bar = ShowsVerticalBar(group, group.content, outer);
  bool horizontal_bar = ShowsHorizontalBar(group, group.content, outer);
  group.viewport =
      Rect{inner.x, inner.y, std::max(inner.width - (vertical_bar ? kScrollbarSize : 0), 0),
           std::max(inner.height - (horizontal_bar ? kScrollbarSize : 0), 0)};
  Size content = group.content;
  content.width = ScrollsHorizontally(group) ? std::max(content.width, group.viewport.width)
                                             : group.viewport.width;
  content.height = ScrollsVertically(group) ? std::max(content.height, group.viewport.height)
                                            : group.viewport.height;
  group.content = content;
  ClampScroll(group);
  ArrangeGrid(group, Rect{group.viewport.x, group.viewport.y, content.width, content.height},
              line_height);
}

}  // namespace

std::vector<Gadget*> VisibleChildren(const Gadget& group) {
  std::vector<Gadget*> visible;
  for (const auto& child : group.children) {
    if (!child->hidden) visible.push_back(child.get());
  }
  return visible;
}

// Without columns or rows (and in scroll groups) the children stand in one
// column, which is also what a grid of "0 columns" becomes.
GridShape ShapeOf(const Gadget& group, size_t count) {
  if (count == 0) return GridShape{};
  const auto n = static_cast<int64_t>(count);
  const bool scroll = group.kind == GadgetKind::kScrollGroup;
  if (!scroll && group.columns > 0) {
    int64_t cols = std::min<int64_t>(group.columns, n);
    return GridShape{static_cast<int32_t>(cols),
                     static_cast<int32_t>((n + group.columns - 1) / group.columns)};
  }
  if (!scroll && group.rows > 0) {
    int64_t rows = std::min<int64_t>(group.rows, n);
    return GridShape{static_cast<int32_t>((n + group.rows - 1) / group.rows),
                     static_cast<int32_t>(rows)};
  }
  return GridShape{1, static_cast<int32_t>(n)};
}

GridCell CellOf(const Gadget& group, size_t index) {
  const auto i = static_cast<int64_t>(index);
  const bool scroll = group.kind == GadgetKind::kScrollGroup;
  if (!scroll && group.columns > 0) {
    return GridCell{static_cast<int32_t>(i % group.columns),
                    static_cast<int32_t>(i / group.columns)};
  }
  if (!scroll && group.rows > 0) {
    return GridCell{static_cast<int32_t>(i / group.rows), static_cast<int32_t>(i % group.rows)};
  }
  return GridCell{0, static_cast<int32_t>(i)};
}

Insets InsetsOf(const Gadget& group, int32_t line_height) {
  Insets in{Bounded(group.border_left), Bounded(group.border_top), Bounded(group.border_right),
            Bounded(group.border_bottom)};
  if (group.border_style != C4D_BORDER_NONE) {
    in.left += kBorderFrame;
    in.right += kBorderFrame;
    in.top += kBorderFrame;
    in.bottom += kBorderFrame;
  }
  if (group.border_title && !group.text.empty()) in.top += line_height + kTextPadding;
  return in;
}

bool ShowsVerticalBar(const Gadget& g, const Size& content, const Size& inner) {
  if (g.scroll_flags & kScrollNoScroller) return false;
  if (g.scroll_flags & kScrollVertical) return true;
  return (g.scroll_flags & kScrollAutoVertical) && content.height > inner.height;
}

bool ShowsHorizontalBar(const Gadget& g, const Size& content, const Size& inner) {
  if (g.scroll_flags & kScrollNoScroller) return false;
  if (g.scroll_flags & kScrollHorizontal) return true;
  return (g.scroll_flags & kScrollAutoHorizontal) && content.width > inner.width;
}

void ComputeMinSizes(Gadget& root, const LayoutMetrics& metrics) {
  for (auto& child : root.children) ComputeMinSizes(*child, metrics);
  root.min_size = root.IsGroup() ? GroupMinSize(root, metrics) : LeafMinSize(root, metrics);
}

void Arrange(Gadget& gadget, const Rect& rect, int32_t line_height) {
  gadget.rect = rect;
  if (!gadget.IsGroup()) return;
  Rect inner = Shrunk(rect, InsetsOf(gadget, line_height));
  if (gadget.kind == GadgetKind::kScrollGroup) {
    ArrangeScrollGroup(gadget, inner, line_height);
  } else {
    ArrangeGrid(gadget, inner, line_height);
  }
}

Size ScrollShift(const Gadget& gadget) {
  Size shift;
  for (const Gadget* at = gadget.parent; at; at = at->parent) {
    if (at->kind != GadgetKind::kScrollGroup) continue;
    shift.width += at->scroll_x;
    shift.height += at->scroll_y;
  }
  return shift;
}

Rect ScreenRect(const Gadget& gadget) {
  Size shift = ScrollShift(gadget);
  return gadget.rect.Moved(-shift.width, -shift.height);
}

Rect VisibleClip(const Gadget& gadget, const Rect& client) {
  Rect clip = client;
  for (const Gadget* at = gadget.parent; at; at = at->parent) {
    if (at->kind != GadgetKind::kScrollGroup) continue;
    Size shift = ScrollShift(*at);
    clip = Intersect(clip, at->viewport.Moved(-shift.width, -shift.height));
  }
  return clip;
}

void ClampScroll(Gadget& g) {
  g.scroll_x = std::clamp(g.scroll_x, 0, std::max(g.content.width - g.viewport.width, 0));
  g.scroll_y = std::clamp(g.scroll_y, 0, std::max(g.content.height - g.viewport.height, 0));
}

}  // namespace simhost
