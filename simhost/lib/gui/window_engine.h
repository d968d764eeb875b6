// The machinery behind the dialog functions of the table and the public
// operations of WindowSystem.
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
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "c4d_function_table.h"
#include "dialog.h"
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

// Where the drawing calls of one user area land while it draws.
struct DrawTarget {
  uint64_t area = 0;
  uint64_t dialog = 0;
  int32_t gadget_id = 0;
  Canvas* canvas = nullptr;
  int32_t origin_x = 0;  // canvas position of the area's (0, 0)
  int32_t origin_y = 0;
  Rect clip;  // canvas coordinates
  bool inside_draw_msg = false;
};

// A grid as the text DescribeGrid shows: a header line, then one line per
// cell, labels quoted with \" and \\ escaped.
std::string GridText(const GridInfo& grid);

class WindowEngine {
 public:
  explicit WindowEngine(const c4d_function_table& table);
  ~WindowEngine();
  WindowEngine(const WindowEngine&) = delete;
  WindowEngine& operator=(const WindowEngine&) = delete;

  // Held by every entry into the engine; see the safety rules above.
  class Activity {
   public:
    explicit Activity(WindowEngine& engine);
    ~Activity();
    Activity(const Activity&) = delete;
    Activity& operator=(const Activity&) = delete;

   private:
    WindowEngine& engine_;
  };

  const c4d_container_api& containers() const { return *table_.container; }
  const c4d_bitmap_api& bitmaps() const { return *table_.bitmap; }

  Dialog* FindDialog(const c4d_dialog* handle) const;
  Dialog* FindDialog(uint64_t serial) const;
  UserArea* FindArea(const c4d_userarea* handle) const;
  UserArea* FindArea(uint64_t serial) const;
  std::vector<uint64_t> DialogSerials() const;

  // Dialog life (window_engine_dialogs.cpp).
  c4d_dialog* CreateDialog(const c4d_dialog_callbacks* callbacks, void* self);
  void DestroyDialog(Dialog& dialog);
  bool Open(Dialog& dialog, int32_t type, int32_t plugin_id, int32_t x, int32_t y, int32_t width,
            int32_t height, int32_t sub_id);
  bool Close(Dialog& dialog);
  bool RestoreLayout(Dialog& dialog, int32_t plugin_id, int32_t sub_id, const SavedLayout* saved);
  bool DefaultCreateLayout(Dialog& dialog) const;
  bool DefaultInitValues(Dialog& dialog) const;
  int32_t DefaultMessage(Dialog& dialog, const c4d_container* message);
  void CloseAllWindows();
  void ForgetEverything();
  void SetDefaultFailures(std::optional<bool> create_layout, std::optional<bool> init_values);

  // Calls into the module's dialog; harmless when it is gone.
  int32_t CallMessage(uint64_t dialog, const c4d_container* message, c4d_container* result);
  bool CallCommand(uint64_t dialog, int32_t id, const c4d_container* message);
  int32_t SendSimpleMessage(uint64_t dialog, int32_t id);

  // Building (window_engine_build.cpp).
  c4d_gadget* AddGadget(Dialog& dialog, std::unique_ptr<Gadget> gadget);
  bool BeginGroup(Dialog& dialog, std::unique_ptr<Gadget> group);
  c4d_userarea* Attach(Dialog& dialog, int32_t id, int32_t flags,
                       const c4d_userarea_callbacks* callbacks, void* self);
  bool FlushGroup(Dialog& dialog, int32_t id);
  bool RemoveElement(Dialog& dialog, int32_t id);
  void LayoutChanged(Dialog& dialog);
  // Detaches the user areas whose gadgets went away and buries the gadgets.
  void Bury(std::vector<std::unique_ptr<Gadget>> gadgets, const std::vector<uint64_t>& areas);
  static c4d_gadget* GadgetHandle(const Gadget& gadget);

  // Layout (window_engine_layout.cpp). Windows are laid out eagerly: every
  // question about geometry (visible areas, gadget and user-area sizes,
  // input, drawing, pictures) first lays the window out when its tree
  // changed since the last layout, and layout_changed lays it out at once.
  // So a visible area asked for inside InitValues, before the window was
  // ever shown, already has the width the window's size gives.
  void EnsureLayout(Dialog& dialog);
  void LayoutNow(Dialog& dialog);
  bool VisibleArea(Dialog& dialog, int32_t scroll_group_id, Rect* area);
  // Scrolls the scroll group enclosing gadget by a wheel value.
  bool ScrollByWheel(Dialog& dialog, uint64_t gadget, int32_t wheel_value);

