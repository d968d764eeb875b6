// The machinery behind the dialog functions of the table and the public
// operations of WindowSystem: the dialogs and user areas by handle, the
// calls into the module's dialogs, and one part per job (dialog life,
// layout, painting, input, inspection).
//
// Safety rules, kept everywhere in this engine:
// - No module callback runs while the engine walks a tree or a list: work
//   is collected first (as serial numbers) and every item is looked up
//   again before its callback.
// - What the module removes while it is being called (gadgets, dialogs,
//   user areas) goes to a graveyard that is emptied only when the
//   outermost call into the engine returns, so no frame below is left
//   holding freed memory.
// - A forgotten dialog or user area has no callbacks and is never called.
// - A layout the module asks for (layout_changed) waits until the module
//   next calls into the engine or the outermost call returns, so a module
//   that asks several times in a row gets one layout, not one per call.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "c4d_function_table.h"
#include "dialog.h"
#include "dialog_input.h"
#include "dialog_inspection.h"
#include "dialog_layout.h"
#include "dialog_life.h"
#include "dialog_painting.h"
#include "layout.h"
#include "window_system.h"

namespace simhost {

struct UserArea {
  uint64_t serial = 0;
  const c4d_userarea_callbacks* callbacks = nullptr;  // null once forgotten
  void* self = nullptr;
  uint64_t dialog = 0;  // 0 when its dialog is gone
  uint64_t gadget = 0;  // 0 when detached
  int32_t gadget_id = 0;
  int32_t flags = 0;
  bool initialized = false;
  Size notified_size{-1, -1};
  Rgb pen{0, 0, 0};

  c4d_userarea* handle() const;
};

class WindowEngine {
 public:
  explicit WindowEngine(const c4d_function_table& table);
  ~WindowEngine();
  WindowEngine(const WindowEngine&) = delete;
  WindowEngine& operator=(const WindowEngine&) = delete;

  // Held by every entry into the engine; see the safety rules above.
  class Activity {
   public:
    // An entry that only asks for a layout leaves the waiting ones waiting.
    enum class Layouts { kRunWaiting, kLeaveWaiting };
    explicit Activity(WindowEngine& engine, Layouts layouts = Layouts::kRunWaiting);
    ~Activity();
    Activity(const Activity&) = delete;
    Activity& operator=(const Activity&) = delete;

   private:
    WindowEngine& engine_;
  };

  // The parts, one per job.
  DialogLife& life() { return life_; }
  DialogLayout& layout() { return layout_; }
  DialogPainting& painting() { return painting_; }
  DialogInput& input() { return input_; }
  DialogInspection& inspection() { return inspection_; }

  const c4d_container_api& containers() const { return *table_.container; }
  const c4d_bitmap_api& bitmaps() const { return *table_.bitmap; }

  // Finding.
  Dialog* FindDialog(const c4d_dialog* handle) const;
  Dialog* FindDialog(uint64_t serial) const;
  UserArea* FindArea(const c4d_userarea* handle) const;
  UserArea* FindArea(uint64_t serial) const;
  std::vector<uint64_t> DialogSerials() const;
  // The gadget an area is attached to in its open dialog, or null.
  Gadget* AttachedGadget(const UserArea& area) const;
  // The user areas attached to the dialog's gadgets, in tree order.
  std::vector<uint64_t> AttachedAreas(Dialog& dialog);
  static c4d_gadget* GadgetHandle(const Gadget& gadget);

  // Lays the dialog out when the module next calls into the engine or the
  // outermost call returns (see the safety rules above).
  void RequestLayout(Dialog& dialog);

  // Keeping: dialogs and areas enter here and leave through the graveyard.
  c4d_dialog* AddDialog(std::unique_ptr<Dialog> dialog);
  // Forgets a dialog whose window is down; its user areas lose their dialog.
  void RemoveDialog(uint64_t serial);
  c4d_userarea* AddArea(std::unique_ptr<UserArea> area);
  // The module releases an area: a gadget it was attached to stays empty.
  void ReleaseArea(UserArea& area);
  void DetachArea(uint64_t area_serial);
  // Detaches the user areas whose gadgets went away and buries the gadgets.
  void Bury(std::vector<std::unique_ptr<Gadget>> gadgets, const std::vector<uint64_t>& areas);
  // Empties the window: no gadgets, no picture, not open.
  void TakeDownWindow(Dialog& dialog);
  // Every dialog and user area goes without a call to the module.
  void ForgetEverything();

  // Calls into the module's dialog; harmless when it is gone.
  int32_t CallMessage(uint64_t dialog, const c4d_container* message, c4d_container* result);
  bool CallCommand(uint64_t dialog, int32_t id, const c4d_container* message);
  int32_t SendSimpleMessage(uint64_t dialog, int32_t id);

 private:
  friend class Activity;

  void Bury(std::unique_ptr<Dialog> dialog);
  void EmptyGraveyard();
  void RunRequestedLayouts();

  const c4d_function_table& table_;
  std::map<uint64_t, std::unique_ptr<Dialog>> dialogs_;  // by serial: creation order
  // By serial; a grid holds thousands, so a hash map keeps lookups flat.
  std::unordered_map<uint64_t, std::unique_ptr<UserArea>> areas_;
  int activity_ = 0;
  std::vector<uint64_t> requested_layouts_;  // dialog serials
  std::vector<std::unique_ptr<Dialog>> dead_dialogs_;
  std::vector<std::unique_ptr<Gadget>> dead_gadgets_;
  std::vector<std::unique_ptr<UserArea>> dead_areas_;

  DialogLife life_{*this};
  DialogLayout layout_{*this};
  DialogPainting painting_{*this};
  DialogInput input_{*this};
  DialogInspection inspection_{*this};
};

}  // namespace simhost
