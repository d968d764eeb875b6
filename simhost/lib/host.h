// The stand-in host: builds the function table, loads and drives a plug-in
// module, keeps its documents, and records everything the module does that
// a person should see. One Host per run; the table's functions act on the
// current host.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "c4d_function_table.h"
#include "files/directory.h"
#include "modules/plugin_module.h"
#include "modules/plugin_registry.h"
#include "scene/document.h"

namespace simhost {

class WindowSystem;

// Record kinds, in the order a module's life usually produces them.
namespace event_kind {
constexpr const char* kHost = "host";                 // the host's own steps: load, unload
constexpr const char* kResource = "resource";         // resource set requests and releases
constexpr const char* kPrint = "print";               // a console line
constexpr const char* kMessage = "message";           // a modal message of the module
constexpr const char* kErrorDialog = "error_dialog";  // the host's own file error dialog
constexpr const char* kOpenHtml = "open_html";
constexpr const char* kSelect = "select";  // a folder or file selection asked
constexpr const char* kSleep = "sleep";
constexpr const char* kEventAdd = "event_add";
constexpr const char* kWarning = "warning";  // a call the host refused as malformed
constexpr const char* kNotify = "notify";    // a message the module sent to a scene element
}  // namespace event_kind

// Whether the HDRI object plug-in is installed, and what allocating one of
// its types gives: the element, null, or an element of another type (a
// plug-in that took its ids).
enum class HdriPlugin { kPresent, kMissing, kOtherType };

struct HostEvent {
  std::string kind;
  std::string text;
};

struct OpenedPage {
  std::string address;
  bool answer;
};

struct LoadResults {
  int32_t init = 0;       // action 1
  int32_t resources = 0;  // action 6, message 1
  int32_t start = 0;      // action 2
  std::string error;      // why the module could not be loaded
};

// A resource set handed to the module.
struct Resource : TrackedHandle<c4d_resource> {
  std::string folder;
};

class Host {
 public:
  using Observer = std::function<void(const std::string& kind, const std::string& text)>;

  Host();
  ~Host();  // unloads the module, then closes every document
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  // The host the table's functions act on: the newest one, or the one made
  // current since; null once that host is gone until another is made current.
  static Host* Current();
  void MakeCurrent();
  const c4d_function_table& Table() const { return table_; }
  // A copy of the table reporting another interface version or size, kept
  // alive as long as the host, for driving c4d_main by hand.
  const c4d_function_table* MakeTable(int32_t version, uint32_t size);
  WindowSystem& Windows() { return *windows_; }

  // ------------------------------------------------------------ settings
  void SetInterfaceVersion(int32_t version);
  int32_t InterfaceVersion() const { return table_.version; }
  void SetVersionType(int32_t type) { version_type_ = type; }
  int32_t VersionType() const { return version_type_; }
  void SetOperatingSystem(int32_t os) { operating_system_ = os; }
  int32_t OperatingSystem() const { return operating_system_; }
  void SetStartupFolder(const std::string& folder);
  const std::string& StartupFolder() const { return startup_folder_; }
  // The preferences folder becomes <user folder>/prefs.
  void SetUserFolder(const std::string& folder);
  // The user folder becomes the preferences folder's parent.
  void SetPreferencesFolder(const std::string& folder);
  const std::string& UserFolder() const { return user_folder_; }
  const std::string& PreferencesFolder() const { return prefs_folder_; }
  void SetHomeFolder(const std::string& folder);
  // The folder for a C4D_PATH_ number; empty when unknown.
  std::string C4dPath(int32_t which) const;

