// Dialog life: creation, opening, closing, layout records, forgetting.
#include <algorithm>

#include "container_access.h"
#include "window_engine.h"

namespace simhost {

namespace {
constexpr int32_t kMinFittedWidth = 200;
constexpr int32_t kMinFittedHeight = 100;
constexpr int32_t kAsyncDialog = 20;
}  // namespace

c4d_dialog* WindowEngine::CreateDialog(const c4d_dialog_callbacks* callbacks, void* self) {
  auto dialog = std::make_unique<Dialog>(callbacks, self);
  c4d_dialog* handle = dialog->handle();
  dialogs_[dialog->serial()] = std::move(dialog);
  return handle;
}

// The handle's owner destroys it: the window goes without a word to the
// module, and its user areas stay detached until the module releases them.
void WindowEngine::DestroyDialog(Dialog& dialog) {
  uint64_t serial = dialog.serial();
  TakeDownWindow(dialog);
  dialog.callbacks = nullptr;
  for (auto& entry : areas_) {
    if (entry.second->dialog == serial) entry.second->dialog = 0;
  }
  auto found = dialogs_.find(serial);
  Bury(std::move(found->second));
  dialogs_.erase(found);
}

void WindowEngine::TakeDownWindow(Dialog& dialog) {
  std::vector<std::unique_ptr<Gadget>> removed;
  std::vector<uint64_t> areas;
  dialog.Clear(removed, areas);
  Bury(std::move(removed), areas);
  dialog.open = false;
  dialog.closing = false;
  dialog.canvas.Resize(0, 0, Rgb{});
}

bool WindowEngine::CallCreateLayout(uint64_t serial) {
  Dialog* dialog = FindDialog(serial);
  if (!dialog || !dialog->callbacks) return false;
  if (!dialog->callbacks->create_layout) return DefaultCreateLayout(*dialog);
  return dialog->callbacks->create_layout(dialog->self) != 0;
}

bool WindowEngine::CallInitValues(uint64_t serial) {
  Dialog* dialog = FindDialog(serial);
  if (!dialog || !dialog->callbacks) return false;
  if (!dialog->callbacks->init_values) return DefaultInitValues(*dialog);
  return dialog->callbacks->init_values(dialog->self) != 0;
}

int32_t WindowEngine::CallMessage(uint64_t serial, const c4d_container* message,
                                  c4d_container* result) {
  Dialog* dialog = FindDialog(serial);
  if (!dialog || !dialog->callbacks) return 0;
  if (!dialog->callbacks->message) return DefaultMessage(*dialog, message);
  OwnedContainer scratch(containers(), 0);
  return dialog->callbacks->message(dialog->self, message, result ? result : scratch.get());
}

bool WindowEngine::CallCommand(uint64_t serial, int32_t id, const c4d_container* message) {
  Dialog* dialog = FindDialog(serial);
  if (!dialog || !dialog->open || !dialog->callbacks || !dialog->callbacks->command) return false;
  return dialog->callbacks->command(dialog->self, id, message) != 0;
}

int32_t WindowEngine::SendSimpleMessage(uint64_t dialog, int32_t id) {
  OwnedContainer message(containers(), id);
  OwnedContainer result(containers(), 0);
  return CallMessage(dialog, message.get(), result.get());
}

void WindowEngine::FitWindowToContent(Dialog& dialog) {
  LayoutNow(dialog);
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
bool WindowEngine::Open(Dialog& dialog, int32_t type, int32_t plugin_id, int32_t x, int32_t y,
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
  Dialog* again = FindDialog(serial);
  if (!again || !again->open) return false;
  if (built && fit) FitWindowToContent(*again);
  built = built && CallInitValues(serial);
  again = FindDialog(serial);
  if (!again || !again->open) return false;
  if (!built) {
    TakeDownWindow(*again);
    return false;
  }
  EnsureLayout(*again);
  return true;
}

void WindowEngine::SendDestroy(uint64_t serial) {
  SendSimpleMessage(serial, C4D_BFM_DESTROY);
  Dialog* dialog = FindDialog(serial);
  if (!dialog || dialog->destroy_window_done || !dialog->callbacks) return;
  dialog->destroy_window_done = true;
  if (dialog->callbacks->destroy_window) dialog->callbacks->destroy_window(dialog->self);
}

// The destroy message goes first, then destroy_window (unless the host's
// default handling of that message already ran it); the window's gadgets
// stay until both have returned, so the module can still read them.
bool WindowEngine::Close(Dialog& dialog) {
  if (!dialog.open) return false;
  if (dialog.closing) return true;
  const uint64_t serial = dialog.serial();
  dialog.closing = true;
  SendDestroy(serial);
  Dialog* again = FindDialog(serial);
  if (again && again->open) TakeDownWindow(*again);
  return true;
}

bool WindowEngine::RestoreLayout(Dialog& dialog, int32_t plugin_id, int32_t sub_id,
                                 const SavedLayout* saved) {
  int32_t width = saved && saved->width > 0 ? saved->width : dialog.size.width;
  int32_t height = saved && saved->height > 0 ? saved->height : dialog.size.height;
  const uint64_t serial = dialog.serial();
  if (!Open(dialog, kAsyncDialog, plugin_id, -1, -1, width, height, sub_id)) return false;
  OwnedContainer message(containers(), C4D_BFM_LAYOUT_SETDATA);
  if (saved && saved->data) message.SetContainer(C4D_BFM_LAYOUT_SETDATA, saved->data.get());
  OwnedContainer result(containers(), 0);
  CallMessage(serial, message.get(), result.get());
  return true;
}

bool WindowEngine::DefaultCreateLayout(Dialog&) const { return !default_create_layout_fails_; }

bool WindowEngine::DefaultInitValues(Dialog&) const { return !default_init_values_fails_; }

// The host answers 0 to everything; the destroy message runs
// destroy_window, once per opening of the window.
int32_t WindowEngine::DefaultMessage(Dialog& dialog, const c4d_container* message) {
  if (ContainerId(containers(), message, 0) != C4D_BFM_DESTROY) return 0;
  if (dialog.destroy_window_done || !dialog.callbacks) return 0;
  dialog.destroy_window_done = true;
  if (dialog.callbacks->destroy_window) dialog.callbacks->destroy_window(dialog.self);
  return 0;
}

void WindowEngine::CloseAllWindows() {
  for (uint64_t serial : DialogSerials()) {
    Dialog* dialog = FindDialog(serial);
    if (dialog && dialog->open) Close(*dialog);
  }
  ForgetEverything();
}

void WindowEngine::ForgetEverything() {
  for (auto& entry : dialogs_) {
    TakeDownWindow(*entry.second);
    entry.second->callbacks = nullptr;
    Bury(std::move(entry.second));
  }
  dialogs_.clear();
  for (auto& entry : areas_) {
    entry.second->callbacks = nullptr;
    dead_areas_.push_back(std::move(entry.second));
  }
  areas_.clear();
  drawing_.clear();
}

}  // namespace simhost
