// The dialog area of the function table, continued: gadget values, user
// areas and their drawing.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "dialog_access.h"

namespace simhost {

namespace {

bool HoldsNumber(const Gadget& g) {
  return g.kind == GadgetKind::kComboBox || g.kind == GadgetKind::kCheckbox ||
         g.kind == GadgetKind::kEditText;
}

bool HoldsText(const Gadget& g) {
  return g.kind != GadgetKind::kUserArea && g.kind != GadgetKind::kSeparator &&
         g.kind != GadgetKind::kScrollGroup;
}

int32_t Saturated(double value) {
  if (std::isnan(value)) return 0;
  return static_cast<int32_t>(std::clamp(value, -2147483648.0, 2147483647.0));
}

std::string NumberText(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%g", value);
  return buffer;
}

// ---- values: lookups take the first gadget in tree order that holds the
// kind of value asked for.

c4d_bool GetInt32(c4d_dialog* handle, int32_t id, int32_t* value) {
  return WithOpenDialog(handle, 0, [&](WindowEngine&, Dialog& dialog) {
    Gadget* g = dialog.Find(id, HoldsNumber);
    if (!g) return 0;
    if (value) *value = g->int_value;
    return 1;
  });
}

// A combo box keeps a value that none of its entries has; it then shows
// nothing. Number fields keep the value inside min..max when that is a range.
c4d_bool SetInt32(c4d_dialog* handle, int32_t id, int32_t value, int32_t min, int32_t max, int32_t,
                  int32_t, int32_t, int32_t) {
  return WithOpenDialog(handle, 0, [&](WindowEngine&, Dialog& dialog) {
    Gadget* g = dialog.Find(id, HoldsNumber);
    if (!g) return 0;
    if (g->kind == GadgetKind::kEditText && min <= max) value = std::clamp(value, min, max);
    if (g->kind == GadgetKind::kCheckbox) value = value != 0 ? 1 : 0;
    g->int_value = value;
    g->float_value = value;
    if (g->kind == GadgetKind::kEditText) g->text = std::to_string(value);
    return 1;
  });
}

c4d_bool GetFloat(c4d_dialog* handle, int32_t id, double* value) {
  return WithOpenDialog(handle, 0, [&](WindowEngine&, Dialog& dialog) {
    Gadget* g = dialog.Find(id, HoldsNumber);
    if (!g) return 0;
    if (value) *value = g->kind == GadgetKind::kEditText ? g->float_value : g->int_value;
    return 1;
  });
}

c4d_bool SetFloat(c4d_dialog* handle, int32_t id, double value, double min, double max, double,
                  int32_t) {
  return WithOpenDialog(handle, 0, [&](WindowEngine&, Dialog& dialog) {
    Gadget* g = dialog.Find(id, HoldsNumber);
    if (!g || std::isnan(value)) return 0;
    if (g->kind == GadgetKind::kEditText && min <= max) value = std::clamp(value, min, max);
    g->float_value = value;
    g->int_value = Saturated(value);
    if (g->kind == GadgetKind::kEditText) g->text = NumberText(value);
    return 1;
  });
}

c4d_bool GetString(c4d_dialog* handle, int32_t id, c4d_text_sink sink, void* ctx) {
  return WithOpenDialog(handle, 0, [&](WindowEngine&, Dialog& dialog) {
    Gadget* g = dialog.Find(id, HoldsText);
    if (!g) return 0;
    std::string text = g->kind == GadgetKind::kComboBox ? g->ComboText() : g->text;
    if (sink) sink(ctx, text.data(), static_cast<int64_t>(text.size()));
    return 1;
  });
}

c4d_bool SetString(c4d_dialog* handle, int32_t id, const char* text) {
  return WithOpenDialog(handle, 0, [&](WindowEngine&, Dialog& dialog) {
    Gadget* g = dialog.Find(id, HoldsText);
    if (!g || g->kind == GadgetKind::kComboBox) return 0;
    g->text = text ? text : "";
    dialog.layout_dirty = true;
    return 1;
  });
}

// A dialog window here has no parent to tell.
c4d_bool SendParentMessage(c4d_dialog*, const c4d_container*) { return 0; }

// ---- user areas

void UaRelease(c4d_userarea* handle) {
  WithArea(handle, 0, [](WindowEngine& engine, UserArea& area) {
    engine.ReleaseArea(area);
    return 0;
  });
}

int32_t UaGetId(c4d_userarea* handle) {
  return WithArea(handle, -1, [](WindowEngine&, UserArea& area) { return area.gadget_id; });
}

c4d_dialog* UaGetDialog(c4d_userarea* handle) {
  return WithArea(handle, static_cast<c4d_dialog*>(nullptr),
                  [](WindowEngine& engine, UserArea& area) -> c4d_dialog* {
                    Dialog* dialog = engine.FindDialog(area.dialog);
                    return dialog ? dialog->handle() : nullptr;
                  });
}

// A detached area has no size.
Size UaSize(c4d_userarea* handle) {
  return WithArea(handle, Size{}, [](WindowEngine& engine, UserArea& area) {
    Gadget* gadget = engine.AttachedGadget(area);
    if (!gadget) return Size{};
    engine.layout().EnsureLayout(*engine.FindDialog(area.dialog));
    gadget = engine.AttachedGadget(area);
    return gadget ? Size{gadget->rect.width, gadget->rect.height} : Size{};
  });
}

int32_t UaGetWidth(c4d_userarea* handle) { return UaSize(handle).width; }

int32_t UaGetHeight(c4d_userarea* handle) { return UaSize(handle).height; }

void UaRedraw(c4d_userarea* handle) {
  WithArea(handle, 0, [](WindowEngine& engine, UserArea& area) {
    engine.painting().Redraw(area);
    return 0;
  });
}

void UaLayoutChanged(c4d_userarea* handle) {
  WithArea(handle, 0, [](WindowEngine& engine, UserArea& area) {
    if (engine.AttachedGadget(area)) engine.layout().LayoutChanged(*engine.FindDialog(area.dialog));
    return 0;
  });
}

c4d_bool UaSendParentMessage(c4d_userarea* handle, const c4d_container* message) {
  return WithArea(handle, 0, [&](WindowEngine& engine, UserArea& area) {
    return engine.input().SendParentMessage(area, message) ? 1 : 0;
  });
}

c4d_bool UaDefaultInputEvent(c4d_userarea* handle, const c4d_container* message) {
  return WithArea(handle, 0, [&](WindowEngine& engine, UserArea& area) {
    return engine.input().DefaultInputEvent(area, message) ? 1 : 0;
  });
}

int32_t UaDefaultMessage(c4d_userarea*, const c4d_container*, c4d_container*) { return 0; }

void UaDrawBitmap(c4d_userarea* handle, const c4d_bitmap* bitmap, int32_t wx, int32_t wy,
                  int32_t ww, int32_t wh, int32_t x, int32_t y, int32_t w, int32_t h,
                  int32_t mode) {
  WithArea(handle, 0, [&](WindowEngine& engine, UserArea& area) {
    engine.painting().DrawBitmap(area, bitmap, Rect{wx, wy, ww, wh}, Rect{x, y, w, h}, mode);
    return 0;
  });
}

uint8_t PenChannel(double value) {
  if (!std::isfinite(value)) return 0;
  return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255.0));
}

