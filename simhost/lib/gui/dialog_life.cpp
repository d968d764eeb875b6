// Dialog life: creation, opening, closing, saved layouts, the host's
// default answers.
#include <algorithm>

#include "container_access.h"
#include "window_engine.h"

namespace simhost {

namespace {
constexpr int32_t kMinFittedWidth = 200;
constexpr int32_t kMinFittedHeight = 100;
constexpr int32_t kAsyncDialog = 20;
}  // namespace

c4d_dialog* DialogLife::CreateDialog(const c4d_dialog_callbacks* callbacks, void* self) {
  auto dialog = std::make_unique<Dialog>(callbacks, self);
  c4d_dialog* handle = dialog->handle();
  engine_.AddDialog(std::move(dialog));
  return handle;
}

// The handle's owner destroys it: the window goes without a word to the
// module, and its user areas stay detached until the module releases them.
void DialogLife::DestroyDialog(Dialog& dialog) {
  const uint64_t serial = dialog.serial();
  engine_.TakeDownWindow(dialog);
  dialog.callbacks = nullptr;
  engine_.RemoveDialog(serial);
}

bool DialogLife::CallCreateLayout(uint64_t serial) {
  Dialog* dialog = engine_.FindDialog(serial);
  if (!dialog || !dialog->callbacks) return false;
  if (!dialog->callbacks->create_layout) return DefaultCreateLayout(*dialog);
  return dialog->callbacks->create_layout(dialog->self) != 0;
}

bool DialogLife::CallInitValues(uint64_t serial) {
  Dialog* dialog = engine_.FindDialog(serial);
  if (!dialog || !dialog->callbacks) return false;
  if (!dialog->callbacks->init_values) return DefaultInitValues(*dialog);
  return dialog->callbacks->init_values(dialog->self) != 0;
}

void DialogLife::FitWindowToContent(Dialog& dialog) {
  engine_.layout().LayoutNow(dialog);
  const Size& content = dialog.root().min_size;
  dialog.size.width = std::clamp(content.width, kMinFittedWidth, Canvas::kMaxSide);
  dialog.size.height =
      std::clamp(content.height + kTitleBarHeight, kMinFittedHeight, Canvas::kMaxSide);
  dialog.layout_dirty = true;
}

// Opening an open window only brings it to the front: nothing is rebuilt
// and the module is not called. Otherwise the window is built the way the
// host builds it: CreateLayout, then InitValues, then a layout pass. A
// window whose CreateLayout or InitValues fails is taken down again
// without a destroy message, since it was never shown.
bool DialogLife::Open(Dialog& dialog, int32_t type, int32_t plugin_id, int32_t x, int32_t y,
                      int32_t width, int32_t height, int32_t sub_id) {
  if (dialog.open) {
    ++dialog.raise_count;
    return true;
  }
  const uint64_t serial = dialog.serial();
  dialog.type = type;
  dialog.plugin_id = plugin_id;
  dialog.sub_id = sub_id;
  dialog.x = x;
  dialog.y = y;
  const bool fit = width <= 0 || height <= 0;
  if (!fit) {
    dialog.size = Size{std::min(width, Canvas::kMaxSide), std::min(height, Canvas::kMaxSide)};
  }
  dialog.ResetTree();
  dialog.open = true;
  dialog.destroy_window_done = false;
  bool built = CallCreateLayout(serial);
  Dialog* again = engine_.FindDialog(serial);
  if (!again || !again->open) return false;
  if (built && fit) FitWindowToContent(*again);
  built = built && CallInitValues(serial);
  again = engine_.FindDialog(serial);
  if (!again || !again->open) return false;
  if (!built) {
    engine_.TakeDownWindow(*again);
    return false;
  }
  engine_.layout().EnsureLayout(*again);
  return true;
}

void DialogLife::SendDestroy(uint64_t serial) {
  engine_.SendSimpleMessage(serial, C4D_BFM_DESTROY);
  Dialog* dialog = engine_.FindDialog(serial);
  if (!dialog || dialog->destroy_window_done || !dialog->callbacks) return;
  dialog->destroy_window_done = true;
  if (dialog->callbacks->destroy_window) dialog->callbacks->destroy_window(dialog->self);
}

// The destroy message goes first, then destroy_window (unless the host's
// default handling of that message already ran it); the window's gadgets
// stay until both have returned, so the module can still read them.
bool DialogLife::Close(Dialog& dialog) {
  if (!dialog.open) return false;
  if (dialog.closing) return true;
  const uint64_t serial = dialog.serial();
  dialog.closing = true;
  SendDestroy(serial);
  Dialog* again = engine_.FindDialog(serial);
  if (again && again->open) engine_.TakeDownWindow(*again);
  return true;
}

bool DialogLife::RestoreLayout(Dialog& dialog, int32_t plugin_id, int32_t sub_id,
                               const SavedLayout* saved) {
  int32_t width = saved && saved->width > 0 ? saved->width : dialog.size.width;
  int32_t height = saved && saved->height > 0 ? saved->height : dialog.size.height;
  const uint64_t serial = dialog.serial();
  if (!Open(dialog, kAsyncDialog, plugin_id, -1, -1, width, height, sub_id)) return false;
  OwnedContainer message(engine_.containers(), C4D_BFM_LAYOUT_SETDATA);
  if (saved && saved->data) message.SetContainer(C4D_BFM_LAYOUT_SETDATA, saved->data.get());
  OwnedContainer result(engine_.containers(), 0);
  engine_.CallMessage(serial, message.get(), result.get());
  return true;
}

bool DialogLife::DefaultCreateLayout(Dialog&) const { return !default_create_layout_fails_; }

bool DialogLife::DefaultInitValues(Dialog&) const { return !default_init_values_fails_; }

// The host answers 0 to everything; the destroy message runs
// destroy_window, once per opening of the window.
int32_t DialogLife::DefaultMessage(Dialog& dialog, const c4d_container* message) {
  if (ContainerId(engine_.containers(), message, 0) != C4D_BFM_DESTROY) return 0;
  if (dialog.destroy_window_done || !dialog.callbacks) return 0;
  dialog.destroy_window_done = true;
  if (dialog.callbacks->destroy_window) dialog.callbacks->destroy_window(dialog.self);
  return 0;
}

void DialogLife::CloseAllWindows() {
  for (uint64_t serial : engine_.DialogSerials()) {
    Dialog* dialog = engine_.FindDialog(serial);
    if (dialog && dialog->open) Close(*dialog);
  }
  engine_.ForgetEverything();
}

void DialogLife::SetDefaultFailures(std::optional<bool> create_layout,
                                    std::optional<bool> init_values) {
  if (create_layout) default_create_layout_fails_ = *create_layout;
  if (init_values) default_init_values_fails_ = *init_values;
}

// ask_close answering true keeps the window open.
bool DialogLife::UserClose(Dialog& dialog) {
  if (!dialog.open || !dialog.callbacks) return false;
  const uint64_t serial = dialog.serial();
  if (dialog.callbacks->ask_close && dialog.callbacks->ask_close(dialog.self)) return false;
  Dialog* at = engine_.FindDialog(serial);
  return at && Close(*at);
}

SavedLayout DialogLife::SaveLayout(Dialog& dialog) {
  SavedLayout saved;
  if (!dialog.open) return saved;
  const uint64_t serial = dialog.serial();
  saved.plugin_id = dialog.plugin_id;
  saved.sub_id = dialog.sub_id;
  saved.width = dialog.size.width;
  saved.height = dialog.size.height;
  OwnedContainer message(engine_.containers(), C4D_BFM_LAYOUT_GETDATA);
  // An answer keeps the id -1 unless the dialog gives one.
  OwnedContainer result(engine_.containers(), -1);
  engine_.CallMessage(serial, message.get(), result.get());
  if (ContainerId(engine_.containers(), result.get(), -1) != -1) {
    saved.data = SharedClone(engine_.containers(), result.get());
  }
  return saved;
}

}  // namespace simhost
