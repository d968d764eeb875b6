// Painting: the module's drawing calls on its user areas, each area's
// draw_msg, and whole-window and single-area pictures.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "c4d_function_table.h"
#include "dialog.h"
#include "window_system.h"

namespace simhost {

class WindowEngine;
struct UserArea;

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

class DialogPainting {
 public:
  explicit DialogPainting(WindowEngine& engine) : engine_(engine) {}

  void Redraw(UserArea& area);
  void DrawBitmap(UserArea& area, const c4d_bitmap* bitmap, const Rect& to, const Rect& from,
                  int32_t mode);
  void DrawRectangle(UserArea& area, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  void DrawLine(UserArea& area, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  void DrawText(UserArea& area, const std::string& text, int32_t x, int32_t y, int32_t flags);

  Picture RenderWindow(Dialog& dialog);
  Picture RenderUserArea(Dialog& dialog, int32_t gadget_id);

  // Every window is forgotten: no area is drawing any more.
  void Forget() { drawing_.clear(); }

 private:
  std::optional<DrawTarget> TargetFor(UserArea& area);
  void PaintArea(uint64_t dialog, uint64_t area, Canvas& canvas, int32_t origin_x, int32_t origin_y,
                 const Rect& clip);
  void Record(const DrawTarget& target, const DrawCall& call);
  bool IsDrawing(uint64_t area) const;
  void PaintWindow(Dialog& dialog);
  // Sizes the window's picture and paints its frame and controls, when it
  // has none of the window's size yet.
  void PrepareCanvas(Dialog& dialog);

  WindowEngine& engine_;
  std::vector<DrawTarget> drawing_;  // user areas inside draw_msg, innermost last
};

}  // namespace simhost
