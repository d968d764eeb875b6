// The stand-in host's windows: dialogs built from gadget calls, laid out like
// the host lays them out, user areas drawn into pixel canvases, and input.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "c4d_function_table.h"
#include "window_measures.h"

namespace simhost {

class WindowEngine;

// What a saved window layout holds for one dialog. The host core hands a
// pointer to it to the command's restore_layout as the opaque secret, and
// the module passes it back untouched to dialog.restore_layout.
struct SavedLayout {
  int32_t plugin_id = 0;
  int32_t sub_id = 0;
  // Window size to reopen with; 0 keeps the dialog's last size, or fits the
  // window to its content when it never had one.
  int32_t width = 0;
  int32_t height = 0;
  // The dialog's answer to the layout request (a container); null when it
  // gave none. Released through the table's container service.
  std::shared_ptr<c4d_container> data;
};

// One drawing call of a user area, in the area's own coordinates.
struct DrawCall {
  enum class Kind { kBitmap, kRectangle, kLine, kText };
  Kind kind = Kind::kBitmap;
  int32_t gadget_id = 0;
  bool inside_draw_msg = false;  // false: the module drew outside a redraw
  // Bitmaps: destination (x, y, w, h), source part and the bitmap's size.
  // Rectangles and lines: x, y = first corner, w, h = second corner.
  int32_t x = 0;
  int32_t y = 0;
  int32_t w = 0;
  int32_t h = 0;
  int32_t source_x = 0;
  int32_t source_y = 0;
  int32_t source_w = 0;
  int32_t source_h = 0;
  int32_t bitmap_width = 0;
  int32_t bitmap_height = 0;
  int32_t mode = 0;  // bitmap draw mode; text flags
  std::string text;
};

struct GadgetInfo {
  bool found = false;
  std::string kind;
  int32_t id = 0;
  int32_t flags = 0;
  int32_t columns = 0;
  int32_t rows = 0;
  int32_t int_value = 0;
  double float_value = 0.0;
  std::string text;                                      // for combo boxes the shown entry
  std::vector<std::pair<int32_t, std::string>> entries;  // combo boxes
  int selected_entry = -1;                               // index into entries, -1 for none
  bool enabled = true;
  bool hidden = false;
  bool has_user_area = false;  // a user area is attached
  int32_t min_width = 0;
  int32_t min_height = 0;
  // Laid-out rectangle in client coordinates, without scrolling.
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  size_t child_count = 0;
};

// One cell of a grid group, in grid order: where it is laid out (client
// coordinates, without scrolling), the first user area inside it and the
// first static text with a text, its label.
struct GridCellInfo {
  int32_t column = 0;
  int32_t row = 0;
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  bool has_area = false;
  int32_t area_id = 0;     // the user area's gadget id
  bool attached = false;   // a user area is attached to it
  int32_t area_width = 0;  // the user area's laid-out size
  int32_t area_height = 0;
  std::string label;  // as shown, unquoted
};

// A grid group as laid out now: only the cells that are not hidden count.
struct GridInfo {
  bool found = false;  // false: no dialog or no such group
  int32_t group_id = 0;
  int32_t columns = 0;
  int32_t rows = 0;
  std::vector<GridCellInfo> cells;
};

// A user area that can be seen: where it is in the window picture (title
// bar included, scrolling applied) and how much of it shows.
struct VisibleUserArea {
  int32_t gadget_id = 0;
  bool attached = false;
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  int32_t visible_x = 0;
  int32_t visible_y = 0;
  int32_t visible_width = 0;
  int32_t visible_height = 0;
};

struct InputEvent {
  int32_t device = C4D_BFM_INPUT_MOUSE;
  int32_t channel = C4D_BFM_INPUT_MOUSELEFT;
  int32_t value = 0;  // wheel: 120 per notch, positive away from the user
  int32_t qualifiers = 0;
  // Position in the area's coordinates; its centre when not given.
  std::optional<int32_t> x;
  std::optional<int32_t> y;

  static InputEvent Click(int32_t channel = C4D_BFM_INPUT_MOUSELEFT);
  static InputEvent Wheel(int32_t value);
};

// The pixels of a window picture, 8-bit RGB, row by row.
struct Picture {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> rgb;
};

class WindowSystem {
 public:
  // Containers and bitmaps are reached through the table's own services, so
  // this part of the host needs nothing else from the rest of it. The table
  // must outlive the window system; it is read at each use, so it may still
  // be filled after construction.
  explicit WindowSystem(const c4d_function_table& table);
  // Forgets every window without calling the module back.
  ~WindowSystem();
  WindowSystem(const WindowSystem&) = delete;
  WindowSystem& operator=(const WindowSystem&) = delete;

