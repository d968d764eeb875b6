#include "window_painter.h"

#include <algorithm>

#include "layout.h"
#include "text_renderer.h"

namespace simhost {

namespace {

constexpr int32_t kTitleIndent = 8;
constexpr int32_t kMinThumb = 16;

struct Painter {
  Canvas& canvas;
  Rect client;
  PaintResult result;

  Rect Place(const Gadget& g) const { return ScreenRect(g).Moved(client.x, client.y); }
  Rect Clip(const Gadget& g) const {
    Rect local = VisibleClip(g, Rect{0, 0, client.width, client.height});
    return Intersect(local.Moved(client.x, client.y), client);
  }
};

void DrawTextCentredVertically(Canvas& canvas, const Rect& box, int32_t x, const std::string& text,
                               Rgb color, const Rect& clip) {
  TextRenderer& renderer = TextRenderer::Shared();
  int32_t top = box.y + (box.height - renderer.LineHeight()) / 2;
  renderer.Draw(canvas, x, top, text, color, Intersect(clip, box));
}

void PaintDownArrow(Canvas& canvas, const Rect& box, const Rect& clip) {
  const int32_t cx = box.x + box.width / 2;
  const int32_t cy = box.y + box.height / 2 - 2;
  for (int32_t row = 0; row < 4; ++row) {
    canvas.FillRect(Rect{cx - 4 + row, cy + row, 9 - 2 * row, 1}, palette::kArrow, clip);
  }
}

void PaintComboBox(Canvas& canvas, const Gadget& g, const Rect& place, const Rect& clip) {
  canvas.FillRect(place, palette::kControlFace, clip);
  canvas.FrameRect(place, palette::kControlFrame, clip);
  Rect arrow{place.Right() - kComboArrowWidth, place.y, kComboArrowWidth, place.height};
  Rect text_box{place.x, place.y, place.width - kComboArrowWidth, place.height};
  DrawTextCentredVertically(canvas, text_box, place.x + kTextPadding, g.ComboText(),
                            g.enabled ? palette::kText : palette::kDisabledText, clip);
  PaintDownArrow(canvas, arrow, clip);
}

void PaintButton(Canvas& canvas, const Gadget& g, const Rect& place, const Rect& clip) {
  canvas.FillRect(place, palette::kControlFace, clip);
  canvas.FrameRect(place, palette::kControlFrame, clip);
  int32_t width = TextRenderer::Shared().Width(g.text);
  DrawTextCentredVertically(canvas, place, place.x + (place.width - width) / 2, g.text,
                            g.enabled ? palette::kText : palette::kDisabledText, clip);
}

void PaintCheckbox(Canvas& canvas, const Gadget& g, const Rect& place, const Rect& clip) {
  Rect box{place.x + kTextPadding, place.y + (place.height - kCheckboxSize) / 2, kCheckboxSize,
           kCheckboxSize};
  canvas.FillRect(box, palette::kField, clip);
  canvas.FrameRect(box, palette::kControlFrame, clip);
  if (g.int_value != 0) {
    canvas.FillRect(Rect{box.x + 3, box.y + 3, box.width - 6, box.height - 6}, palette::kArrow,
                    clip);
  }
  DrawTextCentredVertically(canvas, place, box.Right() + kTextPadding, g.text,
                            g.enabled ? palette::kText : palette::kDisabledText, clip);
}

void PaintEditText(Canvas& canvas, const Gadget& g, const Rect& place, const Rect& clip) {
  canvas.FillRect(place, palette::kField, clip);
  canvas.FrameRect(place, palette::kControlFrame, clip);
  DrawTextCentredVertically(canvas, place, place.x + kTextPadding, g.text,
                            g.enabled ? palette::kText : palette::kDisabledText, clip);
}

void PaintStaticText(Canvas& canvas, const Gadget& g, const Rect& place, const Rect& clip) {
  if (g.style != C4D_BORDER_NONE) canvas.FrameRect(place, palette::kGroupFrame, clip);
  DrawTextCentredVertically(canvas, place, place.x + kTextPadding / 2, g.text,
                            g.enabled ? palette::kText : palette::kDisabledText, clip);
}

void PaintGroupBorder(Canvas& canvas, const Gadget& g, const Rect& place, const Rect& clip) {
  if (g.border_style == C4D_BORDER_NONE) return;
  canvas.FrameRect(place, palette::kGroupFrame, clip);
  if (!g.border_title || g.text.empty()) return;
  TextRenderer::Shared().Draw(canvas, place.x + kBorderFrame + kTextPadding, place.y + kBorderFrame,
                              g.text, palette::kText, clip);
}

ScrollbarLook VerticalBar(const Gadget& g, const Rect& viewport) {
  ScrollbarLook bar;
  bar.track = Rect{viewport.Right(), viewport.y, kScrollbarSize, viewport.height};
  if (g.content.height > viewport.height && viewport.height > 0) {
    int64_t length = std::max<int64_t>(
        kMinThumb, int64_t{bar.track.height} * viewport.height / g.content.height);
    length = std::min<int64_t>(length, bar.track.height);
    int64_t travel = bar.track.height - length;
    int64_t offset = travel * g.scroll_y / (g.content.height - viewport.height);
    bar.thumb = Rect{bar.track.x + 2, bar.track.y + static_cast<int32_t>(offset),
                     kScrollbarSize - 4, static_cast<int32_t>(length)};
  }
  return bar;
}

ScrollbarLook HorizontalBar(const Gadget& g, const Rect& viewport) {
  ScrollbarLook bar;
  bar.track = Rect{viewport.x, viewport.Bottom(), viewport.width, kScrollbarSize};
  if (g.content.width > viewport.width && viewport.width > 0) {
    int64_t length =
        std::max<int64_t>(kMinThumb, int64_t{bar.track.width} * viewport.width / g.content.width);
    length = std::min<int64_t>(length, bar.track.width);
    int64_t travel = bar.track.width - length;
    int64_t offset = travel * g.scroll_x / (g.content.width - viewport.width);
    bar.thumb = Rect{bar.track.x + static_cast<int32_t>(offset), bar.track.y + 2,
                     static_cast<int32_t>(length), kScrollbarSize - 4};
  }
  return bar;
}

void CollectScrollbars(Painter& p, const Gadget& g) {
  Size shift = ScrollShift(g);
  Rect viewport = g.viewport.Moved(p.client.x - shift.width, p.client.y - shift.height);
  Rect outer = g.rect.Moved(p.client.x - shift.width, p.client.y - shift.height);
  if (viewport.Right() < outer.Right() && !(g.scroll_flags & kScrollNoScroller)) {
    p.result.scrollbars.push_back(VerticalBar(g, viewport));
  }
  if (viewport.Bottom() < outer.Bottom() && !(g.scroll_flags & kScrollNoScroller)) {
    p.result.scrollbars.push_back(HorizontalBar(g, viewport));
  }
}

void PaintGadget(Painter& p, Gadget& g) {
  if (g.hidden) return;
  const Rect place = p.Place(g);
  const Rect clip = p.Clip(g);
  switch (g.kind) {
    case GadgetKind::kGroup:
      PaintGroupBorder(p.canvas, g, place, clip);
      break;
    case GadgetKind::kScrollGroup:
      PaintGroupBorder(p.canvas, g, place, clip);
      CollectScrollbars(p, g);
      break;
    case GadgetKind::kStaticText:
      PaintStaticText(p.canvas, g, place, clip);
      break;
    case GadgetKind::kButton:
      PaintButton(p.canvas, g, place, clip);
      break;
    case GadgetKind::kCheckbox:
      PaintCheckbox(p.canvas, g, place, clip);
      break;
    case GadgetKind::kComboBox:
      PaintComboBox(p.canvas, g, place, clip);
      break;
    case GadgetKind::kEditText:
      PaintEditText(p.canvas, g, place, clip);
      break;
    case GadgetKind::kSeparator:
      p.canvas.FillRect(place, palette::kGroupFrame, clip);
      break;
    case GadgetKind::kUserArea:
      p.result.areas.push_back(AreaSlot{g.serial, g.area, place, Intersect(clip, place)});
      break;
  }
  for (auto& child : g.children) PaintGadget(p, *child);
}

}  // namespace

void PaintFrame(Canvas& canvas, const std::string& title, int32_t title_height) {
  Rect bar{0, 0, canvas.Width(), title_height};
  canvas.FillRect(bar, palette::kTitleBar, canvas.Bounds());
  TextRenderer& renderer = TextRenderer::Shared();
  renderer.Draw(canvas, kTitleIndent, (title_height - renderer.LineHeight()) / 2, title,
                palette::kTitleText, bar);
}

PaintResult PaintControls(Canvas& canvas, Gadget& root, const Rect& client) {
  Painter painter{canvas, client, {}};
  PaintGadget(painter, root);
  return std::move(painter.result);
}

void PaintScrollbars(Canvas& canvas, const std::vector<ScrollbarLook>& bars) {
  for (const ScrollbarLook& bar : bars) {
    canvas.FillRect(bar.track, palette::kScrollTrack, canvas.Bounds());
    canvas.FillRect(bar.thumb, palette::kScrollThumb, canvas.Bounds());
  }
}

}  // namespace simhost
