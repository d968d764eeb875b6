// GeDialog: a host dialog driven through C callbacks that call the virtuals.
#include "c4d_gui.h"

#include "c4d_host_private.h"

namespace {

using c4dhost::ContainerFromHost;
using c4dhost::Guarded;
using c4dhost::GuardedVoid;

GeDialog* DialogOf(void* self) { return static_cast<GeDialog*>(self); }

c4d_bool CreateLayoutCallback(void* self) {
  return Guarded<c4d_bool>(0, [&] { return DialogOf(self)->CreateLayout() ? 1 : 0; });
}

c4d_bool InitValuesCallback(void* self) {
  return Guarded<c4d_bool>(0, [&] { return DialogOf(self)->InitValues() ? 1 : 0; });
}

c4d_bool CoreMessageCallback(void* self, int32_t id, const c4d_container* message) {
  return Guarded<c4d_bool>(
      0, [&] { return DialogOf(self)->CoreMessage(id, ContainerFromHost(message)) ? 1 : 0; });
}

c4d_bool CommandCallback(void* self, int32_t id, const c4d_container* message) {
  return Guarded<c4d_bool>(
      0, [&] { return DialogOf(self)->Command(id, ContainerFromHost(message)) ? 1 : 0; });
}

c4d_bool AskCloseCallback(void* self) {
  return Guarded<c4d_bool>(0, [&] { return DialogOf(self)->AskClose() ? 1 : 0; });
}

void TimerCallback(void* self, const c4d_container* message) {
  GuardedVoid([&] { DialogOf(self)->Timer(ContainerFromHost(message)); });
}

void DestroyWindowCallback(void* self) {
  GuardedVoid([&] { DialogOf(self)->DestroyWindow(); });
}

// The answer container goes back whole, id included: the host reads its id.
int32_t MessageCallback(void* self, const c4d_container* message, c4d_container* result) {
  return Guarded<int32_t>(0, [&] {
    BaseContainer answer = ContainerFromHost(result);
    int32_t handled = DialogOf(self)->Message(ContainerFromHost(message), answer);
    if (result != nullptr) c4dhost::WriteHostContainer(answer, result);
    return handled;
  });
}

const c4d_dialog_callbacks kDialogCallbacks = {
    CreateLayoutCallback, InitValuesCallback, CoreMessageCallback,   CommandCallback,
    AskCloseCallback,     TimerCallback,      DestroyWindowCallback, MessageCallback};

c4d_gadget* GadgetHandle(C4DGadget* gadget) { return reinterpret_cast<c4d_gadget*>(gadget); }
C4DGadget* Gadget(c4d_gadget* gadget) { return reinterpret_cast<C4DGadget*>(gadget); }

}  // namespace

GeDialog::GeDialog() : cd_(nullptr), plugin_id_(0) {}

GeDialog::~GeDialog() {
  const c4d_function_table* table = c4dhost::Table();
  if (cd_ != nullptr && table != nullptr) table->dialog->destroy(cd_);
  cd_ = nullptr;
}

Bool GeDialog::CreateLayout() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && cd_ != nullptr && table->dialog->default_create_layout(cd_);
}

Bool GeDialog::InitValues() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && cd_ != nullptr && table->dialog->default_init_values(cd_);
}

Bool GeDialog::CoreMessage(maxon::Int32 id, const BaseContainer& msg) {
  (void)id;
  (void)msg;
  return true;
}

Bool GeDialog::Command(maxon::Int32 id, const BaseContainer& msg) {
  (void)id;
  (void)msg;
  return true;
}

Bool GeDialog::AskClose() { return false; }

void GeDialog::Timer(const BaseContainer& msg) { (void)msg; }

void GeDialog::DestroyWindow() {}

maxon::Int32 GeDialog::Message(const BaseContainer& msg, BaseContainer& result) {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr || cd_ == nullptr) return 0;
  c4dhost::ScopedHostContainer hostMessage(msg);
  c4dhost::ScopedHostContainer hostResult(result);
  maxon::Int32 handled = table->dialog->default_message(cd_, hostMessage.Get(), hostResult.Get());
  if (hostResult.Get() != nullptr) c4dhost::ReadHostContainer(hostResult.Get(), &result);
  return handled;
}

