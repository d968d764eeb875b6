// Laying windows out, with the module's user areas asked for their sizes.
#include <algorithm>

#include "text_renderer.h"
#include "window_engine.h"

namespace simhost {

namespace {
// Passes a layout may take when the module keeps changing the tree from
// inside the size callbacks; the last pass lays out whatever stands then.
constexpr int kLayoutPasses = 4;
constexpr int32_t kWheelNotch = 120;
constexpr int32_t kWheelStep = 60;  // pixels per notch
}  // namespace

std::vector<uint64_t> WindowEngine::AttachedAreas(Dialog& dialog) {
  std::vector<uint64_t> areas;
  WalkTree(dialog.root(), [&areas](Gadget& g) {
    if (g.kind == GadgetKind::kUserArea && g.area != 0) areas.push_back(g.area);
    return true;
  });
  return areas;
}

// The host sets a user area up when its window first shows it.
void WindowEngine::InitPendingAreas(uint64_t serial) {
  Dialog* dialog = FindDialog(serial);
  if (!dialog) return;
  for (uint64_t area_serial : AttachedAreas(*dialog)) {
    UserArea* area = FindArea(area_serial);
    if (!area || area->initialized || area->gadget == 0 || !area->callbacks) continue;
    area->initialized = true;
    if (area->callbacks->init) area->callbacks->init(area->self);
    area = FindArea(area_serial);
    if (area && area->gadget != 0 && area->callbacks && area->callbacks->init_values) {
      area->callbacks->init_values(area->self);
    }
  }
}

std::map<uint64_t, Size> WindowEngine::CollectMinSizes(uint64_t serial) {
  std::map<uint64_t, Size> sizes;
  Dialog* dialog = FindDialog(serial);
  if (!dialog) return sizes;
  for (uint64_t area_serial : AttachedAreas(*dialog)) {
    UserArea* area = FindArea(area_serial);
    if (!area || area->gadget == 0 || !area->callbacks || !area->callbacks->get_min_size) continue;
    const uint64_t gadget = area->gadget;
    int32_t width = 0;
    int32_t height = 0;
    if (area->callbacks->get_min_size(area->self, &width, &height)) {
      sizes[gadget] = Size{width, height};
    }
  }
  return sizes;
}

void WindowEngine::NotifySized(uint64_t serial) {
  Dialog* dialog = FindDialog(serial);
  if (!dialog) return;
  for (uint64_t area_serial : AttachedAreas(*dialog)) {
    UserArea* area = FindArea(area_serial);
    Gadget* gadget = area ? AttachedGadget(*area) : nullptr;
    if (!gadget || !area->callbacks) continue;
    Size now{gadget->rect.width, gadget->rect.height};
    if (now.width == area->notified_size.width && now.height == area->notified_size.height) {
      continue;
    }
    area->notified_size = now;
    if (area->callbacks->sized) area->callbacks->sized(area->self, now.width, now.height);
  }
}

void WindowEngine::EnsureLayout(Dialog& dialog) {
  if (dialog.open && dialog.layout_dirty) LayoutNow(dialog);
}

// A layout asked for while one runs (from a size callback) only marks the
// window; the running one then goes round again.
void WindowEngine::LayoutNow(Dialog& dialog) {
  if (!dialog.open) return;
  if (dialog.laying_out) {
    dialog.layout_dirty = true;
    return;
  }
  const uint64_t serial = dialog.serial();
  dialog.laying_out = true;
  for (int pass = 1; pass <= kLayoutPasses; ++pass) {
    Dialog* at = FindDialog(serial);
    if (!at || !at->open) break;
    at->layout_dirty = false;
    InitPendingAreas(serial);
    std::map<uint64_t, Size> sizes = CollectMinSizes(serial);
    at = FindDialog(serial);
    if (!at || !at->open) break;
    if (at->layout_dirty && pass < kLayoutPasses) continue;
    TextRenderer& text = TextRenderer::Shared();
    LayoutMetrics metrics;
    metrics.text_width = [&text](const std::string& s) { return text.Width(s); };
    metrics.line_height = text.LineHeight();
    metrics.user_area_min_size = [&sizes](const Gadget& g) -> std::optional<Size> {
      auto found = sizes.find(g.serial);
      if (found == sizes.end()) return std::nullopt;
      return found->second;
    };
    ComputeMinSizes(at->root(), metrics);
    Arrange(at->root(), at->ClientRect(), text.LineHeight());
    at->layout_dirty = false;
    break;
  }
  if (Dialog* at = FindDialog(serial)) at->laying_out = false;
  NotifySized(serial);
}

bool WindowEngine::VisibleArea(Dialog& dialog, int32_t scroll_group_id, Rect* area) {
  if (!dialog.open) return false;
  EnsureLayout(dialog);
  Gadget* group = dialog.FindKind(scroll_group_id, GadgetKind::kScrollGroup);
  if (!group) return false;
  *area = Rect{group->scroll_x, group->scroll_y, group->viewport.width, group->viewport.height};
  return true;
}

// Scrolls the scroll group that is or holds gadget. A wheel turned away
// from the user (a positive value) scrolls up; groups that only scroll
// sideways take the wheel sideways.
bool WindowEngine::ScrollByWheel(Dialog& dialog, uint64_t gadget_serial, int32_t wheel_value) {
  EnsureLayout(dialog);
  Gadget* group = dialog.FindBySerial(gadget_serial);
  while (group && group->kind != GadgetKind::kScrollGroup) group = group->parent;
  if (!group) return false;
  const int64_t pixels = -static_cast<int64_t>(wheel_value) * kWheelStep / kWheelNotch;
  const int32_t step = static_cast<int32_t>(
      std::clamp<int64_t>(pixels, -Canvas::kMaxSide * 16, Canvas::kMaxSide * 16));
  const bool sideways = (group->scroll_flags & (kScrollVertical | kScrollAutoVertical)) == 0;
  if (sideways) {
    group->scroll_x += step;
  } else {
    group->scroll_y += step;
  }
  ClampScroll(*group);
  wheel_consumed_ = true;
  return true;
}

}  // namespace simhost
