// Paints a window's frame and controls the way the host shows them. User
// areas are left to the module: the painter only says where they are.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "canvas.h"
#include "gadget.h"

namespace simhost {

namespace palette {
constexpr Rgb kTitleBar{38, 38, 38};
constexpr Rgb kTitleText{232, 232, 232};
constexpr Rgb kBackground{64, 64, 64};
constexpr Rgb kText{214, 214, 214};
constexpr Rgb kDisabledText{130, 130, 130};
constexpr Rgb kControlFace{88, 88, 88};
constexpr Rgb kControlFrame{36, 36, 36};
constexpr Rgb kField{46, 46, 46};
constexpr Rgb kArrow{200, 200, 200};
constexpr Rgb kGroupFrame{100, 100, 100};
constexpr Rgb kScrollTrack{50, 50, 50};
constexpr Rgb kScrollThumb{124, 124, 124};
}  // namespace palette

// A user area's place on the canvas and the part of it that can be seen.
struct AreaSlot {
  uint64_t gadget = 0;
  uint64_t area = 0;  // 0: nothing attached, nothing drawn
  Rect place;
  Rect clip;
};

struct ScrollbarLook {
  Rect track;
  Rect thumb;  // empty when the content fits
};

struct PaintResult {
  std::vector<AreaSlot> areas;  // in tree order
  std::vector<ScrollbarLook> scrollbars;
};

void PaintFrame(Canvas& canvas, const std::string& title, int32_t title_height);
// Paints the controls of the tree; client is the client area's place on the
// canvas (gadget rectangles are relative to it).
PaintResult PaintControls(Canvas& canvas, Gadget& root, const Rect& client);
void PaintScrollbars(Canvas& canvas, const std::vector<ScrollbarLook>& bars);

}  // namespace simhost
