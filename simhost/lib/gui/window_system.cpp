#include "window_system.h"

#include "png_writer.h"
#include "window_engine.h"

namespace simhost {

namespace {

WindowSystem* current_system = nullptr;

// Runs body with the dialog of a handle inside an engine activity.
template <typename Result, typename Body>
Result OnDialog(WindowEngine& engine, c4d_dialog* handle, Result fallback, Body body) {
  WindowEngine::Activity activity(engine);
  Dialog* dialog = engine.FindDialog(handle);
  return dialog ? body(*dialog) : fallback;
}

bool SavePicturePixels(const Picture& picture, const std::string& path, std::string* error) {
  if (picture.width <= 0 || picture.height <= 0) {
    if (error) *error = "no such window or user area to picture";
    return false;
  }
  return WritePicture(picture.width, picture.height, picture.rgb.data(), path, error);
}

}  // namespace

WindowSystem::WindowSystem(const c4d_function_table& table)
    : engine_(std::make_unique<WindowEngine>(table)) {}

WindowSystem::~WindowSystem() {
  if (current_system == this) current_system = nullptr;
}

void WindowSystem::MakeCurrent() { current_system = this; }

WindowSystem* WindowSystem::Current() { return current_system; }

void WindowSystem::CloseAllWindows() {
  WindowEngine::Activity activity(*engine_);
  engine_->life().CloseAllWindows();
}

void WindowSystem::SetDefaultCreateLayoutFails(bool fails) {
  engine_->life().SetDefaultFailures(fails, std::nullopt);
}

void WindowSystem::SetDefaultInitValuesFails(bool fails) {
  engine_->life().SetDefaultFailures(std::nullopt, fails);
}

std::vector<c4d_dialog*> WindowSystem::Dialogs() const {
  std::vector<c4d_dialog*> handles;
  for (uint64_t serial : engine_->DialogSerials()) {
    handles.push_back(engine_->FindDialog(serial)->handle());
  }
  return handles;
}

c4d_dialog* WindowSystem::FindOpenDialog(int32_t plugin_id) const {
  for (uint64_t serial : engine_->DialogSerials()) {
    Dialog* dialog = engine_->FindDialog(serial);
    if (dialog->open && dialog->plugin_id == plugin_id) return dialog->handle();
  }
  return nullptr;
}

bool WindowSystem::IsOpen(c4d_dialog* handle) const {
  Dialog* dialog = engine_->FindDialog(handle);
  return dialog && dialog->open;
}

std::string WindowSystem::Title(c4d_dialog* handle) const {
  Dialog* dialog = engine_->FindDialog(handle);
  return dialog ? dialog->title : std::string();
}

std::pair<int32_t, int32_t> WindowSystem::WindowSize(c4d_dialog* handle) const {
  Dialog* dialog = engine_->FindDialog(handle);
  return dialog ? std::make_pair(dialog->size.width, dialog->size.height) : std::make_pair(0, 0);
}

int32_t WindowSystem::RaiseCount(c4d_dialog* handle) const {
  Dialog* dialog = engine_->FindDialog(handle);
  return dialog ? dialog->raise_count : 0;
}

bool WindowSystem::Resize(c4d_dialog* handle, int32_t width, int32_t height) {
  return OnDialog(*engine_, handle, false,
                  [&](Dialog& d) { return engine_->layout().Resize(d, width, height); });
}

int32_t WindowSystem::SendCursorInfo(c4d_dialog* handle, int32_t x, int32_t y) {
  return OnDialog(*engine_, handle, 0,
                  [&](Dialog& d) { return engine_->input().SendCursorInfo(d, x, y); });
}

int32_t WindowSystem::SendMessage(c4d_dialog* handle, const c4d_container* message,
                                  c4d_container* result) {
  return OnDialog(*engine_, handle, 0, [&](Dialog& d) {
    return d.open ? engine_->CallMessage(d.serial(), message, result) : 0;
  });
}

bool WindowSystem::UserClose(c4d_dialog* handle) {
  return OnDialog(*engine_, handle, false, [&](Dialog& d) { return engine_->life().UserClose(d); });
}

SavedLayout WindowSystem::SaveLayout(c4d_dialog* handle) {
  return OnDialog(*engine_, handle, SavedLayout{},
                  [&](Dialog& d) { return engine_->life().SaveLayout(d); });
}

bool WindowSystem::ChooseComboValue(c4d_dialog* handle, int32_t id, int32_t value) {
  return OnDialog(*engine_, handle, false,
                  [&](Dialog& d) { return engine_->input().ChooseComboValue(d, id, value); });
}

bool WindowSystem::ChooseComboText(c4d_dialog* handle, int32_t id, const std::string& text) {
  return OnDialog(*engine_, handle, false,
                  [&](Dialog& d) { return engine_->input().ChooseComboText(d, id, text); });
}

bool WindowSystem::ClickGadget(c4d_dialog* handle, int32_t id) {
  return OnDialog(*engine_, handle, false,
                  [&](Dialog& d) { return engine_->input().ClickGadget(d, id); });
}

bool WindowSystem::SendInput(c4d_dialog* handle, int32_t gadget_id, const InputEvent& event) {
  return OnDialog(*engine_, handle, false,
                  [&](Dialog& d) { return engine_->input().SendInput(d, gadget_id, event); });
}

bool WindowSystem::SendInputAt(c4d_dialog* handle, int32_t x, int32_t y, const InputEvent& event) {
  return OnDialog(*engine_, handle, false,
                  [&](Dialog& d) { return engine_->input().SendInputAt(d, x, y, event); });
}

void WindowSystem::FireTimer(c4d_dialog* handle) {
  OnDialog(*engine_, handle, 0, [&](Dialog& d) {
    engine_->input().FireTimer(d);
    return 0;
  });
}

void WindowSystem::BroadcastCoreMessage(int32_t id) {
  WindowEngine::Activity activity(*engine_);
  engine_->input().BroadcastCoreMessage(id);
}

std::string WindowSystem::DescribeTree(c4d_dialog* handle) {
  return OnDialog(*engine_, handle, std::string("no such dialog\n"),
                  [&](Dialog& d) { return engine_->inspection().DescribeTree(d); });
}

GridInfo WindowSystem::QueryGrid(c4d_dialog* handle, int32_t group_id) {
  GridInfo none;
  none.group_id = group_id;
  return OnDialog(*engine_, handle, none,
                  [&](Dialog& d) { return engine_->inspection().QueryGrid(d, group_id); });
}

std::string WindowSystem::DescribeGrid(c4d_dialog* handle, int32_t group_id) {
  if (engine_->FindDialog(handle) == nullptr) return "no such dialog\n";
  return GridText(QueryGrid(handle, group_id));
}

GadgetInfo WindowSystem::QueryGadget(c4d_dialog* handle, int32_t id) {
  return OnDialog(*engine_, handle, GadgetInfo{},
                  [&](Dialog& d) { return engine_->inspection().QueryGadget(d, id); });
}

std::vector<VisibleUserArea> WindowSystem::VisibleUserAreas(c4d_dialog* handle) {
  return OnDialog(*engine_, handle, std::vector<VisibleUserArea>{},
                  [&](Dialog& d) { return engine_->inspection().VisibleUserAreas(d); });
}

bool WindowSystem::VisibleArea(c4d_dialog* handle, int32_t scroll_group_id, int32_t* x1,
                               int32_t* y1, int32_t* x2, int32_t* y2) {
  return OnDialog(*engine_, handle, false, [&](Dialog& d) {
    Rect area;
    if (!engine_->layout().VisibleArea(d, scroll_group_id, &area)) return false;
    if (x1) *x1 = area.x;
    if (y1) *y1 = area.y;
    if (x2) *x2 = area.Right();
    if (y2) *y2 = area.Bottom();
    return true;
  });
}

std::vector<DrawCall> WindowSystem::DrawCalls(c4d_dialog* handle, int32_t gadget_id) const {
  std::vector<DrawCall> calls;
  Dialog* dialog = engine_->FindDialog(handle);
  if (!dialog) return calls;
  for (const DrawCall& call : dialog->draw_log) {
    if (call.gadget_id == gadget_id) calls.push_back(call);
  }
  return calls;
}

void WindowSystem::ClearDrawCalls(c4d_dialog* handle) {
  if (Dialog* dialog = engine_->FindDialog(handle)) dialog->draw_log.clear();
}

Picture WindowSystem::RenderWindow(c4d_dialog* handle) {
  return OnDialog(*engine_, handle, Picture{},
                  [&](Dialog& d) { return engine_->painting().RenderWindow(d); });
}

Picture WindowSystem::RenderUserArea(c4d_dialog* handle, int32_t gadget_id) {
  return OnDialog(*engine_, handle, Picture{},
                  [&](Dialog& d) { return engine_->painting().RenderUserArea(d, gadget_id); });
}

bool WindowSystem::SavePicture(c4d_dialog* handle, const std::string& path, std::string* error) {
  return SavePicturePixels(RenderWindow(handle), path, error);
}

bool WindowSystem::SaveUserAreaPicture(c4d_dialog* handle, int32_t gadget_id,
                                       const std::string& path, std::string* error) {
  return SavePicturePixels(RenderUserArea(handle, gadget_id), path, error);
}

}  // namespace simhost
