// Building the gadget tree: what the module's layout calls do.
#include "window_engine.h"

namespace simhost {

c4d_gadget* WindowEngine::AddGadget(Dialog& dialog, std::unique_ptr<Gadget> gadget) {
  if (!dialog.open) return nullptr;
  return GadgetHandle(*dialog.Add(std::move(gadget)));
}

bool WindowEngine::BeginGroup(Dialog& dialog, std::unique_ptr<Gadget> group) {
  if (!dialog.open) return false;
  return dialog.BeginGroup(std::move(group)) != nullptr;
}

// Binds to the first user-area gadget with this id. A user area that was
// attached to that gadget before is detached.
c4d_userarea* WindowEngine::Attach(Dialog& dialog, int32_t id, int32_t flags,
                                   const c4d_userarea_callbacks* callbacks, void* self) {
  if (!dialog.open || !callbacks) return nullptr;
  Gadget* gadget = dialog.FindKind(id, GadgetKind::kUserArea);
  if (!gadget) return nullptr;
  if (gadget->area != 0) DetachArea(gadget->area);
  auto area = std::make_unique<UserArea>();
  area->serial = NextSerial();
  area->callbacks = callbacks;
  area->self = self;
  area->dialog = dialog.serial();
  area->gadget = gadget->serial;
  area->gadget_id = id;
  area->flags = flags;
  gadget->area = area->serial;
  gadget->area_flags = flags;
  c4d_userarea* handle = area->handle();
  areas_[area->serial] = std::move(area);
  dialog.layout_dirty = true;
  return handle;
}

bool WindowEngine::FlushGroup(Dialog& dialog, int32_t id) {
  if (!dialog.open) return false;
  Gadget* group = dialog.Find(id, [](const Gadget& g) { return g.IsGroup(); });
  if (!group) return false;
  std::vector<std::unique_ptr<Gadget>> removed;
  std::vector<uint64_t> areas;
  dialog.Flush(*group, removed, areas);
  Bury(std::move(removed), areas);
  return true;
}

bool WindowEngine::RemoveElement(Dialog& dialog, int32_t id) {
  if (!dialog.open) return false;
  Gadget* gadget = dialog.Find(id, [](const Gadget&) { return true; });
  if (!gadget) return false;
  std::vector<uint64_t> areas;
  std::vector<std::unique_ptr<Gadget>> removed;
  removed.push_back(dialog.Remove(*gadget, areas));
  Bury(std::move(removed), areas);
  return true;
}

// The module may know more than the tree shows (a user area's minimum size
// follows the module's own state), so the whole window is laid out again.
void WindowEngine::LayoutChanged(Dialog& dialog) {
  if (!dialog.open) return;
  dialog.layout_dirty = true;
  LayoutNow(dialog);
}

}  // namespace simhost
