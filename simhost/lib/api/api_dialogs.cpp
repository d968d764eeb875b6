// The dialog area of the function table: dialogs and layout building here,
// gadget values and user areas in api_dialogs_values.cpp.
#include <cmath>
#include <cstdio>
#include <string>

#include "dialog_access.h"

namespace simhost {

namespace {

std::string Text(const char* text) { return text ? std::string(text) : std::string(); }

std::unique_ptr<Gadget> MakeGadget(GadgetKind kind, int32_t id, int32_t flags, int32_t width,
                                   int32_t height) {
  auto gadget = std::make_unique<Gadget>();
  gadget->kind = kind;
  gadget->id = id;
  gadget->flags = flags;
  gadget->initial_width = width;
  gadget->initial_height = height;
  return gadget;
}

c4d_gadget* AddTo(c4d_dialog* handle, std::unique_ptr<Gadget> gadget) {
  return WithDialog(handle, static_cast<c4d_gadget*>(nullptr),
                    [&](WindowEngine& engine, Dialog& dialog) {
                      return engine.layout().AddGadget(dialog, std::move(gadget));
                    });
}

// ---- dialogs

c4d_dialog* Create(const c4d_dialog_callbacks* callbacks, void* self) {
  WindowEngine* engine = CurrentEngine();
  if (!engine) return nullptr;
  WindowEngine::Activity activity(*engine);
  return engine->life().CreateDialog(callbacks, self);
}

void Destroy(c4d_dialog* handle) {
  WithDialog(handle, 0, [](WindowEngine& engine, Dialog& dialog) {
    engine.life().DestroyDialog(dialog);
    return 0;
  });
}

c4d_bool Open(c4d_dialog* handle, int32_t type, int32_t plugin_id, int32_t x, int32_t y,
              int32_t width, int32_t height, int32_t sub_id) {
  return WithDialog(handle, 0, [&](WindowEngine& engine, Dialog& dialog) {
    return engine.life().Open(dialog, type, plugin_id, x, y, width, height, sub_id) ? 1 : 0;
  });
}

c4d_bool Close(c4d_dialog* handle) {
  return WithDialog(handle, 0, [](WindowEngine& engine, Dialog& dialog) {
    return engine.life().Close(dialog) ? 1 : 0;
  });
}

// The secret is the host's own layout record, passed through the module.
c4d_bool RestoreLayout(c4d_dialog* handle, int32_t plugin_id, int32_t sub_id, void* secret) {
  return WithDialog(handle, 0, [&](WindowEngine& engine, Dialog& dialog) {
    return engine.life().RestoreLayout(dialog, plugin_id, sub_id,
                                       static_cast<const SavedLayout*>(secret))
               ? 1
               : 0;
  });
}

c4d_bool IsOpen(c4d_dialog* handle) {
  return WithDialog(handle, 0, [](WindowEngine&, Dialog& dialog) { return dialog.open ? 1 : 0; });
}

void SetTitle(c4d_dialog* handle, const char* title) {
  WithDialog(handle, 0, [&](WindowEngine&, Dialog& dialog) {
    dialog.title = Text(title);
    dialog.canvas.Resize(0, 0, Rgb{});  // the frame is painted again with the new title
    return 0;
  });
}

void SetTimer(c4d_dialog* handle, int32_t milliseconds) {
  WithDialog(handle, 0, [&](WindowEngine&, Dialog& dialog) {
    dialog.timer_ms = milliseconds > 0 ? milliseconds : 0;
    return 0;
  });
}

c4d_bool DefaultCreateLayout(c4d_dialog* handle) {
  return WithDialog(handle, 0, [](WindowEngine& engine, Dialog& dialog) {
    return engine.life().DefaultCreateLayout(dialog) ? 1 : 0;
  });
}

c4d_bool DefaultInitValues(c4d_dialog* handle) {
  return WithDialog(handle, 0, [](WindowEngine& engine, Dialog& dialog) {
    return engine.life().DefaultInitValues(dialog) ? 1 : 0;
  });
}

int32_t DefaultMessage(c4d_dialog* handle, const c4d_container* message, c4d_container*) {
  return WithDialog(handle, 0, [&](WindowEngine& engine, Dialog& dialog) {
    return engine.life().DefaultMessage(dialog, message);
  });
}

// ---- groups

c4d_bool GroupBegin(c4d_dialog* handle, int32_t id, int32_t flags, int32_t columns, int32_t rows,
                    const char* title, int32_t group_flags, int32_t width, int32_t height) {
  auto group = MakeGadget(GadgetKind::kGroup, id, flags, width, height);
  group->columns = columns;
  group->rows = rows;
  group->text = Text(title);
  group->group_flags = group_flags;
  return WithDialog(handle, 0, [&](WindowEngine& engine, Dialog& dialog) {
    return engine.layout().BeginGroup(dialog, std::move(group)) ? 1 : 0;
  });
}

c4d_bool ScrollGroupBegin(c4d_dialog* handle, int32_t id, int32_t flags, int32_t scroll_flags,
                          int32_t width, int32_t height) {
  auto group = MakeGadget(GadgetKind::kScrollGroup, id, flags, width, height);
  group->scroll_flags = scroll_flags;
  group->columns = 1;
  return WithDialog(handle, 0, [&](WindowEngine& engine, Dialog& dialog) {
    return engine.layout().BeginGroup(dialog, std::move(group)) ? 1 : 0;
  });
}

c4d_bool GroupEnd(c4d_dialog* handle) {
  return WithOpenDialog(handle, 0,
                        [](WindowEngine&, Dialog& dialog) { return dialog.EndGroup() ? 1 : 0; });
}

template <typename Change>
c4d_bool ChangeCurrentGroup(c4d_dialog* handle, Change change) {
  return WithOpenDialog(handle, 0, [&](WindowEngine&, Dialog& dialog) {
    change(*dialog.CurrentGroup());
    dialog.layout_dirty = true;
    return 1;
  });
}

c4d_bool GroupSpace(c4d_dialog* handle, int32_t space_x, int32_t space_y) {
  return ChangeCurrentGroup(handle, [&](Gadget& group) {
    group.space_x = space_x;
    group.space_y = space_y;
  });
}

c4d_bool GroupBorderSpace(c4d_dialog* handle, int32_t left, int32_t top, int32_t right,
                          int32_t bottom) {
  return ChangeCurrentGroup(handle, [&](Gadget& group) {
    group.border_left = left;
    group.border_top = top;
    group.border_right = right;
    group.border_bottom = bottom;
  });
}

c4d_bool GroupBorder(c4d_dialog* handle, uint32_t border_style, c4d_bool with_title) {
  return ChangeCurrentGroup(handle, [&](Gadget& group) {
    group.border_style = border_style;
    group.border_title = with_title != 0;
  });
}

// ---- gadgets

c4d_gadget* AddStaticText(c4d_dialog* handle, int32_t id, int32_t flags, int32_t width,
                          int32_t height, const char* text, int32_t border_style) {
  auto gadget = MakeGadget(GadgetKind::kStaticText, id, flags, width, height);
  gadget->text = Text(text);
  gadget->style = border_style;
  return AddTo(handle, std::move(gadget));
}

c4d_gadget* AddButton(c4d_dialog* handle, int32_t id, int32_t flags, int32_t width, int32_t height,
                      const char* text) {
  auto gadget = MakeGadget(GadgetKind::kButton, id, flags, width, height);
  gadget->text = Text(text);
  return AddTo(handle, std::move(gadget));
}

c4d_gadget* AddCheckbox(c4d_dialog* handle, int32_t id, int32_t flags, int32_t width,
                        int32_t height, const char* text) {
  auto gadget = MakeGadget(GadgetKind::kCheckbox, id, flags, width, height);
  gadget->text = Text(text);
  return AddTo(handle, std::move(gadget));
}

c4d_gadget* AddComboBox(c4d_dialog* handle, int32_t id, int32_t flags, int32_t width,
                        int32_t height, c4d_bool) {
  return AddTo(handle, MakeGadget(GadgetKind::kComboBox, id, flags, width, height));
}

c4d_gadget* AddEditText(c4d_dialog* handle, int32_t id, int32_t flags, int32_t width,
                        int32_t height, int32_t edit_flags) {
  auto gadget = MakeGadget(GadgetKind::kEditText, id, flags, width, height);
  gadget->style = edit_flags;
  return AddTo(handle, std::move(gadget));
}

c4d_gadget* AddSeparator(c4d_dialog* handle, c4d_bool vertical, int32_t size, int32_t flags) {
  auto gadget =
      MakeGadget(GadgetKind::kSeparator, 0, flags, vertical ? 0 : size, vertical ? size : 0);
  gadget->vertical = vertical != 0;
  return AddTo(handle, std::move(gadget));
}

c4d_gadget* AddUserArea(c4d_dialog* handle, int32_t id, int32_t flags, int32_t width,
                        int32_t height) {
  return AddTo(handle, MakeGadget(GadgetKind::kUserArea, id, flags, width, height));
}

c4d_bool AddChild(c4d_dialog* handle, int32_t id, int32_t sub_id, const char* text) {
  return WithOpenDialog(handle, 0, [&](WindowEngine&, Dialog& dialog) {
    Gadget* combo = dialog.FindKind(id, GadgetKind::kComboBox);
    if (!combo) return 0;
    combo->entries.push_back(ComboEntry{sub_id, Text(text)});
    dialog.layout_dirty = true;
    return 1;
  });
}

c4d_bool FreeChildren(c4d_dialog* handle, int32_t id) {
  return WithOpenDialog(handle, 0, [&](WindowEngine&, Dialog& dialog) {
    Gadget* combo = dialog.FindKind(id, GadgetKind::kComboBox);
    if (!combo) return 0;
    combo->entries.clear();
    dialog.layout_dirty = true;
    return 1;
  });
}

c4d_userarea* AttachUserArea(c4d_dialog* handle, int32_t id, int32_t flags,
                             const c4d_userarea_callbacks* callbacks, void* self) {
  return WithDialog(handle, static_cast<c4d_userarea*>(nullptr),
                    [&](WindowEngine& engine, Dialog& dialog) {
                      return engine.layout().Attach(dialog, id, flags, callbacks, self);
                    });
}

// ---- layout

c4d_bool LayoutFlushGroup(c4d_dialog* handle, int32_t id) {
  return WithDialog(handle, 0, [&](WindowEngine& engine, Dialog& dialog) {
    return engine.layout().FlushGroup(dialog, id) ? 1 : 0;
  });
}

// Leaves the layouts asked for before waiting, so that a run of these
// calls is laid out once.
c4d_bool LayoutChanged(c4d_dialog* handle, int32_t, c4d_bool) {
  WindowEngine* engine = CurrentEngine();
  if (!engine) return 0;
  WindowEngine::Activity activity(*engine, WindowEngine::Activity::Layouts::kLeaveWaiting);
  Dialog* dialog = engine->FindDialog(handle);
  if (!dialog || !dialog->open) return 0;
  engine->layout().LayoutChanged(*dialog);
  return 1;
}

c4d_bool RemoveElement(c4d_dialog* handle, int32_t id) {
  return WithDialog(handle, 0, [&](WindowEngine& engine, Dialog& dialog) {
    return engine.layout().RemoveElement(dialog, id) ? 1 : 0;
  });
}

template <typename Change>
c4d_bool ChangeGadget(c4d_dialog* handle, int32_t id, Change change) {
  return WithOpenDialog(handle, 0, [&](WindowEngine&, Dialog& dialog) {
    Gadget* gadget = dialog.Find(id, [](const Gadget&) { return true; });
    if (!gadget) return 0;
    change(*gadget);
    dialog.layout_dirty = true;
    return 1;
  });
}

c4d_bool HideElement(c4d_dialog* handle, int32_t id, c4d_bool hide) {
  return ChangeGadget(handle, id, [&](Gadget& g) { g.hidden = hide != 0; });
}

c4d_bool Enable(c4d_dialog* handle, int32_t id, c4d_bool enabled) {
  return ChangeGadget(handle, id, [&](Gadget& g) { g.enabled = enabled != 0; });
}

c4d_bool GetVisibleArea(c4d_dialog* handle, int32_t id, int32_t* x1, int32_t* y1, int32_t* x2,
                        int32_t* y2) {
  return WithOpenDialog(handle, 0, [&](WindowEngine& engine, Dialog& dialog) {
    Rect area;
    if (!engine.layout().VisibleArea(dialog, id, &area)) return 0;
    if (x1) *x1 = area.x;
    if (y1) *y1 = area.y;
    if (x2) *x2 = area.Right();
    if (y2) *y2 = area.Bottom();
    return 1;
  });
}

// Scrolls so that the area's top left corner is the first visible pixel,
// as far as the content allows.
c4d_bool SetVisibleArea(c4d_dialog* handle, int32_t id, int32_t x1, int32_t y1, int32_t, int32_t) {
  return WithOpenDialog(handle, 0, [&](WindowEngine& engine, Dialog& dialog) {
    engine.layout().EnsureLayout(dialog);
    Gadget* group = dialog.FindKind(id, GadgetKind::kScrollGroup);
    if (!group) return 0;
    group->scroll_x = x1;
    group->scroll_y = y1;
    ClampScroll(*group);
    return 1;
  });
}

// Client coordinates of the laid-out gadget, without scrolling.
c4d_bool GetItemDim(c4d_dialog* handle, int32_t id, int32_t* x, int32_t* y, int32_t* w,
                    int32_t* h) {
  return WithOpenDialog(handle, 0, [&](WindowEngine& engine, Dialog& dialog) {
    engine.layout().EnsureLayout(dialog);
    Gadget* gadget = dialog.Find(id, [](const Gadget&) { return true; });
    if (!gadget) return 0;
    if (x) *x = gadget->rect.x;
    if (y) *y = gadget->rect.y;
    if (w) *w = gadget->rect.width;
    if (h) *h = gadget->rect.height;
    return 1;
  });
}

int32_t GadgetId(c4d_dialog* handle, const c4d_gadget* gadget) {
  return WithDialog(handle, -1, [&](WindowEngine&, Dialog& dialog) {
    Gadget* found = dialog.FindBySerial(static_cast<uint64_t>(reinterpret_cast<uintptr_t>(gadget)));
    return found ? found->id : -1;
  });
}

}  // namespace

WindowEngine* CurrentEngine() {
  WindowSystem* system = WindowSystem::Current();
  return system ? &system->engine() : nullptr;
}

void FillDialogApi(c4d_dialog_api* api) {
  api->create = Create;
  api->destroy = Destroy;
  api->open = Open;
  api->close = Close;
  api->restore_layout = RestoreLayout;
  api->is_open = IsOpen;
  api->is_visible = IsOpen;
  api->set_title = SetTitle;
  api->set_timer = SetTimer;
  api->default_create_layout = DefaultCreateLayout;
  api->default_init_values = DefaultInitValues;
  api->default_message = DefaultMessage;
  api->group_begin = GroupBegin;
  api->group_end = GroupEnd;
  api->group_space = GroupSpace;
  api->group_border_space = GroupBorderSpace;
  api->group_border = GroupBorder;
  api->scroll_group_begin = ScrollGroupBegin;
  api->add_static_text = AddStaticText;
  api->add_button = AddButton;
  api->add_checkbox = AddCheckbox;
  api->add_combo_box = AddComboBox;
  api->add_edit_text = AddEditText;
  api->add_separator = AddSeparator;
  api->add_child = AddChild;
  api->free_children = FreeChildren;
  api->add_user_area = AddUserArea;
  api->attach_user_area = AttachUserArea;
  api->layout_flush_group = LayoutFlushGroup;
  api->layout_changed = LayoutChanged;
  api->remove_element = RemoveElement;
  api->hide_element = HideElement;
  api->enable = Enable;
  api->get_visible_area = GetVisibleArea;
  api->set_visible_area = SetVisibleArea;
  api->get_item_dim = GetItemDim;
  api->gadget_id = GadgetId;
  FillDialogValueFunctions(api);
}

}  // namespace simhost
