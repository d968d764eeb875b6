// Building the gadget tree (what the module's layout calls do) and laying
// windows out, with the module's user areas asked for their sizes.
#include <algorithm>

#include "text_renderer.h"
#include "window_engine.h"

namespace simhost {

namespace {
// Passes a layout may take when the module keeps changing the tree from
// inside the size callbacks; the last pass lays out whatever stands then.
constexpr int kLayoutPasses = 4;
}  // namespace

// The host sets a user area up when its window first shows it.
void DialogLayout::InitPendingAreas(const std::vector<uint64_t>& areas) {
  for (uint64_t area_serial : areas) {
    UserArea* area = engine_.FindArea(area_serial);
    if (!area || area->initialized || area->gadget == 0 || !area->callbacks) continue;
    area->initialized = true;
    if (area->callbacks->init) area->callbacks->init(area->self);
    area = engine_.FindArea(area_serial);
    if (area && area->gadget != 0 && area->callbacks && area->callbacks->init_values) {
      area->callbacks->init_values(area->self);
    }
  }
}

// Sorted by gadget serial: one allocation for a grid of thousands of
// tiles, where a hash map took one per tile.
std::vector<AreaMinSize> DialogLayout::CollectMinSizes(const std::vector<uint64_t>& areas) {
  std::vector<AreaMinSize> sizes;
  sizes.reserve(areas.size());
  for (uint64_t area_serial : areas) {
    UserArea* area = engine_.FindArea(area_serial);
    if (!area || area->gadget == 0 || !area->callbacks || !area->callbacks->get_min_size) continue;
    const uint64_t gadget = area->gadget;
    int32_t width = 0;
    int32_t height = 0;
    if (area->callbacks->get_min_size(area->self, &width, &height)) {
      sizes.push_back(AreaMinSize{gadget, Size{width, height}});
    }
  }
  // A gadget holds one area, so serials are unique; the last answer wins
  // all the same, as it did when these were kept by key.
  std::stable_sort(sizes.begin(), sizes.end(),
                   [](const AreaMinSize& a, const AreaMinSize& b) { return a.gadget < b.gadget; });
  return sizes;
}

void DialogLayout::NotifySized(const std::vector<uint64_t>& areas) {
  for (uint64_t area_serial : areas) {
    UserArea* area = engine_.FindArea(area_serial);
    Gadget* gadget = area ? engine_.AttachedGadget(*area) : nullptr;
    if (!gadget || !area->callbacks) continue;
    Size now{gadget->rect.width, gadget->rect.height};
    if (now.width == area->notified_size.width && now.height == area->notified_size.height) {
      continue;
    }
    area->notified_size = now;
    if (area->callbacks->sized) area->callbacks->sized(area->self, now.width, now.height);
  }
}

void DialogLayout::EnsureLayout(Dialog& dialog) {
  if (dialog.open && dialog.layout_dirty) LayoutNow(dialog);
}

// A layout asked for while one runs (from a size callback) only marks the
// window; the running one then goes round again.
void DialogLayout::LayoutNow(Dialog& dialog) {
  if (!dialog.open) return;
  if (dialog.laying_out) {
    dialog.layout_dirty = true;
    return;
  }
  dialog.layout_requested = false;
  const uint64_t serial = dialog.serial();
  dialog.laying_out = true;
  // The window's attached user areas in tree order, walked again only when
  // a callback of the module changed the window (it marks it dirty): a grid
  // of thousands of tiles is walked once per pass, not three times.
  std::vector<uint64_t> areas;
  bool areas_current = false;
  for (int pass = 1; pass <= kLayoutPasses; ++pass) {
    Dialog* at = engine_.FindDialog(serial);
    if (!at || !at->open) break;
    at->layout_dirty = false;
    areas = engine_.AttachedAreas(*at);
    InitPendingAreas(areas);
    at = engine_.FindDialog(serial);
    if (!at || !at->open) break;
    if (at->layout_dirty) areas = engine_.AttachedAreas(*at);
    std::vector<AreaMinSize> sizes = CollectMinSizes(areas);
    at = engine_.FindDialog(serial);
    if (!at || !at->open) break;
    // Nothing marked the window since the last walk: the list still holds.
    areas_current = !at->layout_dirty;
    if (at->layout_dirty && pass < kLayoutPasses) continue;
    TextRenderer& text = TextRenderer::Shared();
    LayoutMetrics metrics;
    metrics.text_width = [&text](const std::string& s) { return text.Width(s); };
    metrics.line_height = text.LineHeight();
    metrics.user_area_min_size = [&sizes](const Gadget& g) -> std::optional<Size> {
      auto found = std::upper_bound(
          sizes.begin(), sizes.end(), g.serial,
          [](uint64_t serial, const AreaMinSize& entry) { return serial < entry.gadget; });
      if (found == sizes.begin() || (found - 1)->gadget != g.serial) return std::nullopt;
      return (found - 1)->size;
    };
    ComputeMinSizes(at->root(), metrics);
    Arrange(at->root(), at->ClientRect(), text.LineHeight());
    at->layout_dirty = false;
    break;
  }
  Dialog* at = engine_.FindDialog(serial);
  if (!at) return;
  at->laying_out = false;
  if (!areas_current) areas = engine_.AttachedAreas(*at);
  NotifySized(areas);
}

bool DialogLayout::VisibleArea(Dialog& dialog, int32_t scroll_group_id, Rect* area) {
  if (!dialog.open) return false;
  EnsureLayout(dialog);
  Gadget* group = dialog.FindKind(scroll_group_id, GadgetKind::kScrollGroup);
  if (!group) return false;
  *area = Rect{group->scroll_x, group->scroll_y, group->viewport.width, group->viewport.height};
  return true;
}

c4d_gadget* DialogLayout::AddGadget(Dialog& dialog, std::unique_ptr<Gadget> gadget) {
  if (!dialog.open) return nullptr;
  return engine_.GadgetHandle(*dialog.Add(std::move(gadget)));
}

bool DialogLayout::BeginGroup(Dialog& dialog, std::unique_ptr<Gadget> group) {
  if (!dialog.open) return false;
  return dialog.BeginGroup(std::move(group)) != nullptr;
}

// Binds to the first user-area gadget with this id. A user area that was
// attached to that gadget before is detached.
c4d_userarea* DialogLayout::Attach(Dialog& dialog, int32_t id, int32_t flags,
                                   const c4d_userarea_callbacks* callbacks, void* self) {
  if (!dialog.open || !callbacks) return nullptr;
  Gadget* gadget = dialog.FindKind(id, GadgetKind::kUserArea);
  if (!gadget) return nullptr;
  if (gadget->area != 0) engine_.DetachArea(gadget->area);
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
  dialog.layout_dirty = true;
  return engine_.AddArea(std::move(area));
}

bool DialogLayout::FlushGroup(Dialog& dialog, int32_t id) {
  if (!dialog.open) return false;
  Gadget* group = dialog.Find(id, [](const Gadget& g) { return g.IsGroup(); });
  if (!group) return false;
  std::vector<std::unique_ptr<Gadget>> removed;
  std::vector<uint64_t> areas;
  dialog.Flush(*group, removed, areas);
  engine_.Bury(std::move(removed), areas);
  return true;
}

bool DialogLayout::RemoveElement(Dialog& dialog, int32_t id) {
  if (!dialog.open) return false;
  Gadget* gadget = dialog.Find(id, [](const Gadget&) { return true; });
  if (!gadget) return false;
  std::vector<uint64_t> areas;
  std::vector<std::unique_ptr<Gadget>> removed;
  removed.push_back(dialog.Remove(*gadget, areas));
  engine_.Bury(std::move(removed), areas);
  return true;
}

// The module may know more than the tree shows (a user area's minimum size
// follows the module's own state), so the whole window is laid out again,
// once for a run of such calls (a grid rebuild makes two in a row).
void DialogLayout::LayoutChanged(Dialog& dialog) {
  if (!dialog.open) return;
  dialog.layout_dirty = true;
  if (!dialog.laying_out) engine_.RequestLayout(dialog);
}

bool DialogLayout::Resize(Dialog& dialog, int32_t width, int32_t height) {
  if (!dialog.open) return false;
  const uint64_t serial = dialog.serial();
  dialog.size =
      Size{std::clamp(width, 1, Canvas::kMaxSide), std::clamp(height, 1, Canvas::kMaxSide)};
  dialog.layout_dirty = true;
  LayoutNow(dialog);
  engine_.SendSimpleMessage(serial, C4D_BFM_SIZED);
  if (Dialog* at = engine_.FindDialog(serial)) EnsureLayout(*at);
  return true;
}

}  // namespace simhost
