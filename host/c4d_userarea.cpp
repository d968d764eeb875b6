// GeUserArea: the host calls an attached user area through C callbacks whose
// self is the GeUserArea object.
#include "c4d_basebitmap.h"
#include "c4d_gui.h"
#include "c4d_host_private.h"

namespace {

using c4dhost::ContainerFromHost;
using c4dhost::Guarded;
using c4dhost::GuardedVoid;

GeUserArea* AreaOf(void* self) { return static_cast<GeUserArea*>(self); }

c4d_bool InitCallback(void* self) {
  return Guarded<c4d_bool>(0, [&] { return AreaOf(self)->Init() ? 1 : 0; });
}

c4d_bool InitValuesCallback(void* self) {
  return Guarded<c4d_bool>(0, [&] { return AreaOf(self)->InitValues() ? 1 : 0; });
}

c4d_bool GetMinSizeCallback(void* self, int32_t* width, int32_t* height) {
  return Guarded<c4d_bool>(0, [&] {
    maxon::Int32 w = 0, h = 0;
    Bool ok = AreaOf(self)->GetMinSize(w, h);
    if (width != nullptr) *width = w;
    if (height != nullptr) *height = h;
    return ok ? 1 : 0;
  });
}

void SizedCallback(void* self, int32_t width, int32_t height) {
  GuardedVoid([&] { AreaOf(self)->Sized(width, height); });
}

void DrawMsgCallback(void* self, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                     const c4d_container* message) {
  GuardedVoid([&] { AreaOf(self)->DrawMsg(x1, y1, x2, y2, ContainerFromHost(message)); });
}

c4d_bool InputEventCallback(void* self, const c4d_container* message) {
  return Guarded<c4d_bool>(
      0, [&] { return AreaOf(self)->InputEvent(ContainerFromHost(message)) ? 1 : 0; });
}

c4d_bool CoreMessageCallback(void* self, int32_t id, const c4d_container* message) {
  return Guarded<c4d_bool>(
      0, [&] { return AreaOf(self)->CoreMessage(id, ContainerFromHost(message)) ? 1 : 0; });
}

void TimerCallback(void* self, const c4d_container* message) {
  GuardedVoid([&] { AreaOf(self)->Timer(ContainerFromHost(message)); });
}

int32_t MessageCallback(void* self, const c4d_container* message, c4d_container* result) {
  return Guarded<int32_t>(0, [&] {
    BaseContainer answer = ContainerFromHost(result);
    int32_t handled = AreaOf(self)->Message(ContainerFromHost(message), answer);
    if (result != nullptr) c4dhost::WriteHostContainer(answer, result);
    return handled;
  });
}

const c4d_userarea_callbacks kUserAreaCallbacks = {
    InitCallback,       InitValuesCallback,  GetMinSizeCallback, SizedCallback,  DrawMsgCallback,
    InputEventCallback, CoreMessageCallback, TimerCallback,      MessageCallback};

}  // namespace

GeUserArea::GeUserArea() : dlg(nullptr), cu_(nullptr) {}

// Copies start unattached: a host binding belongs to one object only.
GeUserArea::GeUserArea(const GeUserArea& src) : dlg(nullptr), cu_(nullptr) { (void)src; }

GeUserArea& GeUserArea::operator=(const GeUserArea& src) {
  if (this != &src) ReleaseBinding();
  return *this;
}

GeUserArea::~GeUserArea() { ReleaseBinding(); }

void GeUserArea::ReleaseBinding() {
  const c4d_function_table* table = c4dhost::Table();
  if (cu_ != nullptr && table != nullptr) table->dialog->ua_release(cu_);
  cu_ = nullptr;
  dlg = nullptr;
}

Bool GeUserArea::Init() { return true; }

Bool GeUserArea::InitValues() { return true; }

Bool GeUserArea::GetMinSize(maxon::Int32& w, maxon::Int32& h) {
  (void)w;
  (void)h;
  return false;
}

void GeUserArea::Sized(maxon::Int32 w, maxon::Int32 h) {
  (void)w;
  (void)h;
}

OBSOLETE GeUserArea::Draw(maxon::Int32 x1, maxon::Int32 y1, maxon::Int32 x2, maxon::Int32 y2) {
  (void)x1;
  (void)y1;
  (void)x2;
  (void)y2;
  return 0;
}

void GeUserArea::DrawMsg(maxon::Int32 x1, maxon::Int32 y1, maxon::Int32 x2, maxon::Int32 y2,
                         const BaseContainer& msg) {
  (void)msg;
  Draw(x1, y1, x2, y2);
}

