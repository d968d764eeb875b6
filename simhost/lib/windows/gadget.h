// The gadget tree of one dialog window, as the module builds it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "geometry.h"

namespace simhost {

enum class GadgetKind {
  kGroup,
  kScrollGroup,
  kStaticText,
  kButton,
  kCheckbox,
  kComboBox,
  kEditText,
  kSeparator,
  kUserArea
};

const char* KindName(GadgetKind kind);

// Layout flags of the host.
enum : int32_t {
  kAlignVerticalMask = 3,  // 0 centre, 1 top, 2 bottom, 3 fit
  kAlignTop = 1,
  kAlignBottom = 2,
  kFitVertical = 3,
  kScaleVertical = 4,
  kAlignHorizontalMask = 24,  // 0 centre, 8 left, 16 right, 24 fit
  kAlignLeft = 8,
  kAlignRight = 16,
  kFitHorizontal = 24,
  kScaleHorizontal = 32
};

// Group flags: all columns (rows) as wide (high) as the widest (highest).
enum : int32_t { kEqualColumns = 1, kEqualRows = 2 };

// Scroll flags.
enum : int32_t {
  kScrollVertical = 4,
  kScrollHorizontal = 8,
  kScrollAutoHorizontal = 256,
  kScrollAutoVertical = 512,
  kScrollNoScroller = 1024
};

struct ComboEntry {
  int32_t value = 0;
  std::string text;
};

struct Gadget {
  GadgetKind kind = GadgetKind::kGroup;
  uint64_t serial = 0;  // the gadget's handle; never reused
  Gadget* parent = nullptr;
  std::vector<std::unique_ptr<Gadget>> children;

  int32_t id = 0;
  int32_t flags = 0;
  int32_t initial_width = 0;
  int32_t initial_height = 0;
  std::string text;  // static text, button, check box, edit text, group title
  bool enabled = true;
  bool hidden = false;

  // Groups and scroll groups.
  int32_t columns = 0;
  int32_t rows = 0;
  int32_t group_flags = 0;
  int32_t space_x = 4;
  int32_t space_y = 4;
  int32_t border_left = 0;
  int32_t border_top = 0;
  int32_t border_right = 0;
  int32_t border_bottom = 0;
  uint32_t border_style = 0;
  bool border_title = false;
  int32_t scroll_flags = 0;
  int32_t scroll_x = 0;  // scroll offset of a scroll group
  int32_t scroll_y = 0;
  // Set by a flush: the next group_begin with this id re-opens this group.
  bool awaiting_refill = false;

  // Values.
  int32_t int_value = 0;
  double float_value = 0.0;
  std::vector<ComboEntry> entries;
  bool vertical = false;  // separators
  int32_t style = 0;      // static text border style, edit flags

  // User areas: the attached area's handle serial, 0 when none.
  uint64_t area = 0;
  int32_t area_flags = 0;

  // Layout results, in client coordinates without scrolling.
  Size min_size;
  Rect rect;
  Rect viewport;  // scroll groups: the visible part of the content
  Size content;   // scroll groups: the size of the scrolled content

  bool IsGroup() const { return kind == GadgetKind::kGroup || kind == GadgetKind::kScrollGroup; }
  // The text a combo box shows: its entry with the current value, or blank.
  std::string ComboText() const;
  int SelectedEntry() const;
};

// Walks the tree depth first, parents before children, in insertion order.
// The visitor returns false to stop the walk.
bool WalkTree(Gadget& root, const std::function<bool(Gadget&)>& visit);
// The first gadget in tree order with this id whose kind passes accept.
Gadget* FindFirst(Gadget& root, int32_t id, const std::function<bool(const Gadget&)>& accept);
Gadget* FindFirstOfKind(Gadget& root, int32_t id, GadgetKind kind);
int Depth(const Gadget& gadget);
// Neither the gadget nor a group above it is hidden.
bool Shown(const Gadget& gadget);

}  // namespace simhost
