#include "fake_module.h"

#include <png.h>

#include <cstdio>
#include <ostream>

namespace windows_test {

namespace {

FakeDialog& D(void* self) { return *static_cast<FakeDialog*>(self); }
FakeArea& A(void* self) { return *static_cast<FakeArea*>(self); }

std::string FourCc(int32_t id) {
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) {
    char c = static_cast<char>((id >> shift) & 0xFF);
    if (c < 0x20 || c > 0x7E) return std::to_string(id);
    text += c;
  }
  return "'" + text + "'";
}

c4d_bool CreateLayout(void* self) {
  FakeDialog& d = D(self);
  d.calls.push_back("create_layout");
  return d.create_layout ? d.create_layout(d) : d.api.default_create_layout(d.handle());
}

c4d_bool InitValues(void* self) {
  FakeDialog& d = D(self);
  d.calls.push_back("init_values");
  return d.init_values ? d.init_values(d) : d.api.default_init_values(d.handle());
}

c4d_bool CoreMessage(void* self, int32_t id, const c4d_container*) {
  D(self).calls.push_back("core_message " + std::to_string(id));
  return 1;
}

c4d_bool Command(void* self, int32_t id, const c4d_container* message) {
  FakeDialog& d = D(self);
  d.calls.push_back("command " + std::to_string(id));
  d.commands.push_back(id);
  d.command_values.push_back(IntAt(d.table, message, C4D_BFM_ACTION_VALUE));
  if (d.command) d.command(d, id, message);
  return 1;
}

c4d_bool AskClose(void* self) {
  D(self).calls.push_back("ask_close");
  return D(self).ask_close_keeps_open ? 1 : 0;
}

void Timer(void* self, const c4d_container*) { D(self).calls.push_back("timer"); }

void DestroyWindow(void* self) { D(self).calls.push_back("destroy_window"); }

int32_t Message(void* self, const c4d_container* message, c4d_container* result) {
  FakeDialog& d = D(self);
  d.calls.push_back("message " + FourCc(d.table.container->get_id(message)));
  if (d.message) return d.message(d, message, result);
  return d.api.default_message(d.handle(), message, result);
}

c4d_bool AreaInit(void* self) {
  ++A(self).inits;
  return 1;
}

c4d_bool AreaInitValues(void*) { return 1; }

c4d_bool AreaMinSize(void* self, int32_t* width, int32_t* height) {
  FakeArea& a = A(self);
  ++a.min_size_calls;
  *width = a.min_width;
  *height = a.min_height;
  return a.answers_min_size ? 1 : 0;
}

void AreaSized(void* self, int32_t width, int32_t height) {
  FakeArea& a = A(self);
  ++a.sized_calls;
  a.last_width = width;
  a.last_height = height;
}

void AreaDraw(void* self, int32_t, int32_t, int32_t, int32_t, const c4d_container*) {
  FakeArea& a = A(self);
  ++a.draws;
  if (a.draw) {
    a.draw(a);
    return;
  }
  const c4d_dialog_api& api = *a.table.dialog;
  api.ua_draw_set_pen(a.handle, a.red, a.green, a.blue);
  api.ua_draw_rectangle(a.handle, 0, 0, api.ua_get_width(a.handle) - 1,
                        api.ua_get_height(a.handle) - 1);
}

c4d_bool AreaInput(void* self, const c4d_container* message) {
  FakeArea& a = A(self);
  ++a.inputs;
  if (a.input) return a.input(a, message);
  const c4d_dialog_api& api = *a.table.dialog;
  if (IntAt(a.table, message, C4D_BFM_INPUT_CHANNEL) == C4D_BFM_INPUT_MOUSEWHEEL) {
    return api.ua_default_input_event(a.handle, message);
  }
  c4d_container* action = a.table.container->create(C4D_BFM_ACTION);
  c4d_value id{};
  id.type = C4D_VALUE_INT32;
  id.int32_value = api.ua_get_id(a.handle);
  a.table.container->set(action, C4D_BFM_ACTION_ID, &id);
  api.ua_send_parent_message(a.handle, action);
  a.table.container->destroy(action);
  return 1;
}

c4d_bool AreaCoreMessage(void*, int32_t, const c4d_container*) { return 1; }
void AreaTimer(void*, const c4d_container*) {}
int32_t AreaMessage(void*, const c4d_container*, c4d_container*) { return 0; }

}  // namespace

const c4d_dialog_callbacks FakeDialog::kCallbacks = {
    CreateLayout, InitValues, CoreMessage, Command, AskClose, Timer, DestroyWindow, Message};