Bool GeUserArea::InputEvent(const BaseContainer& msg) {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr || cu_ == nullptr) return false;
  c4dhost::ScopedHostContainer hostMessage(msg);
  return table->dialog->ua_default_input_event(cu_, hostMessage.Get()) != 0;
}

Bool GeUserArea::CoreMessage(maxon::Int32 id, const BaseContainer& msg) {
  (void)id;
  (void)msg;
  return true;
}

void GeUserArea::Timer(const BaseContainer& msg) { (void)msg; }

maxon::Int32 GeUserArea::Message(const BaseContainer& msg, BaseContainer& result) {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr || cu_ == nullptr) return 0;
  c4dhost::ScopedHostContainer hostMessage(msg);
  c4dhost::ScopedHostContainer hostResult(result);
  maxon::Int32 handled =
      table->dialog->ua_default_message(cu_, hostMessage.Get(), hostResult.Get());
  if (hostResult.Get() != nullptr) c4dhost::ReadHostContainer(hostResult.Get(), &result);
  return handled;
}

GeDialog* GeUserArea::GetDialog() { return dlg; }

maxon::Int32 GeUserArea::GetId() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && cu_ != nullptr ? table->dialog->ua_get_id(cu_) : 0;
}

maxon::Int32 GeUserArea::GetWidth() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && cu_ != nullptr ? table->dialog->ua_get_width(cu_) : 0;
}

maxon::Int32 GeUserArea::GetHeight() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && cu_ != nullptr ? table->dialog->ua_get_height(cu_) : 0;
}

void GeUserArea::Redraw(Bool threaded) {
  (void)threaded;
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr && cu_ != nullptr) table->dialog->ua_redraw(cu_);
}

Bool GeUserArea::SendParentMessage(const BaseContainer& msg) {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr || cu_ == nullptr) return false;
  c4dhost::ScopedHostContainer hostMessage(msg);
  return table->dialog->ua_send_parent_message(cu_, hostMessage.Get()) != 0;
}

void GeUserArea::LayoutChanged() {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr && cu_ != nullptr) table->dialog->ua_layout_changed(cu_);
}

Bool GeUserArea::GetInputState(maxon::Int32 askdevice, maxon::Int32 askchannel,
                               BaseContainer& res) {
  return ::GetInputState(askdevice, askchannel, res);
}

void GeUserArea::DrawSetPen(const Vector& color) {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr && cu_ != nullptr) {
    table->dialog->ua_draw_set_pen(cu_, color.x, color.y, color.z);
  }
}

void GeUserArea::DrawRectangle(maxon::Int32 x1, maxon::Int32 y1, maxon::Int32 x2, maxon::Int32 y2) {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr && cu_ != nullptr) table->dialog->ua_draw_rectangle(cu_, x1, y1, x2, y2);
}

void GeUserArea::DrawLine(maxon::Int32 x1, maxon::Int32 y1, maxon::Int32 x2, maxon::Int32 y2) {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr && cu_ != nullptr) table->dialog->ua_draw_line(cu_, x1, y1, x2, y2);
}

void GeUserArea::DrawBitmap(BaseBitmap* bmp, maxon::Int32 wx, maxon::Int32 wy, maxon::Int32 ww,
                            maxon::Int32 wh, maxon::Int32 x, maxon::Int32 y, maxon::Int32 w,
                            maxon::Int32 h, maxon::Int32 mode) {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr || cu_ == nullptr || bmp == nullptr) return;
  table->dialog->ua_draw_bitmap(cu_, reinterpret_cast<const c4d_bitmap*>(bmp), wx, wy, ww, wh, x, y,
                                w, h, mode);
}

void GeUserArea::DrawText(const String& txt, maxon::Int32 x, maxon::Int32 y, maxon::Int32 flags) {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr && cu_ != nullptr) {
    table->dialog->ua_draw_text(cu_, c4dhost::Utf8(txt).c_str(), x, y, flags);
  }
}

// The user area's earlier binding ends first, so the host never holds two
// bindings that call the same object.
Bool GeDialog::AttachUserArea(GeUserArea& ua, const GadgetPtr& id, USERAREAFLAGS userareaflags) {
  ua.ReleaseBinding();
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr || cd_ == nullptr) return false;
  ua.cu_ =
      table->dialog->attach_user_area(cd_, GadgetId(id), userareaflags, &kUserAreaCallbacks, &ua);
  if (ua.cu_ == nullptr) return false;
  ua.dlg = this;
  return true;
}
