// Building a dialog's gadget tree (what the module's layout calls do) and
// laying the window out, with the module's user areas asked for their sizes.
//
// Windows are laid out eagerly: every question about geometry (visible
// areas, gadget and user-area sizes, input, drawing, pictures) first lays
// the window out when its tree changed since the last layout, and
// layout_changed lays it out before the module's next call into the engine
// returns anything, or when the host's call into the module returns. So a
// visible area asked for inside InitValues, before the window was ever
// shown, already has the width the window's size gives.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "c4d_function_table.h"
#include "dialog.h"

namespace simhost {

class WindowEngine;

// What a user area's get_min_size answered, by its gadget's serial.
struct AreaMinSize {
  uint64_t gadget = 0;
  Size size;
};

class DialogLayout {
 public:
  explicit DialogLayout(WindowEngine& engine) : engine_(engine) {}

  // Building.
  c4d_gadget* AddGadget(Dialog& dialog, std::unique_ptr<Gadget> gadget);
  bool BeginGroup(Dialog& dialog, std::unique_ptr<Gadget> group);
  c4d_userarea* Attach(Dialog& dialog, int32_t id, int32_t flags,
                       const c4d_userarea_callbacks* callbacks, void* self);
  bool FlushGroup(Dialog& dialog, int32_t id);
  bool RemoveElement(Dialog& dialog, int32_t id);
  void LayoutChanged(Dialog& dialog);

  // Laying out.
  void EnsureLayout(Dialog& dialog);
  void LayoutNow(Dialog& dialog);
  // Sets the window size, lays it out and sends the resize message.
  bool Resize(Dialog& dialog, int32_t width, int32_t height);
  bool VisibleArea(Dialog& dialog, int32_t scroll_group_id, Rect* area);

 private:
  // Each takes the attached user areas in tree order (AttachedAreas).
  void InitPendingAreas(const std::vector<uint64_t>& areas);
  std::vector<AreaMinSize> CollectMinSizes(const std::vector<uint64_t>& areas);
  void NotifySized(const std::vector<uint64_t>& areas);

  WindowEngine& engine_;
};

}  // namespace simhost