Bool GeDialog::EnsureWindow() {
  const c4d_function_table* table = c4dhost::Table();
  if (cd_ == nullptr && table != nullptr) cd_ = table->dialog->create(&kDialogCallbacks, this);
  return cd_ != nullptr;
}

Bool GeDialog::Open(DLG_TYPE dlgtype, maxon::Int32 pluginid, maxon::Int32 xpos, maxon::Int32 ypos,
                    maxon::Int32 defaultw, maxon::Int32 defaulth, maxon::Int32 subid) {
  if (!EnsureWindow()) return false;
  plugin_id_ = pluginid;
  return c4dhost::Table()->dialog->open(cd_, dlgtype, pluginid, xpos, ypos, defaultw, defaulth,
                                        subid) != 0;
}

Bool GeDialog::Close() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && cd_ != nullptr && table->dialog->close(cd_);
}

Bool GeDialog::Close(Bool dummy) {
  (void)dummy;
  return Close();
}

Bool GeDialog::RestoreLayout(maxon::Int32 pluginid, maxon::Int32 subid, void* secret) {
  if (!EnsureWindow()) return false;
  plugin_id_ = pluginid;
  return c4dhost::Table()->dialog->restore_layout(cd_, pluginid, subid, secret) != 0;
}

void GeDialog::SetTitle(const String& title) {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr && cd_ != nullptr) {
    table->dialog->set_title(cd_, c4dhost::Utf8(title).c_str());
  }
}

void GeDialog::SetTimer(maxon::Int32 timer) {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr && cd_ != nullptr) table->dialog->set_timer(cd_, timer);
}

maxon::Int32 GeDialog::GetId() { return plugin_id_; }

Bool GeDialog::IsOpen() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && cd_ != nullptr && table->dialog->is_open(cd_);
}

Bool GeDialog::IsVisible() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && cd_ != nullptr && table->dialog->is_visible(cd_);
}

Bool GeDialog::SendParentMessage(const BaseContainer& msg) {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr || cd_ == nullptr) return false;
  c4dhost::ScopedHostContainer hostMessage(msg);
  return table->dialog->send_parent_message(cd_, hostMessage.Get()) != 0;
}

Bool GeDialog::Enable(const GadgetPtr& id, Bool enabled) {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && cd_ != nullptr &&
         table->dialog->enable(cd_, GadgetId(id), enabled ? 1 : 0);
}

// ------------------------------------------------------------------ layout

Bool GeDialog::GroupBegin(maxon::Int32 id, maxon::Int32 flags, maxon::Int32 cols, maxon::Int32 rows,
                          const String& title, maxon::Int32 groupflags, maxon::Int32 initw,
                          maxon::Int32 inith) {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr || cd_ == nullptr) return false;
  return table->dialog->group_begin(cd_, id, flags, cols, rows, c4dhost::Utf8(title).c_str(),
                                    groupflags, initw, inith) != 0;
}

Bool GeDialog::GroupEnd() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && cd_ != nullptr && table->dialog->group_end(cd_);
}

Bool GeDialog::GroupSpace(maxon::Int32 spacex, maxon::Int32 spacey) {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && cd_ != nullptr && table->dialog->group_space(cd_, spacex, spacey);
}

Bool GeDialog::GroupBorder(maxon::UInt32 borderstyle) {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && cd_ != nullptr && table->dialog->group_border(cd_, borderstyle, 1);
}

Bool GeDialog::GroupBorderNoTitle(maxon::UInt32 borderstyle) {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && cd_ != nullptr && table->dialog->group_border(cd_, borderstyle, 0);
}

Bool GeDialog::GroupBorderSpace(maxon::Int32 left, maxon::Int32 top, maxon::Int32 right,
                                maxon::Int32 bottom) {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && cd_ != nullptr &&
         table->dialog->group_border_space(cd_, left, top, right, bottom);
}

