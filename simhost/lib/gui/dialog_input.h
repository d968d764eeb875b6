// What the user does to a window, and the host's messages that come with
// it: the cursor, mouse and wheel, combo boxes, buttons, timers, core
// messages, and what a user area sends its dialog.
#pragma once

#include <cstdint>
#include <string>

#include "c4d_function_table.h"
#include "dialog.h"
#include "window_system.h"

namespace simhost {

class WindowEngine;
struct UserArea;

class DialogInput {
 public:
  explicit DialogInput(WindowEngine& engine) : engine_(engine) {}

  int32_t SendCursorInfo(Dialog& dialog, int32_t x, int32_t y);
  bool ChooseComboValue(Dialog& dialog, int32_t id, int32_t value);
  bool ChooseComboText(Dialog& dialog, int32_t id, const std::string& text);
  bool ClickGadget(Dialog& dialog, int32_t id);
  bool SendInput(Dialog& dialog, int32_t gadget_id, const InputEvent& event);
  bool SendInputAt(Dialog& dialog, int32_t x, int32_t y, const InputEvent& event);
  void FireTimer(Dialog& dialog);
  void BroadcastCoreMessage(int32_t id);

  // A user area's own calls: a message to its dialog, and the host's
  // default handling of an input event (the wheel scrolls).
  bool SendParentMessage(UserArea& area, const c4d_container* message);
  bool DefaultInputEvent(UserArea& area, const c4d_container* message);

 private:
  bool DeliverInput(Dialog& dialog, uint64_t gadget, const InputEvent& event);
  // Scrolls the scroll group enclosing gadget by a wheel value.
  bool ScrollByWheel(Dialog& dialog, uint64_t gadget, int32_t wheel_value);

  WindowEngine& engine_;
  bool wheel_consumed_ = false;
};

}  // namespace simhost
