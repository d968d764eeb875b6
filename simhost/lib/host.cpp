#include "host.h"

#include <algorithm>
#include <cstdlib>
#include <thread>

#include "api/api.h"
#include "gui/window_system.h"
#include "platform/platform.h"
#include "text/text_util.h"

namespace simhost {

namespace {

Host* g_current = nullptr;

constexpr int32_t kDefaultInterfaceVersion = 18011;
constexpr int32_t kFirstVersionWithTakes = 17000;

// The user's home folder; where the system names none (a service account,
// say), its temporary folder, which exists on every system.
std::string DefaultHome() {
  const std::string home = platform::HomeFolder();
  return NormalFolder(!home.empty() ? home : platform::TempFolder());
}

// Appends, first forgetting the older half once twice the kept number is
// reached.
template <typename T>
void KeepRecent(std::vector<T>* records, T record) {
  if (records->size() >= 2 * Host::kRecordsKept) {
    records->erase(records->begin(), records->end() - Host::kRecordsKept);
  }
  records->push_back(std::move(record));
}

}  // namespace

void WarnCurrent(const std::string& text) {
  if (g_current != nullptr) g_current->Record(event_kind::kWarning, text);
}

Host::Host() : started_(std::chrono::steady_clock::now()) {
  FillTable();
  home_folder_ = DefaultHome();
  startup_folder_ = "/opt/simhost";
  SetUserFolder(JoinPath(home_folder_, ".simhost/user"));
  windows_ = std::make_unique<WindowSystem>(table_);
  MakeCurrent();
  NewDocument();
}

Host::~Host() {
  Unload();
  for (auto& document : documents_) document->RemoveAllHookNodes();
  documents_.clear();
  windows_.reset();
  if (g_current == this) g_current = nullptr;
}

// Every area says how large this host built it, so that a module built
// against an older header knows it may use what it knows.
void Host::FillTable() {
  FillGeneralApi(&areas_.general);
  FillContainerApi(&areas_.container);
  FillResourceApi(&areas_.resource);
  FillFileApi(&areas_.file);
  FillBitmapApi(&areas_.bitmap);
  FillDialogApi(&areas_.dialog);
  FillPluginApi(&areas_.plugin);
  FillSceneApi(&areas_.scene);
  areas_.general.size = sizeof(areas_.general);
  areas_.container.size = sizeof(areas_.container);
  areas_.resource.size = sizeof(areas_.resource);
  areas_.file.size = sizeof(areas_.file);
  areas_.bitmap.size = sizeof(areas_.bitmap);
  areas_.dialog.size = sizeof(areas_.dialog);
  areas_.plugin.size = sizeof(areas_.plugin);
  areas_.scene.size = sizeof(areas_.scene);
  table_.version = kDefaultInterfaceVersion;
  table_.size = sizeof(table_);
  table_.general = &areas_.general;
  table_.container = &areas_.container;
  table_.resource = &areas_.resource;
  table_.file = &areas_.file;
  table_.bitmap = &areas_.bitmap;
  table_.dialog = &areas_.dialog;
  table_.plugin = &areas_.plugin;
  table_.scene = &areas_.scene;
}

Host* Host::Current() { return g_current; }

void Host::MakeCurrent() {
  g_current = this;
  windows_->MakeCurrent();
}

const c4d_function_table* Host::MakeTable(int32_t version, uint32_t size) {
  extra_tables_.push_back(table_);
  extra_tables_.back().version = version;
  extra_tables_.back().size = size;
  return &extra_tables_.back();
}

// ---------------------------------------------------------------- settings

void Host::SetInterfaceVersion(int32_t version) { table_.version = version; }

void Host::SetStartupFolder(const std::string& folder) { startup_folder_ = NormalFolder(folder); }

void Host::SetUserFolder(const std::string& folder) {
  user_folder_ = NormalFolder(folder);
  prefs_folder_ = JoinPath(user_folder_, "prefs");
}

void Host::SetPreferencesFolder(const std::string& folder) {
  prefs_folder_ = NormalFolder(folder);
  user_folder_ = ParentFolder(prefs_folder_);
}

void Host::SetHomeFolder(const std::string& folder) { home_folder_ = NormalFolder(folder); }

std::string Host::C4dPath(int32_t which) const {
  switch (which) {
    case C4D_FOLDER_PREFS:
      return prefs_folder_;
    case C4D_FOLDER_RESOURCE:
      return JoinPath(startup_folder_, "resource");
    case C4D_FOLDER_LIBRARY:
      return JoinPath(startup_folder_, "library");
    case C4D_FOLDER_LIBRARY_USER:
      return JoinPath(user_folder_, "library");
    case C4D_FOLDER_ONLINE_HELP:
      return JoinPath(startup_folder_, "help");
    case C4D_FOLDER_DESKTOP:
      return JoinPath(home_folder_, "Desktop");
    case C4D_FOLDER_HOME:
      return home_folder_;
    case C4D_FOLDER_STARTUPWRITE:
      return user_folder_;
    case C4D_FOLDER_MYDOCUMENTS:
      return JoinPath(home_folder_, "Documents");
    case C4D_FOLDER_APPLICATION:
      return startup_folder_;
    default:
      return "";
  }
}

DirOrder Host::EffectiveDirOrder() const {
  constexpr int32_t kWindows = 1;
  if (dir_order_) return *dir_order_;
  return operating_system_ == kWindows ? DirOrder::kSorted : DirOrder::kNative;
}

bool Host::TakesAvailable() const {
  return takes_available_.value_or(table_.version >= kFirstVersionWithTakes);
}

// ----------------------------------------------------------------- records

void Host::Record(const std::string& kind, const std::string& text) {
  KeepRecent(&events_, HostEvent{kind, text});
  if (observer_) observer_(kind, text);
}

std::vector<std::string> Host::EventsOf(const std::string& kind) const {
  std::vector<std::string> texts;
  for (const HostEvent& event : events_) {
    if (event.kind == kind) texts.push_back(event.text);
  }
  return texts;
}

void Host::ClearRecords() {
  events_.clear();
  opened_pages_.clear();
  selection_titles_.clear();
  sleeps_.clear();
  event_adds_.clear();
}

// ----------------------------------------------------------------- modules

bool Host::OpenModule(const std::string& folder, std::string* error) {
  Unload();
  module_ = PluginModule::Open(folder, error);
  if (!module_) {
    Record(event_kind::kHost, "load failed: " + *error);
    return false;
  }
  Record(event_kind::kHost, "loaded module " + QuoteText(module_->Path()));
  return true;
}

bool Host::Load(const std::string& folder) {
  last_load_ = LoadResults();
  if (!OpenModule(folder, &last_load_.error)) return false;
  const std::string path = module_->Path();
  last_load_.init = CallInit(&table_, path.c_str());
  if (last_load_.init != C4D_ANSWER_OK) {
    last_load_.error = "action 1 answered " + std::to_string(last_load_.init);
    Record(event_kind::kHost, "module refused to initialise: " + last_load_.error);
    end_pending_ = false;
    Unload();
    return false;
  }
  last_load_.resources = SendPluginMessage(C4D_MESSAGE_LOAD_RESOURCES, nullptr);
  last_load_.start = CallMain(C4D_ACTION_START, nullptr, nullptr, nullptr);
  Record(event_kind::kHost, "started: init " + std::to_string(last_load_.init) + ", resources " +
                                std::to_string(last_load_.resources) + ", start " +
                                std::to_string(last_load_.start));
  return last_load_.start == C4D_ANSWER_OK;
}

int32_t Host::CallMain(int32_t action, void* p1, void* p2, void* p3) {
  if (!module_) return C4D_ANSWER_REFUSED;
  if (action == C4D_ACTION_INIT) end_pending_ = true;
  if (action == C4D_ACTION_END) end_pending_ = false;
  return module_->Call(action, p1, p2, p3);
}

int32_t Host::CallInit(const c4d_function_table* table, const char* module_path) {
  return CallMain(C4D_ACTION_INIT, const_cast<c4d_function_table*>(table), nullptr,
                  const_cast<char*>(module_path));
}

int32_t Host::SendPluginMessage(int32_t id, void* data) {
  return CallMain(C4D_ACTION_MESSAGE, reinterpret_cast<void*>(static_cast<intptr_t>(id)), data,
                  nullptr);
}

void Host::Unload() {
  // Windows close the proper way while the module's objects still live.
  if (module_) windows_->CloseAllWindows();
  if (module_ && end_pending_) CallMain(C4D_ACTION_END, nullptr, nullptr, nullptr);
  end_pending_ = false;
  DestroyRegistrations();
  if (!module_) return;
  const std::string path = module_->Path();
  module_.reset();
  Record(event_kind::kHost, "unloaded module " + QuoteText(path));
}

void Host::DestroyRegistrations() {
  for (auto& command : commands_) {
    if (command->callbacks.destroy != nullptr) command->callbacks.destroy(command->self);
  }
  commands_.clear();
  for (auto& hook : hooks_) {
    for (auto& document : documents_) document->RemoveHookNodes(hook->id);
    if (hook->callbacks.unregister != nullptr) hook->callbacks.unregister(hook->registration);
  }
  hooks_.clear();
  if (!resources_.empty()) {
    Record(event_kind::kWarning,
           std::to_string(resources_.size()) + " resource set(s) never released");
  }
  resources_.clear();
  // Whatever window the module's objects did not destroy goes now, before
  // its code does.
  windows_->CloseAllWindows();
}

// ----------------------------------------------------------- registrations

bool Host::AddCommand(std::unique_ptr<RegisteredCommand> command) {
  const bool refused = !accept_commands_ || FindCommand(command->id) != nullptr;
  Record(event_kind::kHost, std::string(refused ? "refused" : "registered") + " command " +
                                std::to_string(command->id) + " " + QuoteText(command->name));
  if (refused) return false;
  commands_.push_back(std::move(command));
  return true;
}

bool Host::AddSceneHook(std::unique_ptr<RegisteredSceneHook> hook) {
  const bool refused = !accept_scene_hooks_ || FindSceneHook(hook->id) != nullptr;
  Record(event_kind::kHost, std::string(refused ? "refused" : "registered") + " scene hook " +
                                std::to_string(hook->id) + " " + QuoteText(hook->name));
  if (refused) return false;
  hooks_.push_back(std::move(hook));
  for (auto& document : documents_) CreateHookNodes(document.get(), *hooks_.back());
  return true;
}

void Host::CreateHookNodes(Document* document, const RegisteredSceneHook& hook) {
  std::unique_ptr<SceneHookNode> node = SceneHookNode::Create(document, hook);
  if (!node) {
    Record(event_kind::kWarning, "scene hook " + std::to_string(hook.id) +
                                     " gave no instance for document " +
                                     QuoteText(document->Name()));
    return;
  }
  document->AddHookNode(std::move(node));
}

const RegisteredCommand* Host::FindCommand(int32_t id) const {
  for (const auto& command : commands_) {
    if (command->id == id) return command.get();
  }
  return nullptr;
}

const RegisteredSceneHook* Host::FindSceneHook(int32_t id) const {
  for (const auto& hook : hooks_) {
    if (hook->id == id) return hook.get();
  }
  return nullptr;
}

std::optional<bool> Host::ExecuteCommand(int32_t id, Document* document) {
  const RegisteredCommand* command = FindCommand(id);
  if (command == nullptr) return std::nullopt;
  if (command->callbacks.execute == nullptr) return false;
  return command->callbacks.execute(command->self, document) != 0;
}

std::optional<int32_t> Host::CommandState(int32_t id, Document* document) {
  const RegisteredCommand* command = FindCommand(id);
  if (command == nullptr) return std::nullopt;
  if (command->callbacks.get_state == nullptr) return C4D_CMD_ENABLED;
  return command->callbacks.get_state(command->self, document);
}

std::optional<bool> Host::RestoreCommandLayout(int32_t id, void* secret) {
  const RegisteredCommand* command = FindCommand(id);
  if (command == nullptr) return std::nullopt;
  if (command->callbacks.restore_layout == nullptr) return false;
  return command->callbacks.restore_layout(command->self, secret) != 0;
}

// --------------------------------------------------------------- documents

Document* Host::NewDocument(const std::string& name) {
  ++documents_made_;
  documents_.push_back(std::make_unique<Document>(
      name.empty() ? "Untitled " + std::to_string(documents_made_) : name));
  Document* document = documents_.back().get();
  for (const auto& hook : hooks_) CreateHookNodes(document, *hook);
  if (active_ == nullptr) active_ = document;
  return document;
}

void Host::SetActiveDocument(Document* document) {
  for (const auto& owned : documents_) {
    if (owned.get() == document) active_ = document;
  }
}

void Host::CloseDocument(Document* document) {
  auto it = std::find_if(documents_.begin(), documents_.end(),
                         [&](const auto& owned) { return owned.get() == document; });
  if (it == documents_.end()) return;
  (*it)->RemoveAllHookNodes();
  documents_.erase(it);
  if (active_ == document) active_ = documents_.empty() ? nullptr : documents_.front().get();
  if (documents_.empty()) NewDocument();
}

std::vector<Document*> Host::Documents() const {
  std::vector<Document*> documents;
  for (const auto& document : documents_) documents.push_back(document.get());
  return documents;
}

int Host::BroadcastDocumentInfo(const c4d_document_info& info) {
  int delivered = 0;
  for (Document* document : Documents()) delivered += document->SendDocumentInfo(info);
  return delivered;
}

std::unique_ptr<Atom> Host::CreateElement(int32_t type) const {
  const ElementType* info = FindElementType(type);
  if (info == nullptr) return nullptr;
  if (!info->from_hdri_plugin || hdri_plugin_ == HdriPlugin::kPresent) return Atom::Create(type);
  if (hdri_plugin_ == HdriPlugin::kMissing) return nullptr;
  return Atom::Create(info->kind == AtomKind::kTag ? type_id::kAnnotationTag
                                                   : type_id::kNullObject);
}

// ------------------------------------------------------------------ services

Resource* Host::LoadResource(const std::string& folder) {
  ++resource_requests_;
  // Like the real host, a resource set comes from a folder that exists.
  const bool exists = PathExists(folder, true);
  const bool loaded = accept_resources_ && exists;
  Record(event_kind::kResource, std::string(loaded ? "loaded " : "refused ") + QuoteText(folder) +
                                    (accept_resources_ && !exists ? " (no such folder)" : ""));
  if (!loaded) return nullptr;
  resources_.push_back(std::make_unique<Resource>());
  resources_.back()->folder = folder;
  return resources_.back().get();
}

void Host::ReleaseResource(Resource* resource, int32_t pass_along) {
  auto it = std::find_if(resources_.begin(), resources_.end(),
                         [&](const auto& owned) { return owned.get() == resource; });
  if (it == resources_.end()) {
    Record(event_kind::kWarning, "release of an unknown resource set");
    return;
  }
  ++resource_releases_;
  Record(event_kind::kResource,
         "released " + QuoteText((*it)->folder) + " pass-along " + std::to_string(pass_along));
  resources_.erase(it);
}

std::optional<std::string> Host::AnswerSelection(const std::string& title) {
  std::optional<std::string> answer;
  if (!selections_.empty()) {
    answer = selections_.front();
    selections_.pop_front();
  }
  KeepRecent(&selection_titles_, title);
  Record(event_kind::kSelect,
         QuoteText(title) + " -> " + (answer ? QuoteText(*answer) : std::string("cancelled")));
  return answer;
}

bool Host::AnswerOpenHtml(const std::string& address) {
  bool answer = true;
  if (!html_answers_.empty()) {
    answer = html_answers_.front();
    html_answers_.pop_front();
  }
  KeepRecent(&opened_pages_, OpenedPage{address, answer});
  Record(event_kind::kOpenHtml, address + (answer ? "" : " (failed)"));
  return answer;
}

void Host::Sleep(int32_t milliseconds) {
  KeepRecent(&sleeps_, milliseconds);
  Record(event_kind::kSleep, std::to_string(milliseconds) + " ms");
  if (real_sleep_ && milliseconds > 0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }
}

void Host::EventAdd(int32_t flags) {
  KeepRecent(&event_adds_, flags);
  Record(event_kind::kEventAdd, "flags " + std::to_string(flags));
}

int32_t Host::TimerMilliseconds() const {
  const auto elapsed = std::chrono::steady_clock::now() - started_;
  return static_cast<int32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

}  // namespace simhost