  // The dialog area of the function table (FillDialogApi) acts on the
  // window system made current here.
  void MakeCurrent();
  static WindowSystem* Current();

  // Before the module is unloaded: closes every open window the proper way
  // (destroy message, then destroy_window), then forgets every dialog and
  // user area, so nothing of the module is ever called again. Handles the
  // module still holds become unknown and are ignored.
  void CloseAllWindows();

  // The host's default CreateLayout / InitValues answer true unless told to
  // fail here.
  void SetDefaultCreateLayoutFails(bool fails);
  void SetDefaultInitValuesFails(bool fails);

  // Finding windows.
  std::vector<c4d_dialog*> Dialogs() const;  // in creation order
  c4d_dialog* FindOpenDialog(int32_t plugin_id) const;
  bool IsOpen(c4d_dialog* dialog) const;
  std::string Title(c4d_dialog* dialog) const;
  std::pair<int32_t, int32_t> WindowSize(c4d_dialog* dialog) const;
  int32_t RaiseCount(c4d_dialog* dialog) const;  // opens that found it open

  // Acting as the host or the user.
  // Sets the window size, lays it out and sends the resize message.
  bool Resize(c4d_dialog* dialog, int32_t width, int32_t height);
  // The cursor-information message the host sends while the mouse moves
  // over the window; returns the dialog's answer.
  int32_t SendCursorInfo(c4d_dialog* dialog, int32_t x, int32_t y);
  // Any message; result may be null. Returns the dialog's answer.
  int32_t SendMessage(c4d_dialog* dialog, const c4d_container* message, c4d_container* result);
  // The user clicks the window's close box: ask_close decides.
  bool UserClose(c4d_dialog* dialog);
  // Asks the dialog for its layout data, as the host does when it saves a
  // window layout. data stays null when the answer's id is -1.
  SavedLayout SaveLayout(c4d_dialog* dialog);
  // The user picks a combo box entry (by value or by text): the box takes
  // the value and the dialog gets the command. False when there is no such
  // entry or the box is disabled.
  bool ChooseComboValue(c4d_dialog* dialog, int32_t id, int32_t value);
  bool ChooseComboText(c4d_dialog* dialog, int32_t id, const std::string& text);
  // The user clicks a button or check box.
  bool ClickGadget(c4d_dialog* dialog, int32_t id);
  // An input event for the user area of gadget id. The wheel scrolls the
  // enclosing scroll group when the area leaves it to the host.
  bool SendInput(c4d_dialog* dialog, int32_t gadget_id, const InputEvent& event);
  // An input event at a point of the client area (scrolling applied).
  bool SendInputAt(c4d_dialog* dialog, int32_t x, int32_t y, const InputEvent& event);
  void FireTimer(c4d_dialog* dialog);
  void BroadcastCoreMessage(int32_t id);

  // Inspection.
  std::string DescribeTree(c4d_dialog* dialog);
  // The cells of a grid group in order: place, user area, label.
  GridInfo QueryGrid(c4d_dialog* dialog, int32_t group_id);
  // QueryGrid as text, one line per cell, labels quoted.
  std::string DescribeGrid(c4d_dialog* dialog, int32_t group_id);
  GadgetInfo QueryGadget(c4d_dialog* dialog, int32_t id);
  std::vector<VisibleUserArea> VisibleUserAreas(c4d_dialog* dialog);
  // x1, y1 = scroll offset; x2, y2 = x1, y1 + visible size.
  bool VisibleArea(c4d_dialog* dialog, int32_t scroll_group_id, int32_t* x1, int32_t* y1,
                   int32_t* x2, int32_t* y2);
  // The drawing calls of the user area of gadget id, oldest first (the most
  // recent ones of the window are kept).
  std::vector<DrawCall> DrawCalls(c4d_dialog* dialog, int32_t gadget_id) const;
  void ClearDrawCalls(c4d_dialog* dialog);

  // Pictures: the window repainted as it looks now (every user area drawn
  // by its own draw_msg), or one user area at its full size.
  Picture RenderWindow(c4d_dialog* dialog);
  Picture RenderUserArea(c4d_dialog* dialog, int32_t gadget_id);
  bool SavePicture(c4d_dialog* dialog, const std::string& path, std::string* error = nullptr);
  bool SaveUserAreaPicture(c4d_dialog* dialog, int32_t gadget_id, const std::string& path,
                           std::string* error = nullptr);

  // Internal: the machinery behind the table's functions.
  WindowEngine& engine() { return *engine_; }

 private:
  std::unique_ptr<WindowEngine> engine_;
};

}  // namespace simhost
