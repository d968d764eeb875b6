// A dialog's life: creation, opening (CreateLayout, InitValues, the first
// layout), closing, saved window layouts, the host's default answers, and
// forgetting every window before the module goes.
#pragma once

#include <cstdint>
#include <optional>

#include "c4d_function_table.h"
#include "dialog.h"
#include "window_system.h"

namespace simhost {

class WindowEngine;

class DialogLife {
 public:
  explicit DialogLife(WindowEngine& engine) : engine_(engine) {}

  c4d_dialog* CreateDialog(const c4d_dialog_callbacks* callbacks, void* self);
  void DestroyDialog(Dialog& dialog);
  bool Open(Dialog& dialog, int32_t type, int32_t plugin_id, int32_t x, int32_t y, int32_t width,
            int32_t height, int32_t sub_id);
  bool Close(Dialog& dialog);
  // The user clicks the close box: ask_close decides.
  bool UserClose(Dialog& dialog);
  SavedLayout SaveLayout(Dialog& dialog);
  bool RestoreLayout(Dialog& dialog, int32_t plugin_id, int32_t sub_id, const SavedLayout* saved);
  void CloseAllWindows();

  // The host's answers where the module's dialog gives none.
  bool DefaultCreateLayout(Dialog& dialog) const;
  bool DefaultInitValues(Dialog& dialog) const;
  int32_t DefaultMessage(Dialog& dialog, const c4d_container* message);
  void SetDefaultFailures(std::optional<bool> create_layout, std::optional<bool> init_values);

 private:
  void SendDestroy(uint64_t dialog);
  bool CallCreateLayout(uint64_t dialog);
  bool CallInitValues(uint64_t dialog);
  void FitWindowToContent(Dialog& dialog);

  WindowEngine& engine_;
  bool default_create_layout_fails_ = false;
  bool default_init_values_fails_ = false;
};

}  // namespace simhost
