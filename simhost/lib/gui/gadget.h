// The gadget tree of one dialog window, as the module builds it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "c4d_abi_ids.h"
#include "gadget_pool.h"
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

// The host's layout flags under short names.
enum : int32_t {
  kAlignVerticalMask = C4D_BFV_MASK,  // 0 centre, 1 top, 2 bottom, 3 fit
  kAlignTop = C4D_BFV_TOP,
  kAlignBottom = C4D_BFV_BOTTOM,
  kFitVertical = C4D_BFV_FIT,
  kScaleVertical = C4D_BFV_SCALE,
  kAlignHorizontalMask = C4D_BFH_MASK,  // 0 centre, 8 left, 16 right, 24 fit
  kAlignLeft = C4D_BFH_LEFT,
  kAlignRight = C4D_BFH_RIGHT,
  kFitHorizontal = C4D_BFH_FIT,
  kScaleHorizontal = C4D_BFH_SCALE
};

// Group flags: all columns (rows) as wide (high) as the widest (highest).
enum : int32_t {
  kEqualColumns = C4D_BFV_GRIDGROUP_EQUALCOLS,
  kEqualRows = C4D_BFV_GRIDGROUP_EQUALROWS
};

// Scroll flags.
enum : int32_t {
  kScrollVertical = C4D_SCROLLGROUP_VERT,
  kScrollHorizontal = C4D_SCROLLGROUP_HORIZ,
  kScrollAutoHorizontal = C4D_SCROLLGROUP_AUTOHORIZ,
  kScrollAutoVertical = C4D_SCROLLGROUP_AUTOVERT,
  kScrollNoScroller = C4D_SCROLLGROUP_NOSCROLLER
};

struct ComboEntry {
  int32_t value = 0;
  std::string text;
};

struct Gadget {
  static void* operator new(std::size_t size) { return GadgetPool::Allocate(size); }
  static void operator delete(void* memory, std::size_t size) noexcept {
    GadgetPool::Release(memory, size);
  }

  // What every layout reads comes first, within the first cache lines: a
  // layout of a grid of thousands of tiles walks tens of thousands of
  // gadgets, and the rest of a gadget is rarely needed there.
  GadgetKind kind = GadgetKind::kGroup;
  bool enabled = true;
  bool hidden = false;
  bool border_title = false;
  // Set by a flush: the next group_begin with this id re-opens this group.
  bool awaiting_refill = false;
  int32_t flags = 0;
  int32_t initial_width = 0;
  int32_t initial_height = 0;
  std::vector<std::unique_ptr<Gadget>> children;

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
  int32_t scroll_flags = 0;
  int32_t scroll_x = 0;  // scroll offset of a scroll group
  int32_t scroll_y = 0;

  // Layout results, in client coordinates without scrolling.
  Size min_size;
  Rect rect;
  Rect viewport;  // scroll groups: the visible part of the content
  Size content;   // scroll groups: the size of the scrolled content

  // User areas: the attached area's handle serial, 0 when none.
  uint64_t area = 0;
  int32_t area_flags = 0;

  int32_t id = 0;
  uint64_t serial = 0;  // the gadget's handle; never reused
  Gadget* parent = nullptr;
  // The other gadgets of its dialog with the same id, in no set order.
  Gadget* same_id_previous = nullptr;
  Gadget* same_id_next = nullptr;
  std::string text;  // static text, button, check box, edit text, group title

  // Values.
  int32_t int_value = 0;
  double float_value = 0.0;
  std::vector<ComboEntry> entries;
  bool vertical = false;  // separators
  int32_t style = 0;      // static text border style, edit flags

  bool IsGroup() const { return kind == GadgetKind::kGroup || kind == GadgetKind::kScrollGroup; }
  // The text a combo box shows: its entry with the current value, or blank.
  std::string ComboText() const;
  int SelectedEntry() const;
};

static_assert(sizeof(Gadget) <= GadgetPool::kSlotSize, "a gadget outgrew its pool's slots");

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
