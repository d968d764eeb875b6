// What the user does to windows: the cursor, mouse and wheel, choosing
// entries, clicking, timers and core messages, and a user area's messages
// to its dialog.
#include <algorithm>

#include "container_access.h"
#include "window_engine.h"

namespace simhost {

namespace {
constexpr int32_t kCoreMessageFlag = 4;  // the area wants core messages
constexpr int32_t kWheelNotch = 120;
constexpr int32_t kWheelStep = 60;  // pixels per notch
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

int32_t DialogInput::SendCursorInfo(Dialog& dialog, int32_t x, int32_t y) {
  if (!dialog.open) return 0;
  OwnedContainer message(engine_.containers(), C4D_BFM_GETCURSORINFO);
  message.SetInt(C4D_BFM_INPUT_X, x);
  message.SetInt(C4D_BFM_INPUT_Y, y);
  OwnedContainer result(engine_.containers(), 0);
  return engine_.CallMessage(dialog.serial(), message.get(), result.get());
}

bool DialogInput::ChooseComboValue(Dialog& dialog, int32_t id, int32_t value) {
  if (!dialog.open) return false;
  Gadget* combo = dialog.FindKind(id, GadgetKind::kComboBox);
  if (!combo || !combo->enabled || !Shown(*combo)) return false;
  bool listed = std::any_of(combo->entries.begin(), combo->entries.end(),
                            [value](const ComboEntry& e) { return e.value == value; });
  if (!listed) return false;
  combo->int_value = value;
  combo->float_value = value;
  OwnedContainer action(engine_.containers(), C4D_BFM_ACTION);
  action.SetInt(C4D_BFM_ACTION_ID, id);
  action.SetInt(C4D_BFM_ACTION_VALUE, value);
  engine_.CallCommand(dialog.serial(), id, action.get());
  return true;
}

bool DialogInput::ChooseComboText(Dialog& dialog, int32_t id, const std::string& text) {
  if (!dialog.open) return false;
  Gadget* combo = dialog.FindKind(id, GadgetKind::kComboBox);
  if (!combo) return false;
  for (const ComboEntry& entry : combo->entries) {
    if (entry.text == text) return ChooseComboValue(dialog, id, entry.value);
  }
  return false;
}

bool DialogInput::ClickGadget(Dialog& dialog, int32_t id) {
  if (!dialog.open) return false;
  Gadget* gadget = dialog.Find(id, [](const Gadget& g) {
    return g.kind == GadgetKind::kButton || g.kind == GadgetKind::kCheckbox;
  });
  if (!gadget || !gadget->enabled || !Shown(*gadget)) return false;
  if (gadget->kind == GadgetKind::kCheckbox) gadget->int_value = gadget->int_value ? 0 : 1;
  OwnedContainer action(engine_.containers(), C4D_BFM_ACTION);
  action.SetInt(C4D_BFM_ACTION_ID, id);
  action.SetInt(C4D_BFM_ACTION_VALUE, gadget->int_value);
  engine_.CallCommand(dialog.serial(), id, action.get());
  return true;
}

// The area's input_event sees the event first; a wheel it leaves to the
// host (answering false without the default handling having scrolled)
// scrolls the enclosing group.
bool DialogInput::DeliverInput(Dialog& dialog, uint64_t gadget_serial, const InputEvent& event) {
  const uint64_t serial = dialog.serial();
  Gadget* gadget = dialog.FindBySerial(gadget_serial);
  if (!gadget || !gadget->enabled) return false;
  const bool wheel =
      event.device == C4D_BFM_INPUT_MOUSE && event.channel == C4D_BFM_INPUT_MOUSEWHEEL;
  UserArea* area = engine_.FindArea(gadget->area);
  if (!area || !area->callbacks || !area->callbacks->input_event) {
    return wheel && ScrollByWheel(dialog, gadget_serial, event.value);
  }
  OwnedContainer message(engine_.containers(), C4D_BFM_INPUT);
  message.SetInt(C4D_BFM_INPUT_DEVICE, event.device);
  message.SetInt(C4D_BFM_INPUT_CHANNEL, event.channel);
  message.SetInt(C4D_BFM_INPUT_VALUE, event.value);
  message.SetInt(C4D_BFM_INPUT_QUALIFIER, event.qualifiers);
  message.SetInt(C4D_BFM_INPUT_X, event.x.value_or(gadget->rect.width / 2));
  message.SetInt(C4D_BFM_INPUT_Y, event.y.value_or(gadget->rect.height / 2));
  wheel_consumed_ = false;
  bool handled = area->callbacks->input_event(area->self, message.get()) != 0;
  Dialog* at = engine_.FindDialog(serial);
  if (!handled && wheel && !wheel_consumed_ && at && at->open) {
    ScrollByWheel(*at, gadget_serial, event.value);
  }
  return true;
}

bool DialogInput::SendInput(Dialog& dialog, int32_t gadget_id, const InputEvent& event) {
  if (!dialog.open) return false;
  engine_.layout().EnsureLayout(dialog);
  Gadget* gadget = dialog.FindKind(gadget_id, GadgetKind::kUserArea);
  if (!gadget || !Shown(*gadget)) return false;
  return DeliverInput(dialog, gadget->serial, event);
}

// The topmost user area under the point gets the event; a wheel over no
// user area scrolls the innermost scroll group under the point.
bool DialogInput::SendInputAt(Dialog& dialog, int32_t x, int32_t y, const InputEvent& event) {
  if (!dialog.open) return false;
  engine_.layout().EnsureLayout(dialog);
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

void DialogInput::FireTimer(Dialog& dialog) {
  if (!dialog.open || dialog.timer_ms <= 0 || !dialog.callbacks || !dialog.callbacks->timer) return;
  OwnedContainer message(engine_.containers(), C4D_BFM_TIMER_MESSAGE);
  dialog.callbacks->timer(dialog.self, message.get());
}

void DialogInput::BroadcastCoreMessage(int32_t id) {
  OwnedContainer message(engine_.containers(), C4D_BFM_CORE_MESSAGE);
  std::vector<uint64_t> areas;
  for (uint64_t serial : engine_.DialogSerials()) {
    Dialog* dialog = engine_.FindDialog(serial);
    if (!dialog || !dialog->open) continue;
    for (uint64_t area : engine_.AttachedAreas(*dialog)) areas.push_back(area);
    if (dialog->callbacks && dialog->callbacks->core_message) {
      dialog->callbacks->core_message(dialog->self, id, message.get());
    }
  }
  for (uint64_t serial : areas) {
    UserArea* area = engine_.FindArea(serial);
    if (!area || !engine_.AttachedGadget(*area) || !(area->flags & kCoreMessageFlag)) continue;
    if (area->callbacks && area->callbacks->core_message) {
      area->callbacks->core_message(area->self, id, message.get());
    }
  }
}

// Scrolls the scroll group that is or holds gadget. A wheel turned away
// from the user (a positive value) scrolls up; groups that only scroll
// sideways take the wheel sideways.
bool DialogInput::ScrollByWheel(Dialog& dialog, uint64_t gadget_serial, int32_t wheel_value) {
  engine_.layout().EnsureLayout(dialog);
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

// An action reaches the dialog as a command with the id the message names;
// everything else as a message.
bool DialogInput::SendParentMessage(UserArea& area, const c4d_container* message) {
  if (!engine_.AttachedGadget(area) || !message) return false;
  const uint64_t dialog = area.dialog;
  if (ContainerId(engine_.containers(), message, 0) == C4D_BFM_ACTION) {
    int32_t id = ReadInt(engine_.containers(), message, C4D_BFM_ACTION_ID).value_or(area.gadget_id);
    engine_.CallCommand(dialog, id, message);
    return true;
  }
  OwnedContainer result(engine_.containers(), 0);
  engine_.CallMessage(dialog, message, result.get());
  return true;
}

bool DialogInput::DefaultInputEvent(UserArea& area, const c4d_container* message) {
  Gadget* gadget = engine_.AttachedGadget(area);
  if (!gadget) return false;
  const c4d_container_api& api = engine_.containers();
  if (ReadInt(api, message, C4D_BFM_INPUT_DEVICE).value_or(0) != C4D_BFM_INPUT_MOUSE ||
      ReadInt(api, message, C4D_BFM_INPUT_CHANNEL).value_or(0) != C4D_BFM_INPUT_MOUSEWHEEL) {
    return false;
  }
  Dialog* dialog = engine_.FindDialog(area.dialog);
  return ScrollByWheel(*dialog, gadget->serial,
                       ReadInt(api, message, C4D_BFM_INPUT_VALUE).value_or(0));
}

}  // namespace simhost