Bool GeDialog::ScrollGroupBegin(maxon::Int32 id, maxon::Int32 flags, maxon::Int32 scrollflags,
                                maxon::Int32 initw, maxon::Int32 inith) {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && cd_ != nullptr &&
         table->dialog->scroll_group_begin(cd_, id, flags, scrollflags, initw, inith);
}

C4DGadget* GeDialog::AddStaticText(maxon::Int32 id, maxon::Int32 flags, maxon::Int32 initw,
                                   maxon::Int32 inith, const String& name,
                                   maxon::Int32 borderstyle) {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr || cd_ == nullptr) return nullptr;
  return Gadget(table->dialog->add_static_text(cd_, id, flags, initw, inith,
                                               c4dhost::Utf8(name).c_str(), borderstyle));
}

C4DGadget* GeDialog::AddButton(maxon::Int32 id, maxon::Int32 flags, maxon::Int32 initw,
                               maxon::Int32 inith, const String& name) {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr || cd_ == nullptr) return nullptr;
  return Gadget(
      table->dialog->add_button(cd_, id, flags, initw, inith, c4dhost::Utf8(name).c_str()));
}

C4DGadget* GeDialog::AddCheckbox(maxon::Int32 id, maxon::Int32 flags, maxon::Int32 initw,
                                 maxon::Int32 inith, const String& name) {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr || cd_ == nullptr) return nullptr;
  return Gadget(
      table->dialog->add_checkbox(cd_, id, flags, initw, inith, c4dhost::Utf8(name).c_str()));
}

C4DGadget* GeDialog::AddComboBox(maxon::Int32 id, maxon::Int32 flags, maxon::Int32 initw,
                                 maxon::Int32 inith, Bool specialalign) {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr || cd_ == nullptr) return nullptr;
  return Gadget(table->dialog->add_combo_box(cd_, id, flags, initw, inith, specialalign ? 1 : 0));
}

Bool GeDialog::AddChild(const GadgetPtr& id, maxon::Int32 subid, const String& child) {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && cd_ != nullptr &&
         table->dialog->add_child(cd_, GadgetId(id), subid, c4dhost::Utf8(child).c_str());
}

Bool GeDialog::FreeChildren(const GadgetPtr& id) {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && cd_ != nullptr && table->dialog->free_children(cd_, GadgetId(id));
}

C4DGadget* GeDialog::AddEditText(maxon::Int32 id, maxon::Int32 flags, maxon::Int32 initw,
                                 maxon::Int32 inith, maxon::Int32 editflags) {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr || cd_ == nullptr) return nullptr;
  return Gadget(table->dialog->add_edit_text(cd_, id, flags, initw, inith, editflags));
}

C4DGadget* GeDialog::AddSeparatorH(maxon::Int32 initw, maxon::Int32 flags) {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr || cd_ == nullptr) return nullptr;
  return Gadget(table->dialog->add_separator(cd_, 0, initw, flags));
}

C4DGadget* GeDialog::AddSeparatorV(maxon::Int32 inith, maxon::Int32 flags) {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr || cd_ == nullptr) return nullptr;
  return Gadget(table->dialog->add_separator(cd_, 1, inith, flags));
}

C4DGadget* GeDialog::AddUserArea(maxon::Int32 id, maxon::Int32 flags, maxon::Int32 initw,
                                 maxon::Int32 inith) {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr || cd_ == nullptr) return nullptr;
  return Gadget(table->dialog->add_user_area(cd_, id, flags, initw, inith));
}

Bool GeDialog::LayoutFlushGroup(const GadgetPtr& id) {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && cd_ != nullptr && table->dialog->layout_flush_group(cd_, GadgetId(id));
}

Bool GeDialog::LayoutChanged(const GadgetPtr& id) {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && cd_ != nullptr && table->dialog->layout_changed(cd_, GadgetId(id), 1);
}

Bool GeDialog::LayoutChangedNoRedraw(const GadgetPtr& id) {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && cd_ != nullptr && table->dialog->layout_changed(cd_, GadgetId(id), 0);
}

Bool GeDialog::RemoveElement(const GadgetPtr& id) {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && cd_ != nullptr && table->dialog->remove_element(cd_, GadgetId(id));
}

