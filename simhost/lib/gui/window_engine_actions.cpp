// What the host and the user do to windows: resizing, mouse and wheel,
// choosing entries, closing, saving layouts, timers and core messages.
#include <algorithm>

#include "container_access.h"
#include "window_engine.h"

namespace simhost {

namespace {
constexpr int32_t kCoreMessageFlag = 4;  // the area wants core messages
}  // namespace

InputEvent InputEvent::Click(int32_t channel) {
  InputEvent event;
  event.channel = channel;
  return event;
}

InputEvent InputEvent::Wheel(int32_t value) {
  InputEvent event;
  event.channel = C4D_BFM_INPUT_MOUSEWHEEL;
  event.value = value;
  return event;
}

bool WindowEngine::Resize(Dialog& dialog, int32_t width, int32_t height) {
  if (!dialog.open) return false;
  const uint64_t serial = dialog.serial();
  dialog.size =
      Size{std::clamp(width, 1, Canvas::kMaxSide), std::clamp(height, 1, Canvas::kMaxSide)};
  dialog.layout_dirty = true;
  LayoutNow(dialog);
  SendSimpleMessage(serial, C4D_BFM_SIZED);
  if (Dialog* at = FindDialog(serial)) EnsureLayout(*at);
  return true;
}

int32_t WindowEngine::SendCursorInfo(Dialog& dialog, int32_t x, int32_t y) {
  if (!dialog.open) return 0;
  OwnedContainer message(containers(), C4D_BFM_GETCURSORINFO);
  message.SetInt(C4D_BFM_INPUT_X, x);
  message.SetInt(C4D_BFM_INPUT_Y, y);
  OwnedContainer result(containers(), 0);
  return CallMessage(dialog.serial(), message.get(), result.get());
}

// ask_close answering true keeps the window open.
bool WindowEngine::UserClose(Dialog& dialog) {
  if (!dialog.open || !dialog.callbacks) return false;
  const uint64_t serial = dialog.serial();
  if (dialog.callbacks->ask_close && dialog.callbacks->ask_close(dialog.self)) return false;
  Dialog* at = FindDialog(serial);
  return at && Close(*at);
}

SavedLayout WindowEngine::SaveLayout(Dialog& dialog) {
  SavedLayout saved;
  if (!dialog.open) return saved;
  const uint64_t serial = dialog.serial();
  saved.plugin_id = dialog.plugin_id;
  saved.sub_id = dialog.sub_id;
  saved.width = dialog.size.width;
  saved.height = dialog.size.height;
  OwnedContainer message(containers(), C4D_BFM_LAYOUT_GETDATA);
  // An answer keeps the id -1 unless the dialog gives one.
  OwnedContainer result(containers(), -1);
  CallMessage(serial, message.get(), result.get());
  if (ContainerId(containers(), result.get(), -1) != -1) {
    saved.data = SharedClone(containers(), result.get());
  }
  return saved;
}

bool WindowEngine::ChooseComboValue(Dialog& dialog, int32_t id, int32_t value) {
  if (!dialog.open) return false;
  Gadget* combo = dialog.FindKind(id, GadgetKind::kComboBox);
  if (!combo || !combo->enabled || !Shown(*combo)) return false;
  bool listed = std::any_of(combo->entries.begin(), combo->entries.end(),
                            [value](const ComboEntry& e) { return e.value == value; });
  if (!listed) return false;
  combo->int_value = value;
  combo->float_value = value;
  OwnedContainer action(containers(), C4D_BFM_ACTION);
  action.SetInt(C4D_BFM_ACTION_ID, id);
  action.SetInt(C4D_BFM_ACTION_VALUE, value);
  CallCommand(dialog.serial(), id, action.get());
  return true;
}

bool WindowEngine::ChooseComboText(Dialog& dialog, int32_t id, const std::string& text) {
  if (!dialog.open) return false;
  Gadget* combo = dialog.FindKind(id, GadgetKind::kComboBox);
  if (!combo) return false;
  for (const ComboEntry& entry : combo->entries) {
    if (entry.text == text) return ChooseComboValue(dialog, id, entry.value);
  }
  return false;
}

bool WindowEngine::ClickGadget(Dialog& dialog, int32_t id) {
  if (!dialog.open) return false;
  Gadget* gadget = dialog.Find(id, [](const Gadget& g) {
    return g.kind == GadgetKind::kButton || g.kind == GadgetKind::kCheckbox;
  });
  if (!gadget || !gadget->enabled || !Shown(*gadget)) return false;
  if (gadget->kind == GadgetKind::kCheckbox) gadget->int_value = gadget->int_value ? 0 : 1;
  OwnedContainer action(containers(), C4D_BFM_ACTION);
  action.SetInt(C4D_BFM_ACTION_ID, id);
  action.SetInt(C4D_BFM_ACTION_VALUE, gadget->int_value);
  CallCommand(dialog.serial(), id, action.get());
  return true;
}

// The area's input_event sees the event first; a wheel it leaves to the
// host (answering false without the default handling having scrolled)
// scrolls the enclosing group.
bool WindowEngine::DeliverInput(Dialog& dialog, uint64_t gadget_serial, const InputEvent& event) {
  const uint64_t serial = dialog.serial();
  Gadget* gadget = dialog.FindBySerial(gadget_serial);
  if (!gadget || !gadget->enabled) return false;
  const bool wheel =
      event.device == C4D_BFM_INPUT_MOUSE && event.channel == C4D_BFM_INPUT_MOUSEWHEEL;
  UserArea* area = FindArea(gadget->area);
  if (!area || !area->callbacks || !area->callbacks->input_event) {
    return wheel && ScrollByWheel(dialog, gadget_serial, event.value);
  }
  OwnedContainer message(containers(), C4D_BFM_INPUT);
  message.SetInt(C4D_BFM_INPUT_DEVICE, event.device);
  message.SetInt(C4D_BFM_INPUT_CHANNEL, event.channel);
  message.SetInt(C4D_BFM_INPUT_VALUE, event.value);
  message.SetInt(C4D_BFM_INPUT_QUALIFIER, event.qualifiers);
  message.SetInt(C4D_BFM_INPUT_X, event.x.value_or(gadget->rect.width / 2));
  message.SetInt(C4D_BFM_INPUT_Y, event.y.value_or(gadget->rect.height / 2));
  wheel_consumed_ = false;
  bool handled = area->callbacks->input_event(area->self, message.get()) != 0;
  Dialog* at = FindDialog(serial);
  if (!handled && wheel && !wheel_consumed_ && at && at->open) {
    ScrollByWheel(*at, gadget_serial, event.value);
  }
  return true;
}

bool WindowEngine::SendInput(Dialog& dialog, int32_t gadget_id, const InputEvent& event) {
  if (!dialog.open) return false;
  EnsureLayout(dialog);
  Gadget* gadget = dialog.FindKind(gadget_id, GadgetKind::kUserArea);
  if (!gadget || !Shown(*gadget)) return false;
  return DeliverInput(dialog, gadget->serial, event);
}

// The topmost user area under the point gets the event; a wheel over no
// user area scrolls the innermost scroll group under the point.
bool WindowEngine::SendInputAt(Dialog& dialog, int32_t x, int32_t y, const InputEvent& event) {
  if (!dialog.open) return false;
  EnsureLayout(dialog);
  const Rect client = dialog.ClientRect();
  Gadget* area_hit = nullptr;
  Gadget* scroll_hit = nullptr;
  WalkTree(dialog.root(), [&](Gadget& g) {
    Rect seen = Intersect(ScreenRect(g), VisibleClip(g, client));
    if (!Shown(g) || !seen.Contains(x, y)) return true;
    if (g.kind == GadgetKind::kUserArea) area_hit = &g;
    if (g.kind == GadgetKind::kScrollGroup) scroll_hit = &g;
    return true;
  });
  if (area_hit) {
    Rect place = ScreenRect(*area_hit);
    InputEvent local = event;
    local.x = x - place.x;
    local.y = y - place.y;
    return DeliverInput(dialog, area_hit->serial, local);
  }
  const bool wheel =
      event.device == C4D_BFM_INPUT_MOUSE && event.channel == C4D_BFM_INPUT_MOUSEWHEEL;
  return wheel && scroll_hit && ScrollByWheel(dialog, scroll_hit->serial, event.value);
}

void WindowEngine::FireTimer(Dialog& dialog) {
  if (!dialog.open || dialog.timer_ms <= 0 || !dialog.callbacks || !dialog.callbacks->timer) return;
  OwnedContainer message(containers(), C4D_BFM_TIMER_MESSAGE);
  dialog.callbacks->timer(dialog.self, message.get());
}

void WindowEngine::BroadcastCoreMessage(int32_t id) {
  OwnedContainer message(containers(), C4D_BFM_CORE_MESSAGE);
  std::vector<uint64_t> areas;
  for (uint64_t serial : DialogSerials()) {
    Dialog* dialog = FindDialog(serial);
    if (!dialog || !dialog->open) continue;
    for (uint64_t area : AttachedAreas(*dialog)) areas.push_back(area);
    if (dialog->callbacks && dialog->callbacks->core_message) {
      dialog->callbacks->core_message(dialog->self, id, message.get());
    }
  }
  for (uint64_t serial : areas) {
    UserArea* area = FindArea(serial);
    if (!area || !AttachedGadget(*area) || !(area->flags & kCoreMessageFlag)) continue;
    if (area->callbacks && area->callbacks->core_message) {
      area->callbacks->core_message(area->self, id, message.get());
    }
  }
}

}  // namespace simhost
