// Window pictures: the frame and controls, then every user area drawn by
// the module itself, then the scroll bars on top.
#include "window_engine.h"
#include "window_painter.h"

namespace simhost {

namespace {
Picture ToPicture(const Canvas& canvas) {
  return Picture{canvas.Width(), canvas.Height(), canvas.Pixels()};
}
}  // namespace

void WindowEngine::PrepareCanvas(Dialog& dialog) {
  if (dialog.canvas.Width() == dialog.size.width && dialog.canvas.Height() == dialog.size.height) {
    return;
  }
  dialog.canvas.Resize(dialog.size.width, dialog.size.height, palette::kBackground);
  PaintFrame(dialog.canvas, dialog.title, kTitleBarHeight);
  PaintControls(dialog.canvas, dialog.root(), dialog.ClientRect().Moved(0, kTitleBarHeight));
}

void WindowEngine::PaintWindow(Dialog& dialog) {
  const uint64_t serial = dialog.serial();
  EnsureLayout(dialog);
  Dialog* at = FindDialog(serial);
  if (!at || !at->open) return;
  at->canvas.Resize(at->size.width, at->size.height, palette::kBackground);
  PaintFrame(at->canvas, at->title, kTitleBarHeight);
  PaintResult painted =
      PaintControls(at->canvas, at->root(), at->ClientRect().Moved(0, kTitleBarHeight));
  for (const AreaSlot& slot : painted.areas) {
    at = FindDialog(serial);
    if (!at || !at->open) return;
    if (slot.area != 0) {
      PaintArea(serial, slot.area, at->canvas, slot.place.x, slot.place.y, slot.clip);
    }
  }
  at = FindDialog(serial);
  if (at && at->open) PaintScrollbars(at->canvas, painted.scrollbars);
}

Picture WindowEngine::RenderWindow(Dialog& dialog) {
  if (!dialog.open) return Picture{};
  const uint64_t serial = dialog.serial();
  PaintWindow(dialog);
  Dialog* at = FindDialog(serial);
  return at && at->open ? ToPicture(at->canvas) : Picture{};
}

Picture WindowEngine::RenderUserArea(Dialog& dialog, int32_t gadget_id) {
  if (!dialog.open) return Picture{};
  const uint64_t serial = dialog.serial();
  EnsureLayout(dialog);
  Dialog* at = FindDialog(serial);
  Gadget* gadget = at ? at->FindKind(gadget_id, GadgetKind::kUserArea) : nullptr;
  if (!gadget || gadget->rect.Empty()) return Picture{};
  Canvas canvas;
  canvas.Resize(gadget->rect.width, gadget->rect.height, palette::kBackground);
  if (gadget->area != 0) PaintArea(serial, gadget->area, canvas, 0, 0, canvas.Bounds());
  return ToPicture(canvas);
}

}  // namespace simhost
