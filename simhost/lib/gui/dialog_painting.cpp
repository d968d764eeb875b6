// Painting: the module's drawing calls on its user areas, each area's
// draw_msg, and window pictures (the frame and controls, then every user
// area drawn by the module itself, then the scroll bars on top).
#include <algorithm>
#include <vector>

#include "bitmap.h"
#include "container_access.h"
#include "text_renderer.h"
#include "window_engine.h"
#include "window_painter.h"

namespace simhost {

namespace {
constexpr int32_t kTextCentre = 1;
constexpr int32_t kTextRight = 2;
constexpr int32_t kTextMiddle = 16;
constexpr int32_t kTextBottom = 32;

uint8_t Channel(uint16_t value, bool dimmed) {
  int32_t v = std::min<int32_t>(value, 255);
  return static_cast<uint8_t>(dimmed ? v / 2 : v);
}

// Coordinates the module gives are kept within a range where adding the
// area's place on the canvas cannot overflow.
int32_t Tame(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, -(int64_t{1} << 28), int64_t{1} << 28));
}

Rect TameRect(const Rect& r) { return Rect{Tame(r.x), Tame(r.y), Tame(r.width), Tame(r.height)}; }

DrawCall ShapeCall(DrawCall::Kind kind, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  DrawCall call;
  call.kind = kind;
  call.x = x1;
  call.y = y1;
  call.w = x2;
  call.h = y2;
  return call;
}

DrawCall BitmapCall(const Rect& to, const Rect& from, int32_t bitmap_width, int32_t bitmap_height,
                    int32_t mode) {
  DrawCall call = ShapeCall(DrawCall::Kind::kBitmap, to.x, to.y, to.width, to.height);
  call.source_x = from.x;
  call.source_y = from.y;
  call.source_w = from.width;
  call.source_h = from.height;
  call.bitmap_width = bitmap_width;
  call.bitmap_height = bitmap_height;
  call.mode = mode;
  return call;
}

Rect Normalised(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  int64_t left = std::min(x1, x2);
  int64_t top = std::min(y1, y2);
  int64_t width = std::llabs(int64_t{x2} - x1) + 1;
  int64_t height = std::llabs(int64_t{y2} - y1) + 1;
  return Rect{Tame(left), Tame(top), Tame(width), Tame(height)};
}
}  // namespace

bool DialogPainting::IsDrawing(uint64_t area) const {
  return std::any_of(drawing_.begin(), drawing_.end(),
                     [area](const DrawTarget& t) { return t.area == area; });
}

// Inside draw_msg the calls land where that redraw paints; outside it (the
// module may draw from any of its callbacks) they go straight into the
// window's picture at the area's place.
std::optional<DrawTarget> DialogPainting::TargetFor(UserArea& area) {
  for (auto at = drawing_.rbegin(); at != drawing_.rend(); ++at) {
    if (at->area == area.serial) return *at;
  }
  Gadget* gadget = engine_.AttachedGadget(area);
  if (!gadget) return std::nullopt;
  Dialog* dialog = engine_.FindDialog(area.dialog);
  engine_.layout().EnsureLayout(*dialog);
  gadget = engine_.AttachedGadget(area);
  if (!gadget) return std::nullopt;
  PrepareCanvas(*dialog);
  Rect client = dialog->ClientRect();
  Rect place = ScreenRect(*gadget).Moved(0, kTitleBarHeight);
  Rect clip = Intersect(VisibleClip(*gadget, client).Moved(0, kTitleBarHeight), place);
  return DrawTarget{area.serial, area.dialog, area.gadget_id, &dialog->canvas,
                    place.x,     place.y,     clip,           false};
}

void DialogPainting::Record(const DrawTarget& target, const DrawCall& call) {
  Dialog* dialog = engine_.FindDialog(target.dialog);
  if (!dialog) return;
  DrawCall logged = call;
  logged.gadget_id = target.gadget_id;
  logged.inside_draw_msg = target.inside_draw_msg;
  dialog->Log(logged);
}

// draw_msg gets the visible part of the area in its own coordinates, both
// corners included.
void DialogPainting::PaintArea(uint64_t dialog, uint64_t area_serial, Canvas& canvas,
                               int32_t origin_x, int32_t origin_y, const Rect& clip) {
  UserArea* area = engine_.FindArea(area_serial);
  Gadget* gadget = area ? engine_.AttachedGadget(*area) : nullptr;
  if (!gadget || !area->callbacks || !area->callbacks->draw_msg || IsDrawing(area_serial)) return;
  Rect place{origin_x, origin_y, gadget->rect.width, gadget->rect.height};
  Rect visible = Intersect(Intersect(clip, place), canvas.Bounds());
  if (visible.Empty()) return;
  drawing_.push_back(
      DrawTarget{area_serial, dialog, area->gadget_id, &canvas, origin_x, origin_y, visible, true});
  OwnedContainer message(engine_.containers(), C4D_BFM_DRAW);
  const int32_t x1 = visible.x - origin_x;
  const int32_t y1 = visible.y - origin_y;
  area->callbacks->draw_msg(area->self, x1, y1, x1 + visible.width - 1, y1 + visible.height - 1,
                            message.get());
  if (!drawing_.empty() && drawing_.back().area == area_serial) drawing_.pop_back();
}