  // User areas and drawing (window_engine_areas.cpp).
  void ReleaseArea(UserArea& area);
  Gadget* AttachedGadget(const UserArea& area) const;
  bool SendParentMessage(UserArea& area, const c4d_container* message);
  bool DefaultInputEvent(UserArea& area, const c4d_container* message);
  void Redraw(UserArea& area);
  void DrawBitmap(UserArea& area, const c4d_bitmap* bitmap, const Rect& to, const Rect& from,
                  int32_t mode);
  void DrawRectangle(UserArea& area, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  void DrawLine(UserArea& area, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  void DrawText(UserArea& area, const std::string& text, int32_t x, int32_t y, int32_t flags);

  // Acting as the host or the user (window_engine_actions.cpp).
  bool Resize(Dialog& dialog, int32_t width, int32_t height);
  int32_t SendCursorInfo(Dialog& dialog, int32_t x, int32_t y);
  bool UserClose(Dialog& dialog);
  SavedLayout SaveLayout(Dialog& dialog);
  bool ChooseComboValue(Dialog& dialog, int32_t id, int32_t value);
  bool ChooseComboText(Dialog& dialog, int32_t id, const std::string& text);
  bool ClickGadget(Dialog& dialog, int32_t id);
  bool SendInput(Dialog& dialog, int32_t gadget_id, const InputEvent& event);
  bool SendInputAt(Dialog& dialog, int32_t x, int32_t y, const InputEvent& event);
  void FireTimer(Dialog& dialog);
  void BroadcastCoreMessage(int32_t id);

  // Pictures and inspection (window_engine_paint.cpp, window_engine_inspect.cpp).
  Picture RenderWindow(Dialog& dialog);
  Picture RenderUserArea(Dialog& dialog, int32_t gadget_id);
  std::string DescribeTree(Dialog& dialog);
  GridInfo QueryGrid(Dialog& dialog, int32_t group_id);
  GadgetInfo QueryGadget(Dialog& dialog, int32_t id);
  std::vector<VisibleUserArea> VisibleUserAreas(Dialog& dialog);

 private:
  friend class Activity;

  void TakeDownWindow(Dialog& dialog);
  void SendDestroy(uint64_t dialog);
  bool CallCreateLayout(uint64_t dialog);
  bool CallInitValues(uint64_t dialog);
  void FitWindowToContent(Dialog& dialog);
  void DetachArea(uint64_t area_serial);
  void Bury(std::unique_ptr<Dialog> dialog);
  void EmptyGraveyard();

  // Layout helpers.
  void InitPendingAreas(uint64_t dialog);
  std::map<uint64_t, Size> CollectMinSizes(uint64_t dialog);
  void NotifySized(uint64_t dialog);
  std::vector<uint64_t> AttachedAreas(Dialog& dialog);

  bool DeliverInput(Dialog& dialog, uint64_t gadget, const InputEvent& event);

  // Drawing helpers.
  std::optional<DrawTarget> TargetFor(UserArea& area);
  void PaintArea(uint64_t dialog, uint64_t area, Canvas& canvas, int32_t origin_x, int32_t origin_y,
                 const Rect& clip);
  void Record(const DrawTarget& target, const DrawCall& call);
  bool IsDrawing(uint64_t area) const;
  void PaintWindow(Dialog& dialog);
  // Sizes the window's picture and paints its frame and controls, when it
  // has none of the window's size yet.
  void PrepareCanvas(Dialog& dialog);

  const c4d_function_table& table_;
  std::map<uint64_t, std::unique_ptr<Dialog>> dialogs_;  // by serial: creation order
  std::map<uint64_t, std::unique_ptr<UserArea>> areas_;
  std::vector<DrawTarget> drawing_;  // user areas inside draw_msg, innermost last
  int activity_ = 0;
  bool wheel_consumed_ = false;
  bool default_create_layout_fails_ = false;
  bool default_init_values_fails_ = false;
  std::vector<std::unique_ptr<Dialog>> dead_dialogs_;
  std::vector<std::unique_ptr<Gadget>> dead_gadgets_;
  std::vector<std::unique_ptr<UserArea>> dead_areas_;
};

}  // namespace simhost