Bool GeDialog::HideElement(const GadgetPtr& id, Bool hide) {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && cd_ != nullptr &&
         table->dialog->hide_element(cd_, GadgetId(id), hide ? 1 : 0);
}

Bool GeDialog::GetVisibleArea(maxon::Int32 scrollgroupid, maxon::Int32* x1, maxon::Int32* y1,
                              maxon::Int32* x2, maxon::Int32* y2) {
  const c4d_function_table* table = c4dhost::Table();
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  if (table == nullptr || cd_ == nullptr ||
      !table->dialog->get_visible_area(cd_, scrollgroupid, &left, &top, &right, &bottom)) {
    return false;
  }
  if (x1 != nullptr) *x1 = left;
  if (y1 != nullptr) *y1 = top;
  if (x2 != nullptr) *x2 = right;
  if (y2 != nullptr) *y2 = bottom;
  return true;
}

Bool GeDialog::SetVisibleArea(maxon::Int32 scrollgroupid, maxon::Int32 x1, maxon::Int32 y1,
                              maxon::Int32 x2, maxon::Int32 y2) {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && cd_ != nullptr &&
         table->dialog->set_visible_area(cd_, scrollgroupid, x1, y1, x2, y2);
}

Bool GeDialog::GetItemDim(const GadgetPtr& id, maxon::Int32* x, maxon::Int32* y, maxon::Int32* w,
                          maxon::Int32* h) {
  const c4d_function_table* table = c4dhost::Table();
  int32_t left = 0, top = 0, width = 0, height = 0;
  if (table == nullptr || cd_ == nullptr ||
      !table->dialog->get_item_dim(cd_, GadgetId(id), &left, &top, &width, &height)) {
    return false;
  }
  if (x != nullptr) *x = left;
  if (y != nullptr) *y = top;
  if (w != nullptr) *w = width;
  if (h != nullptr) *h = height;
  return true;
}

// ------------------------------------------------------------ gadget values

maxon::Int32 GeDialog::GadgetId(const GadgetPtr& id) const {
  if (id.Ptr() == nullptr) return id.Id();
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr || cd_ == nullptr) return C4DGUINOPTR;
  return table->dialog->gadget_id(cd_, GadgetHandle(id.Ptr()));
}

Bool GeDialog::ReadInt(const GadgetPtr& id, maxon::Int32* value) const {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && cd_ != nullptr && table->dialog->get_int32(cd_, GadgetId(id), value);
}

Bool GeDialog::WriteInt(const GadgetPtr& id, maxon::Int32 value, maxon::Int32 min, maxon::Int32 max,
                        maxon::Int32 step, maxon::Int32 tristate, maxon::Int32 min2,
                        maxon::Int32 max2) {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && cd_ != nullptr &&
         table->dialog->set_int32(cd_, GadgetId(id), value, min, max, step, tristate, min2, max2);
}

Bool GeDialog::ReadFloat(const GadgetPtr& id, maxon::Float* value) const {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && cd_ != nullptr && table->dialog->get_float(cd_, GadgetId(id), value);
}

Bool GeDialog::WriteFloat(const GadgetPtr& id, maxon::Float value, maxon::Float min,
                          maxon::Float max, maxon::Float step, maxon::Int32 format) {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && cd_ != nullptr &&
         table->dialog->set_float(cd_, GadgetId(id), value, min, max, step, format);
}

#ifdef C4D_API_R14

Bool GeDialog::GetLong(const GadgetPtr& id, LONG& value) const { return ReadInt(id, &value); }

Bool GeDialog::GetLong(const GadgetPtr& id, BaseContainer* bc, LONG bcid) const {
  LONG value = 0;
  if (bc == nullptr || !ReadInt(id, &value)) return false;
  bc->SetLong(bcid, value);
  return true;
}

Bool GeDialog::SetLong(const GadgetPtr& id, LONG value, LONG min, LONG max, LONG step,
                       LONG tristate, LONG min2, LONG max2) {
  return WriteInt(id, value, min, max, step, tristate, min2, max2);
}

