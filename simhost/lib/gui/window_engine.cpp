#include "window_engine.h"

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

WindowEngine::Activity::Activity(WindowEngine& engine) : engine_(engine) { ++engine_.activity_; }

WindowEngine::Activity::~Activity() {
  if (--engine_.activity_ == 0) engine_.EmptyGraveyard();
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

void WindowEngine::Bury(std::unique_ptr<Dialog> dialog) {
  if (dialog) dead_dialogs_.push_back(std::move(dialog));
}

void WindowEngine::DetachArea(uint64_t area_serial) {
  if (UserArea* area = FindArea(area_serial)) area->gadget = 0;
}

void WindowEngine::Bury(std::vector<std::unique_ptr<Gadget>> gadgets,
                        const std::vector<uint64_t>& areas) {
  for (uint64_t area : areas) DetachArea(area);
  for (auto& gadget : gadgets) dead_gadgets_.push_back(std::move(gadget));
}

c4d_gadget* WindowEngine::GadgetHandle(const Gadget& gadget) {
  return reinterpret_cast<c4d_gadget*>(static_cast<uintptr_t>(gadget.serial));
}

void WindowEngine::SetDefaultFailures(std::optional<bool> create_layout,
                                      std::optional<bool> init_values) {
  if (create_layout) default_create_layout_fails_ = *create_layout;
  if (init_values) default_init_values_fails_ = *init_values;
}

}  // namespace simhost