// Paints the area again at once; an area already drawing is left alone.
void DialogPainting::Redraw(UserArea& area) {
  if (IsDrawing(area.serial)) return;
  std::optional<DrawTarget> target = TargetFor(area);
  if (!target) return;
  target->canvas->FillRect(target->clip, palette::kBackground, target->clip);
  PaintArea(target->dialog, area.serial, *target->canvas, target->origin_x, target->origin_y,
            target->clip);
}

namespace {

// Where destination column px (or row) samples its source: nearest
// neighbour, -1 outside the source.
int32_t SourceIndex(int32_t p, int32_t dest_start, int32_t from_start, int32_t from_size,
                    int32_t to_size, int32_t source_size) {
  const int64_t s = from_start + int64_t{p - dest_start} * from_size / to_size;
  return s < 0 || s >= source_size ? -1 : static_cast<int32_t>(s);
}

// The host's own bitmaps are read row by row: whole rows are copied when
// the width is kept, else each pixel is picked from its row.
void CopyRows(const Bitmap& source, const Rect& to, const Rect& from, const Rect& dest,
              const Rect& paint, bool dimmed, Canvas* canvas) {
  const int32_t bw = source.Width();
  std::vector<int32_t> columns(static_cast<size_t>(paint.width));
  for (int32_t px = paint.x; px < paint.Right(); ++px) {
    columns[static_cast<size_t>(px - paint.x)] =
        SourceIndex(px, dest.x, from.x, from.width, to.width, bw);
  }
  const bool straight = from.width == to.width && columns.front() >= 0 && columns.back() >= 0;
  const size_t row_bytes = static_cast<size_t>(bw) * 3;
  for (int32_t py = paint.y; py < paint.Bottom(); ++py) {
    const int32_t sy = SourceIndex(py, dest.y, from.y, from.height, to.height, source.Height());
    if (sy < 0) continue;
    const uint8_t* row = source.Pixels().data() + static_cast<size_t>(sy) * row_bytes;
    uint8_t* out = canvas->PixelAt(paint.x, py);
    if (straight && !dimmed) {
      std::copy_n(row + static_cast<size_t>(columns.front()) * 3,
                  static_cast<size_t>(paint.width) * 3, out);
      continue;
    }
    for (int32_t i = 0; i < paint.width; ++i, out += 3) {
      const int32_t sx = columns[static_cast<size_t>(i)];
      if (sx < 0) continue;
      for (int c = 0; c < 3; ++c) out[c] = Channel(row[sx * 3 + c], dimmed);
    }
  }
}

}  // namespace

// Nearest-neighbour copy of the source part onto the destination part; the
// dimmed mode halves every channel. Bitmaps of other makers are read
// through the table's pixel access.
void DialogPainting::DrawBitmap(UserArea& area, const c4d_bitmap* bitmap, const Rect& to_given,
                                const Rect& from_given, int32_t mode) {
  const Rect to = TameRect(to_given);
  const Rect from = TameRect(from_given);
  std::optional<DrawTarget> target = TargetFor(area);
  if (!target) return;
  const c4d_bitmap_api& api = engine_.bitmaps();
  const int32_t bw = bitmap && api.get_bw ? api.get_bw(bitmap) : 0;
  const int32_t bh = bitmap && api.get_bh ? api.get_bh(bitmap) : 0;
  Record(*target, BitmapCall(to, from, bw, bh, mode));
  if (!bitmap || !api.get_pixel || to.Empty() || from.Empty() || bw <= 0 || bh <= 0) return;
  const Rect dest = to.Moved(target->origin_x, target->origin_y);
  const Rect paint = Intersect(Intersect(dest, target->clip), target->canvas->Bounds());
  if (paint.Empty()) return;
  const bool dimmed = (mode & C4D_BMP_DIMIMAGE) != 0;
  const Bitmap* own = ToBitmap(bitmap);
  if (own != nullptr && own->Width() == bw && own->Height() == bh) {
    return CopyRows(*own, to, from, dest, paint, dimmed, target->canvas);
  }
  for (int32_t py = paint.y; py < paint.Bottom(); ++py) {
    const int32_t sy = SourceIndex(py, dest.y, from.y, from.height, to.height, bh);
    if (sy < 0) continue;
    for (int32_t px = paint.x; px < paint.Right(); ++px) {
      const int32_t sx = SourceIndex(px, dest.x, from.x, from.width, to.width, bw);
      if (sx < 0) continue;
      uint16_t r = 0, g = 0, b = 0;
      api.get_pixel(bitmap, sx, sy, &r, &g, &b);
      target->canvas->SetPixel(
          px, py, Rgb{Channel(r, dimmed), Channel(g, dimmed), Channel(b, dimmed)}, target->clip);
    }
  }
}