  void SetResourceLoading(bool accept) { accept_resources_ = accept; }
  int ResourceLoadRequests() const { return resource_requests_; }
  int ResourceReleases() const { return resource_releases_; }
  void SetAcceptCommands(bool accept) { accept_commands_ = accept; }
  void SetAcceptSceneHooks(bool accept) { accept_scene_hooks_ = accept; }
  // Qualifier bits the keyboard reports (1 Shift, 2 Control, 4 Alt).
  void SetKeyboardQualifiers(int32_t bits) { qualifiers_ = bits; }
  int32_t KeyboardQualifiers() const { return qualifiers_; }
  // Answers for the next selections, first queued first used; with nothing
  // queued a selection is cancelled.
  void QueueSelection(const std::string& path) { selections_.push_back(path); }
  void QueueSelectionCancel() { selections_.push_back(std::nullopt); }
  // Answers for the next web-page openings; with nothing queued they succeed.
  void QueueOpenHtmlAnswer(bool success) { html_answers_.push_back(success); }
  void SetHdriPlugin(HdriPlugin plugin) { hdri_plugin_ = plugin; }
  HdriPlugin GetHdriPlugin() const { return hdri_plugin_; }
  void SetHdriPluginInstalled(bool installed) {
    hdri_plugin_ = installed ? HdriPlugin::kPresent : HdriPlugin::kMissing;
  }
  bool HdriPluginInstalled() const { return hdri_plugin_ == HdriPlugin::kPresent; }
  // Unset: the order of the operating system the host reports (sorted for
  // Windows, the file system's own otherwise).
  void SetDirOrder(std::optional<DirOrder> order) { dir_order_ = order; }
  DirOrder EffectiveDirOrder() const;
  // Seeds the host's random choices (shuffled listings).
  void SetSeed(uint32_t seed) { random_.seed(seed); }
  std::mt19937& Random() { return random_; }
  // Unset: takes exist from interface version 17000 on.
  void SetTakesAvailable(std::optional<bool> available) { takes_available_ = available; }
  bool TakesAvailable() const;
  // Off by default: sleeps are recorded but do not wait.
  void SetRealSleep(bool real) { real_sleep_ = real; }

  // ------------------------------------------------------------- records
  void SetObserver(Observer observer) { observer_ = std::move(observer); }
  // Keeps the newest kRecordsKept or more of each list of records, so a
  // long session's memory stays flat; the observer sees every record.
  static constexpr size_t kRecordsKept = 2000;
  void Record(const std::string& kind, const std::string& text);
  const std::vector<HostEvent>& Events() const { return events_; }
  std::vector<std::string> EventsOf(const std::string& kind) const;
  std::vector<std::string> Printed() const { return EventsOf(event_kind::kPrint); }
  std::vector<std::string> Messages() const { return EventsOf(event_kind::kMessage); }
  std::vector<std::string> ErrorDialogs() const { return EventsOf(event_kind::kErrorDialog); }
  std::vector<std::string> Warnings() const { return EventsOf(event_kind::kWarning); }
  const std::vector<std::string>& SelectionTitles() const { return selection_titles_; }
  const std::vector<OpenedPage>& OpenedPages() const { return opened_pages_; }
  const std::vector<int32_t>& Sleeps() const { return sleeps_; }
  const std::vector<int32_t>& EventAdds() const { return event_adds_; }
  void ClearRecords();

  // ------------------------------------------------------------- modules
  // Loads the plug-in folder and starts it: action 1 with the table and the
  // module path, message 1, action 2. True when both actions answered 1. A
  // refused action 1 unloads the module again at once.
  bool Load(const std::string& folder);
  const LoadResults& LastLoad() const { return last_load_; }
  // Only loads the module, for driving c4d_main by hand.
  bool OpenModule(const std::string& folder, std::string* error);
  bool ModuleLoaded() const { return module_ != nullptr; }
  std::string ModulePath() const { return module_ ? module_->Path() : std::string(); }
  // Raw calls; -1 without a module.
  int32_t CallMain(int32_t action, void* p1, void* p2, void* p3);
  int32_t CallInit(const c4d_function_table* table, const char* module_path);
  int32_t SendPluginMessage(int32_t id, void* data);
  // Action 3 when Load started the module and no action 3 came since, then
  // destroys every command, scene-hook instance, registration and window,
  // then unloads the library.
  void Unload();