const c4d_userarea_callbacks FakeArea::kCallbacks = {AreaInit,        AreaInitValues, AreaMinSize,
                                                     AreaSized,       AreaDraw,       AreaInput,
                                                     AreaCoreMessage, AreaTimer,      AreaMessage};

FakeDialog::FakeDialog(const c4d_function_table& table_in)
    : table(table_in), api(*table_in.dialog) {
  handle_ = api.create(&kCallbacks, this);
}

FakeDialog::~FakeDialog() { api.destroy(handle_); }

bool FakeDialog::Open(int32_t width, int32_t height) {
  return api.open(handle_, 20, kFakePluginId, -1, -1, width, height, 0) != 0;
}

int FakeDialog::Count(const std::string& call) const {
  int count = 0;
  for (const std::string& c : calls) count += c == call ? 1 : 0;
  return count;
}

FakeArea::FakeArea(const c4d_function_table& table_in) : table(table_in) {}

FakeArea::~FakeArea() { Release(); }

c4d_userarea* FakeArea::Attach(c4d_dialog* dialog, int32_t id, int32_t flags) {
  Release();
  handle = table.dialog->attach_user_area(dialog, id, flags, &kCallbacks, this);
  return handle;
}

void FakeArea::Release() {
  if (handle) table.dialog->ua_release(handle);
  handle = nullptr;
}

void DrawDirectly(FakeArea& area) {
  c4d_container* empty = area.table.container->create(0);
  FakeArea::kCallbacks.draw_msg(&area, 0, 0, 0, 0, empty);
  area.table.container->destroy(empty);
}

void Group(const c4d_dialog_api& api, c4d_dialog* d, int32_t id, int32_t flags, int32_t columns,
           int32_t rows) {
  api.group_begin(d, id, flags, columns, rows, "", 0, 0, 0);
}

void End(const c4d_dialog_api& api, c4d_dialog* d) { api.group_end(d); }

void Area(const c4d_dialog_api& api, c4d_dialog* d, int32_t id, int32_t flags) {
  api.add_user_area(d, id, flags, 50, 50);
}

void BuildBrowserLike(FakeDialog& dialog) {
  const c4d_dialog_api& api = dialog.api;
  c4d_dialog* d = dialog.handle();
  api.set_title(d, "Browser");
  Group(api, d, 1, 63, 1);
  Group(api, d, 0, 8, 4);
  api.add_static_text(d, 0, 0, 0, 0, "  Choose -", 0);
  api.add_combo_box(d, 105, 0, 0, 0, 0);
  api.add_child(d, 105, 0, "North");
  api.add_child(d, 105, 9002, "Show All");
  api.add_static_text(d, 0, 0, 0, 0, "  Size -", 0);
  api.add_combo_box(d, 101, 0, 0, 0, 0);
  api.add_child(d, 101, 1, "Small");
  api.add_child(d, 101, 2, "Medium");
  End(api, d);
  api.group_space(d, 0, 10);
  api.scroll_group_begin(d, 2000, 63, 12, 0, 0);
  Group(api, d, 2001, 63, 1);
  End(api, d);
  End(api, d);
  End(api, d);
}

int32_t IntAt(const c4d_function_table& table, const c4d_container* container, int32_t key,
              int32_t fallback) {
  c4d_value value{};
  if (!container || !table.container->get(container, key, &value)) return fallback;
  return value.type == C4D_VALUE_INT32 ? value.int32_value : fallback;
}

c4d_bitmap* SolidBitmap(const c4d_function_table& table, int32_t width, int32_t height, int32_t r,
                        int32_t g, int32_t b) {
  c4d_bitmap* bitmap = table.bitmap->alloc();
  table.bitmap->init_size(bitmap, width, height, 24, 0);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) table.bitmap->set_pixel(bitmap, x, y, r, g, b);
  }
  return bitmap;
}

Pixel At(const simhost::Picture& picture, int32_t x, int32_t y) {
  if (x < 0 || y < 0 || x >= picture.width || y >= picture.height) return Pixel{-1, -1, -1};
  size_t at = (static_cast<size_t>(y) * static_cast<size_t>(picture.width) + x) * 3;
  return Pixel{picture.rgb[at], picture.rgb[at + 1], picture.rgb[at + 2]};
}

std::ostream& operator<<(std::ostream& out, const Pixel& p) {
  return out << "(" << p.r << "," << p.g << "," << p.b << ")";
}

simhost::Picture ReadPng(const std::string& path) {
  simhost::Picture picture;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return picture;
  image.format = PNG_FORMAT_RGB;
  picture.rgb.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr)) {
    return simhost::Picture{};
  }
  picture.width = static_cast<int32_t>(image.width);
  picture.height = static_cast<int32_t>(image.height);
  return picture;
}

}  // namespace windows_test