void DialogPainting::DrawRectangle(UserArea& area, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  std::optional<DrawTarget> target = TargetFor(area);
  if (!target) return;
  Record(*target, ShapeCall(DrawCall::Kind::kRectangle, x1, y1, x2, y2));
  target->canvas->FillRect(Normalised(x1, y1, x2, y2).Moved(target->origin_x, target->origin_y),
                           area.pen, target->clip);
}

void DialogPainting::DrawLine(UserArea& area, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  std::optional<DrawTarget> target = TargetFor(area);
  if (!target) return;
  Record(*target, ShapeCall(DrawCall::Kind::kLine, x1, y1, x2, y2));
  const int64_t ox = target->origin_x;
  const int64_t oy = target->origin_y;
  target->canvas->DrawLine(Tame(x1 + ox), Tame(y1 + oy), Tame(x2 + ox), Tame(y2 + oy), area.pen,
                           target->clip);
}

// Alignment flags: 1 centre, 2 right of x; 16 middle, 32 bottom of y.
void DialogPainting::DrawText(UserArea& area, const std::string& text, int32_t x, int32_t y,
                              int32_t flags) {
  std::optional<DrawTarget> target = TargetFor(area);
  if (!target) return;
  DrawCall call = ShapeCall(DrawCall::Kind::kText, x, y, 0, 0);
  call.mode = flags;
  call.text = text;
  Record(*target, call);
  TextRenderer& renderer = TextRenderer::Shared();
  int64_t left = x;
  int64_t top = y;
  const int32_t width = renderer.Width(text);
  if ((flags & 3) == kTextCentre) left -= width / 2;
  if ((flags & 3) == kTextRight) left -= width;
  if ((flags & 48) == kTextMiddle) top -= renderer.LineHeight() / 2;
  if ((flags & 48) == kTextBottom) top -= renderer.LineHeight();
  renderer.Draw(*target->canvas, Tame(left + target->origin_x), Tame(top + target->origin_y), text,
                area.pen, target->clip);
}

namespace {
Picture ToPicture(const Canvas& canvas) {
  return Picture{canvas.Width(), canvas.Height(), canvas.Pixels()};
}
}  // namespace

void DialogPainting::PrepareCanvas(Dialog& dialog) {
  if (dialog.canvas.Width() == dialog.size.width && dialog.canvas.Height() == dialog.size.height) {
    return;
  }
  dialog.canvas.Resize(dialog.size.width, dialog.size.height, palette::kBackground);
  PaintFrame(dialog.canvas, dialog.title, kTitleBarHeight);
  PaintControls(dialog.canvas, dialog.root(), dialog.ClientRect().Moved(0, kTitleBarHeight));
}

void DialogPainting::PaintWindow(Dialog& dialog) {
  const uint64_t serial = dialog.serial();
  engine_.layout().EnsureLayout(dialog);
  Dialog* at = engine_.FindDialog(serial);
  if (!at || !at->open) return;
  at->canvas.Resize(at->size.width, at->size.height, palette::kBackground);
  PaintFrame(at->canvas, at->title, kTitleBarHeight);
  PaintResult painted =
      PaintControls(at->canvas, at->root(), at->ClientRect().Moved(0, kTitleBarHeight));
  for (const AreaSlot& slot : painted.areas) {
    at = engine_.FindDialog(serial);
    if (!at || !at->open) return;
    if (slot.area != 0) {
      PaintArea(serial, slot.area, at->canvas, slot.place.x, slot.place.y, slot.clip);
    }
  }
  at = engine_.FindDialog(serial);
  if (at && at->open) PaintScrollbars(at->canvas, painted.scrollbars);
}

Picture DialogPainting::RenderWindow(Dialog& dialog) {
  if (!dialog.open) return Picture{};
  const uint64_t serial = dialog.serial();
  PaintWindow(dialog);
  Dialog* at = engine_.FindDialog(serial);
  return at && at->open ? ToPicture(at->canvas) : Picture{};
}

Picture DialogPainting::RenderUserArea(Dialog& dialog, int32_t gadget_id) {
  if (!dialog.open) return Picture{};
  const uint64_t serial = dialog.serial();
  engine_.layout().EnsureLayout(dialog);
  Dialog* at = engine_.FindDialog(serial);
  Gadget* gadget = at ? at->FindKind(gadget_id, GadgetKind::kUserArea) : nullptr;
  if (!gadget || gadget->rect.Empty()) return Picture{};
  Canvas canvas;
  canvas.Resize(gadget->rect.width, gadget->rect.height, palette::kBackground);
  if (gadget->area != 0) PaintArea(serial, gadget->area, canvas, 0, 0, canvas.Bounds());
  return ToPicture(canvas);
}

}  // namespace simhost
