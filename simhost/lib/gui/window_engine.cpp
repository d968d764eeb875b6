// The engine's core: dialogs and user areas by handle, the graveyard, and
// the calls into the module's dialogs.
#include "window_engine.h"

#include "container_access.h"

namespace simhost {

c4d_userarea* UserArea::handle() const {
  return reinterpret_cast<c4d_userarea*>(static_cast<uintptr_t>(serial));
}

WindowEngine::WindowEngine(const c4d_function_table& table) : table_(table) {}

// Forgets everything without calling the module.
WindowEngine::~WindowEngine() {
  ForgetEverything();
  EmptyGraveyard();
}

WindowEngine::Activity::Activity(WindowEngine& engine, Layouts layouts) : engine_(engine) {
  ++engine_.activity_;
  if (layouts == Layouts::kRunWaiting) engine_.RunRequestedLayouts();
}

WindowEngine::Activity::~Activity() {
  if (engine_.activity_ == 1) engine_.RunRequestedLayouts();
  if (--engine_.activity_ == 0) engine_.EmptyGraveyard();
}

void WindowEngine::RequestLayout(Dialog& dialog) {
  if (dialog.layout_requested) return;
  dialog.layout_requested = true;
  requested_layouts_.push_back(dialog.serial());
}

// A layout's callbacks may ask for more layouts; a module that asks on
// every one of them is not followed for ever.
void WindowEngine::RunRequestedLayouts() {
  constexpr int kRounds = 16;
  for (int round = 0; round < kRounds && !requested_layouts_.empty(); ++round) {
    std::vector<uint64_t> serials = std::move(requested_layouts_);
    requested_layouts_.clear();
    for (uint64_t serial : serials) {
      Dialog* dialog = FindDialog(serial);
      if (!dialog || !dialog->layout_requested) continue;
      dialog->layout_requested = false;
      layout_.LayoutNow(*dialog);
    }
  }
}

void WindowEngine::EmptyGraveyard() {
  // Freeing may not call back into the engine, but take the lists first so
  // that nothing is added while they are cleared.
  auto dialogs = std::move(dead_dialogs_);
  auto gadgets = std::move(dead_gadgets_);
  auto areas = std::move(dead_areas_);
  dead_dialogs_.clear();
  dead_gadgets_.clear();
  dead_areas_.clear();
}

Dialog* WindowEngine::FindDialog(const c4d_dialog* handle) const {
  return FindDialog(static_cast<uint64_t>(reinterpret_cast<uintptr_t>(handle)));
}

Dialog* WindowEngine::FindDialog(uint64_t serial) const {
  auto found = dialogs_.find(serial);
  return found == dialogs_.end() ? nullptr : found->second.get();
}

UserArea* WindowEngine::FindArea(const c4d_userarea* handle) const {
  return FindArea(static_cast<uint64_t>(reinterpret_cast<uintptr_t>(handle)));
}

UserArea* WindowEngine::FindArea(uint64_t serial) const {
  auto found = areas_.find(serial);
  return found == areas_.end() ? nullptr : found->second.get();
}

std::vector<uint64_t> WindowEngine::DialogSerials() const {
  std::vector<uint64_t> serials;
  for (const auto& entry : dialogs_) serials.push_back(entry.first);
  return serials;
}

c4d_dialog* WindowEngine::AddDialog(std::unique_ptr<Dialog> dialog) {
  c4d_dialog* handle = dialog->handle();
  dialogs_[dialog->serial()] = std::move(dialog);
  return handle;
}

void WindowEngine::RemoveDialog(uint64_t serial) {
  for (auto& entry : areas_) {
    if (entry.second->dialog == serial) entry.second->dialog = 0;
  }
  auto found = dialogs_.find(serial);
  if (found == dialogs_.end()) return;
  Bury(std::move(found->second));
  dialogs_.erase(found);
}

c4d_userarea* WindowEngine::AddArea(std::unique_ptr<UserArea> area) {
  c4d_userarea* handle = area->handle();
  areas_[area->serial] = std::move(area);
  return handle;
}

void WindowEngine::Bury(std::unique_ptr<Dialog> dialog) {
  if (dialog) dead_dialogs_.push_back(std::move(dialog));
}

void WindowEngine::DetachArea(uint64_t area_serial) {
  if (UserArea* area = FindArea(area_serial)) area->gadget = 0;
}

void WindowEngine::Bury(std::vector<std::unique_ptr<Gadget>> gadgets,
                        const std::vector<uint64_t>& areas) {
  for (uint64_t area : areas) DetachArea(area);
  if (dead_gadgets_.empty()) {
    dead_gadgets_ = std::move(gadgets);
    return;
  }
  for (auto& gadget : gadgets) dead_gadgets_.push_back(std::move(gadget));
}

c4d_gadget* WindowEngine::GadgetHandle(const Gadget& gadget) {
  return reinterpret_cast<c4d_gadget*>(static_cast<uintptr_t>(gadget.serial));
}

void WindowEngine::TakeDownWindow(Dialog& dialog) {
  std::vector<std::unique_ptr<Gadget>> removed;
  std::vector<uint64_t> areas;
  dialog.Clear(removed, areas);
  Bury(std::move(removed), areas);
  dialog.open = false;
  dialog.closing = false;
  dialog.canvas.Resize(0, 0, Rgb{});
}

int32_t WindowEngine::CallMessage(uint64_t serial, const c4d_container* message,
                                  c4d_container* result) {
  Dialog* dialog = FindDialog(serial);
  if (!dialog || !dialog->callbacks) return 0;
  if (!dialog->callbacks->message) return life_.DefaultMessage(*dialog, message);
  OwnedContainer scratch(containers(), 0);
  return dialog->callbacks->message(dialog->self, message, result ? result : scratch.get());
}

bool WindowEngine::CallCommand(uint64_t serial, int32_t id, const c4d_container* message) {
  Dialog* dialog = FindDialog(serial);
  if (!dialog || !dialog->open || !dialog->callbacks || !dialog->callbacks->command) return false;
  return dialog->callbacks->command(dialog->self, id, message) != 0;
}

int32_t WindowEngine::SendSimpleMessage(uint64_t dialog, int32_t id) {
  OwnedContainer message(containers(), id);
  OwnedContainer result(containers(), 0);
  return CallMessage(dialog, message.get(), result.get());
}

void WindowEngine::ForgetEverything() {
  for (auto& entry : dialogs_) {
    TakeDownWindow(*entry.second);
    entry.second->callbacks = nullptr;
    Bury(std::move(entry.second));
  }
  dialogs_.clear();
  for (auto& entry : areas_) {
    entry.second->callbacks = nullptr;
    dead_areas_.push_back(std::move(entry.second));
  }
  areas_.clear();
  painting_.Forget();
}

namespace {

void CollectAttached(const Gadget& gadget, std::vector<uint64_t>& areas) {
  if (gadget.kind == GadgetKind::kUserArea && gadget.area != 0) areas.push_back(gadget.area);
  for (const auto& child : gadget.children) CollectAttached(*child, areas);
}

}  // namespace

std::vector<uint64_t> WindowEngine::AttachedAreas(Dialog& dialog) {
  std::vector<uint64_t> areas;
  CollectAttached(dialog.root(), areas);
  return areas;
}

Gadget* WindowEngine::AttachedGadget(const UserArea& area) const {
  if (area.gadget == 0) return nullptr;
  Dialog* dialog = FindDialog(area.dialog);
  if (!dialog || !dialog->open) return nullptr;
  Gadget* gadget = dialog->FindBySerial(area.gadget);
  return gadget && gadget->area == area.serial ? gadget : nullptr;
}

// A released area whose gadget still stands leaves the gadget empty: it
// draws nothing from then on.
void WindowEngine::ReleaseArea(UserArea& area) {
  if (Gadget* gadget = AttachedGadget(area)) {
    gadget->area = 0;
    if (Dialog* dialog = FindDialog(area.dialog)) dialog->layout_dirty = true;
  }
  auto found = areas_.find(area.serial);
  dead_areas_.push_back(std::move(found->second));
  areas_.erase(found);
}

}  // namespace simhost