  // -------------------------------------------------------- registrations
  bool AddCommand(std::unique_ptr<RegisteredCommand> command);
  bool AddSceneHook(std::unique_ptr<RegisteredSceneHook> hook);
  const std::vector<std::unique_ptr<RegisteredCommand>>& Commands() const { return commands_; }
  const std::vector<std::unique_ptr<RegisteredSceneHook>>& SceneHooks() const { return hooks_; }
  const RegisteredCommand* FindCommand(int32_t id) const;
  const RegisteredSceneHook* FindSceneHook(int32_t id) const;
  // Empty when no command has that id.
  std::optional<bool> ExecuteCommand(int32_t id, Document* document);
  std::optional<int32_t> CommandState(int32_t id, Document* document);
  std::optional<bool> RestoreCommandLayout(int32_t id, void* secret);

  // ------------------------------------------------------------ documents
  Document& ActiveDocument() { return *active_; }
  Document* NewDocument(const std::string& name = "");
  void SetActiveDocument(Document* document);
  // Closing the last document opens a fresh one.
  void CloseDocument(Document* document);
  std::vector<Document*> Documents() const;
  // Sends C4D_MSG_DOCUMENT_INFO to the hook instances of every document; returns
  // how many got it.
  int BroadcastDocumentInfo(const c4d_document_info& info);
  // A new element, or null when the type is unknown or its plug-in missing;
  // with another plug-in in its place, an element of another type.
  std::unique_ptr<Atom> CreateElement(int32_t type) const;

  // --------------------------------------- services of the table functions
  Resource* LoadResource(const std::string& folder);
  void ReleaseResource(Resource* resource, int32_t pass_along);
  // The queued answer for a selection; recorded with its title.
  std::optional<std::string> AnswerSelection(const std::string& title);
  bool AnswerOpenHtml(const std::string& address);
  void Sleep(int32_t milliseconds);
  void EventAdd(int32_t flags);
  int32_t TimerMilliseconds() const;

 private:
  void DestroyRegistrations();
  void CreateHookNodes(Document* document, const RegisteredSceneHook& hook);

  // The areas the table points at.
  struct TableAreas {
    c4d_general_api general{};
    c4d_container_api container{};
    c4d_resource_api resource{};
    c4d_file_api file{};
    c4d_bitmap_api bitmap{};
    c4d_dialog_api dialog{};
    c4d_plugin_api plugin{};
    c4d_scene_api scene{};
  };
  void FillTable();

  TableAreas areas_;
  c4d_function_table table_{};
  std::unique_ptr<WindowSystem> windows_;
  std::deque<c4d_function_table> extra_tables_;
  std::chrono::steady_clock::time_point started_;

  int32_t version_type_ = 2;
  int32_t operating_system_ = 3;
  std::string startup_folder_;
  std::string user_folder_;
  std::string prefs_folder_;
  std::string home_folder_;
  bool accept_resources_ = true;
  int resource_requests_ = 0;
  int resource_releases_ = 0;
  bool accept_commands_ = true;
  bool accept_scene_hooks_ = true;
  int32_t qualifiers_ = 0;
  std::deque<std::optional<std::string>> selections_;
  std::deque<bool> html_answers_;
  HdriPlugin hdri_plugin_ = HdriPlugin::kPresent;
  std::optional<DirOrder> dir_order_;
  std::mt19937 random_{1};
  std::optional<bool> takes_available_;
  bool real_sleep_ = false;

  Observer observer_;
  std::vector<HostEvent> events_;
  std::vector<OpenedPage> opened_pages_;
  std::vector<std::string> selection_titles_;
  std::vector<int32_t> sleeps_;
  std::vector<int32_t> event_adds_;

  std::unique_ptr<PluginModule> module_;
  bool end_pending_ = false;
  LoadResults last_load_;
  std::vector<std::unique_ptr<RegisteredCommand>> commands_;
  std::vector<std::unique_ptr<RegisteredSceneHook>> hooks_;
  std::vector<std::unique_ptr<Resource>> resources_;

  std::vector<std::unique_ptr<Document>> documents_;
  Document* active_ = nullptr;
  int documents_made_ = 0;
};

// Records a warning on the current host, if there is one.
void WarnCurrent(const std::string& text);

}  // namespace simhost