void UaDrawSetPen(c4d_userarea* handle, double r, double g, double b) {
  WithArea(handle, 0, [&](WindowEngine&, UserArea& area) {
    area.pen = Rgb{PenChannel(r), PenChannel(g), PenChannel(b)};
    return 0;
  });
}

void UaDrawRectangle(c4d_userarea* handle, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  WithArea(handle, 0, [&](WindowEngine& engine, UserArea& area) {
    engine.painting().DrawRectangle(area, x1, y1, x2, y2);
    return 0;
  });
}

void UaDrawLine(c4d_userarea* handle, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  WithArea(handle, 0, [&](WindowEngine& engine, UserArea& area) {
    engine.painting().DrawLine(area, x1, y1, x2, y2);
    return 0;
  });
}

void UaDrawText(c4d_userarea* handle, const char* text, int32_t x, int32_t y, int32_t flags) {
  WithArea(handle, 0, [&](WindowEngine& engine, UserArea& area) {
    engine.painting().DrawText(area, text ? text : "", x, y, flags);
    return 0;
  });
}

}  // namespace

void FillDialogValueFunctions(c4d_dialog_api* api) {
  api->get_int32 = GetInt32;
  api->set_int32 = SetInt32;
  api->get_float = GetFloat;
  api->set_float = SetFloat;
  api->get_string = GetString;
  api->set_string = SetString;
  api->send_parent_message = SendParentMessage;
  api->ua_release = UaRelease;
  api->ua_get_id = UaGetId;
  api->ua_get_dialog = UaGetDialog;
  api->ua_get_width = UaGetWidth;
  api->ua_get_height = UaGetHeight;
  api->ua_redraw = UaRedraw;
  api->ua_layout_changed = UaLayoutChanged;
  api->ua_send_parent_message = UaSendParentMessage;
  api->ua_default_input_event = UaDefaultInputEvent;
  api->ua_default_message = UaDefaultMessage;
  api->ua_draw_bitmap = UaDrawBitmap;
  api->ua_draw_set_pen = UaDrawSetPen;
  api->ua_draw_rectangle = UaDrawRectangle;
  api->ua_draw_line = UaDrawLine;
  api->ua_draw_text = UaDrawText;
}

}  // namespace simhost