Bool GeDialog::GetReal(const GadgetPtr& id, Real& value) const { return ReadFloat(id, &value); }

Bool GeDialog::SetReal(const GadgetPtr& id, Real value, Real min, Real max, Real step, LONG format,
                       Real min2, Real max2, Bool quadscale, LONG tristate) {
  (void)min2;
  (void)max2;
  (void)quadscale;
  (void)tristate;
  return WriteFloat(id, value, min, max, step, format);
}

#else

Bool GeDialog::GetInt32(const GadgetPtr& id, Int32& value) const { return ReadInt(id, &value); }

Bool GeDialog::GetInt32(const GadgetPtr& id, BaseContainer* bc, Int32 bcid) const {
  Int32 value = 0;
  if (bc == nullptr || !ReadInt(id, &value)) return false;
  bc->SetInt32(bcid, value);
  return true;
}

Bool GeDialog::SetInt32(const GadgetPtr& id, Int32 value, Int32 min, Int32 max, Int32 step,
                        Int32 tristate, Int32 min2, Int32 max2) {
  return WriteInt(id, value, min, max, step, tristate, min2, max2);
}

Bool GeDialog::GetFloat(const GadgetPtr& id, Float& value) const { return ReadFloat(id, &value); }

// The host's number fields know no second range, quadratic scale or mixed
// state, so those arguments are not passed on.
Bool GeDialog::SetFloat(const GadgetPtr& id, Float value, Float min, Float max, Float step,
                        Int32 format, Float min2, Float max2, Bool quadscale, Int32 tristate) {
  (void)min2;
  (void)max2;
  (void)quadscale;
  (void)tristate;
  return WriteFloat(id, value, min, max, step, format);
}

#endif

Bool GeDialog::GetBool(const GadgetPtr& id, Bool& value) const {
  maxon::Int32 state = 0;
  if (!ReadInt(id, &state)) return false;
  value = state != 0;
  return true;
}

Bool GeDialog::SetBool(const GadgetPtr& id, maxon::Int32 value, maxon::Int32 tristate) {
  return WriteInt(id, value != 0 ? 1 : 0, 0, 1, 1, tristate, 0, 1);
}

Bool GeDialog::GetString(const GadgetPtr& id, String& text) const {
  const c4d_function_table* table = c4dhost::Table();
  c4dhost::TextReceiver receiver;
  if (table == nullptr || cd_ == nullptr ||
      !table->dialog->get_string(cd_, GadgetId(id), &c4dhost::TextReceiver::Sink,
                                 receiver.Context())) {
    return false;
  }
  text = receiver.GetString();
  return true;
}

Bool GeDialog::SetString(const GadgetPtr& id, const String& text, maxon::Int32 tristate,
                         maxon::Int32 flags) {
  (void)tristate;
  (void)flags;
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && cd_ != nullptr &&
         table->dialog->set_string(cd_, GadgetId(id), c4dhost::Utf8(text).c_str());
}

Bool GeDialog::GetFilename(const GadgetPtr& id, Filename& fn) const {
  String text;
  if (!GetString(id, text)) return false;
  fn = Filename(text);
  return true;
}

Bool GeDialog::SetFilename(const GadgetPtr& id, const Filename& fn, maxon::Int32 tristate) {
  return SetString(id, fn.GetString(), tristate);
}

Bool GeDialog::GetInputState(maxon::Int32 askdevice, maxon::Int32 askchannel, BaseContainer& res) {
  return ::GetInputState(askdevice, askchannel, res);
}

// ------------------------------------------------------------------ globals

void MessageDialog(const String& str) {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr) table->general->message_dialog(c4dhost::Utf8(str).c_str());
}

Bool GetInputState(maxon::Int32 askdevice, maxon::Int32 askchannel, BaseContainer& res) {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr) return false;
  c4dhost::ScopedHostContainer state;
  if (state.Get() == nullptr ||
      !table->general->get_input_state(askdevice, askchannel, state.Get())) {
    return false;
  }
  c4dhost::ReadHostContainer(state.Get(), &res);
  return true;
}
