#include "validate/checks/start_checks.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "common/english_counts.h"
#include "common/plugin_ids.h"
#include "platform/platform.h"
#include "scene/document.h"
#include "scene/scene_hook_node.h"
#include "validate/checks/browser_checks.h"
#include "validate/checks/browser_driver.h"
#include "validate/checks/guard_page.h"
#include "validate/checks/module_under_test.h"

namespace simhost_app {

namespace ids = plugin_ids;

namespace {

constexpr int32_t kShiftControl = 3;  // the keyboard's qualifier bits
constexpr const char* kWrongLocation = "installed in the wrong location";

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += (text.empty() ? "" : " | ") + line;
  return text;
}

// Builds for R14 register nothing on hosts from 17000 on.
bool Registers(const ValidationSettings& settings, int32_t version) {
  return settings.build != "R14" || version < ids::kFirstNewHost;
}

std::string EditionName(int32_t edition) {
  static const char* const kNames[] = {"Prime",
                                       "Bodypaint",
                                       "Studio",
                                       "Visualize",
                                       "Broadcast",
                                       "Benchmark",
                                       "Updater",
                                       "Installer",
                                       "New Client",
                                       "Net Server 3",
                                       "Net Server Unlimited",
                                       "Unknown",
                                       "License Server"};
  return edition >= 0 && edition <= 12 ? kNames[edition] : "";
}

std::string SystemName(int32_t system) {
  return system == 3 ? "UNIX" : system == 2 ? "OS X" : system == 1 ? "Windows" : "";
}

// "Lumidrome V(<number>), <version> <edition>, <system>".
bool IsBanner(const std::string& line, const simhost::Host& host) {
  const std::string head = "Lumidrome V(";
  const std::string tail = "), " + std::to_string(host.InterfaceVersion()) + " " +
                           EditionName(host.VersionType()) + ", " +
                           SystemName(host.OperatingSystem());
  if (line.size() < head.size() + tail.size() + 1) return false;
  if (line.compare(0, head.size(), head) != 0) return false;
  if (line.compare(line.size() - tail.size(), tail.size(), tail) != 0) return false;
  const std::string number = line.substr(head.size(), line.size() - head.size() - tail.size());
  return std::all_of(number.begin(), number.end(), [](char c) {
    return std::isdigit(static_cast<unsigned char>(c)) || c == '.';
  });
}

// The order of the host's registration records.
std::vector<std::string> Registrations(const simhost::Host& host) {
  std::vector<std::string> seen;
  for (const std::string& text : host.EventsOf(simhost::event_kind::kHost)) {
    if (text.rfind("registered ", 0) == 0 || text.rfind("refused ", 0) == 0) seen.push_back(text);
  }
  return seen;
}

void ExpectRegistered(const simhost::Host& host, Findings& findings) {
  const simhost::RegisteredCommand* command = host.FindCommand(ids::kBrowserCommand);
  if (findings.Expect(command != nullptr,
                      "no command " + std::to_string(ids::kBrowserCommand) + " registered")) {
    findings.ExpectEq(command->name, std::string(ids::kCommandName), "the command's name");
    findings.ExpectEq(command->help, std::string(ids::kCommandHelp), "the command's help text");
  }
  const simhost::RegisteredSceneHook* hook = host.FindSceneHook(ids::kSceneHook);
  if (findings.Expect(hook != nullptr,
                      "no scene hook " + std::to_string(ids::kSceneHook) + " registered")) {
    findings.ExpectEq(hook->name, std::string(ids::kSceneHookName), "the scene hook's name");
  }
  const std::vector<std::string> order = Registrations(host);
  findings.Expect(order.size() == 2 && order[0].find("command") != std::string::npos,
                  "registrations in this order: " + Joined(order) + "; the command comes first");
}

void ExpectStartedQuietly(const simhost::Host& host, Findings& findings) {
  findings.ExpectEq(host.LastLoad().start, C4D_ANSWER_OK, "action 2");
  findings.Expect(host.Commands().empty() && host.SceneHooks().empty(),
                  "a build for R14 registered something on a host from 17000 on");
  findings.Expect(host.Printed().empty(),
                  "printed on a host from 17000 on: " + Joined(host.Printed()));
}

void ExpectStarted(simhost::Host& host, Findings& findings) {
  const simhost::LoadResults& load = host.LastLoad();
  findings.ExpectEq(load.init, C4D_ANSWER_OK, "action 1");
  findings.ExpectEq(load.resources, C4D_ANSWER_OK, "message 1");
  findings.ExpectEq(load.start, C4D_ANSWER_OK, "action 2");
  ExpectRegistered(host, findings);
  const std::vector<std::string> printed = host.Printed();
  findings.Expect(printed.size() == 1 && IsBanner(printed[0], host),
                  "console lines at start: " + Joined(printed) +
                      "; expected one banner naming version, edition and system");
  findings.ExpectEq(host.CommandState(ids::kBrowserCommand, nullptr).value_or(0), C4D_CMD_ENABLED,
                    "the command's state for no document");
}

bool Prepare(ModuleUnderTest& module, Findings& findings) {
  std::string error;
  return findings.Expect(module.Ready(&error), error);
}

void ExpectCleanEnd(simhost::Host& host, Findings& findings) {
  host.Unload();
  findings.Expect(host.Warnings().empty(), "host warnings: " + Joined(host.Warnings()));
}

}  // namespace

CheckResult CheckStart(const ValidationSettings& settings, StepLog& steps) {
  ModuleUnderTest module(settings, "start");
  Findings findings;
  if (!Prepare(module, findings)) return findings.Result();
  simhost::Host& host = module.host();
  steps.Step("loading at interface version " + std::to_string(host.InterfaceVersion()));
  module.Load();
  if (Registers(settings, host.InterfaceVersion())) {
    ExpectStarted(host, findings);
  } else {
    ExpectStartedQuietly(host, findings);
  }
  ExpectCleanEnd(host, findings);
  if (settings.build == "R14") {
    for (int32_t version : {ids::kFirstNewHost - 1, ids::kFirstNewHost}) {
      steps.Step("loading at interface version " + std::to_string(version));
      host.ClearRecords();
      host.SetInterfaceVersion(version);
      module.Load();
      version < ids::kFirstNewHost ? ExpectStarted(host, findings)
                                   : ExpectStartedQuietly(host, findings);
      ExpectCleanEnd(host, findings);
    }
  }
  return findings.Result();
}

CheckResult CheckRefusedResources(const ValidationSettings& settings, StepLog& steps) {
  ModuleUnderTest module(settings, "refused-resources");
  Findings findings;
  if (!Prepare(module, findings)) return findings.Result();
  simhost::Host& host = module.host();
  host.SetResourceLoading(false);
  steps.Step("loading with the resource set refused");
  module.Load();
  findings.ExpectEq(host.LastLoad().resources, C4D_ANSWER_REFUSED, "message 1");
  findings.ExpectEq(host.LastLoad().start, C4D_ANSWER_OK, "action 2");
  steps.Step("message 1 again");
  findings.ExpectEq(host.SendPluginMessage(C4D_MESSAGE_LOAD_RESOURCES, nullptr), C4D_ANSWER_REFUSED,
                    "message 1 again");
  findings.ExpectEq(host.ResourceLoadRequests(), 1, "resource set requests");
  steps.Step("ending and unloading");
  ExpectCleanEnd(host, findings);
  findings.ExpectEq(host.ResourceReleases(), 0, "resource set releases");
  return findings.Result();
}

CheckResult CheckRefusedCommand(const ValidationSettings& settings, StepLog& steps) {
  ModuleUnderTest module(settings, "refused-command");
  Findings findings;
  if (!Prepare(module, findings)) return findings.Result();
  simhost::Host& host = module.host();
  if (!Registers(settings, host.InterfaceVersion())) {
    return Skipped("a build for R14 registers nothing on this host");
  }
  host.SetAcceptCommands(false);
  steps.Step("loading with the command refused");
  findings.Expect(!module.Load(), "the start succeeded although the command was refused");
  findings.ExpectEq(host.LastLoad().start, 0, "action 2");
  findings.Expect(Registrations(host).size() == 1, "registrations: " + Joined(Registrations(host)) +
                                                       "; nothing may follow the refused command");
  steps.Step("ending and unloading");
  ExpectCleanEnd(host, findings);
  return findings.Result();
}

CheckResult CheckRefusedSceneHook(const ValidationSettings& settings, StepLog& steps) {
  ModuleUnderTest module(settings, "refused-scene-hook");
  Findings findings;
  if (!Prepare(module, findings)) return findings.Result();
  simhost::Host& host = module.host();
  if (!Registers(settings, host.InterfaceVersion())) {
    return Skipped("a build for R14 registers nothing on this host");
  }
  host.SetAcceptSceneHooks(false);
  steps.Step("loading with the scene hook refused");
  findings.Expect(!module.Load(), "the start succeeded although the scene hook was refused");
  findings.ExpectEq(host.LastLoad().start, 0, "action 2");
  findings.Expect(host.FindCommand(ids::kBrowserCommand) != nullptr,
                  "the command was not registered before the scene hook");
  steps.Step("ending and unloading");
  ExpectCleanEnd(host, findings);
  return findings.Result();
}

CheckResult CheckRepeatedLoading(const ValidationSettings& settings, StepLog& steps) {
  ModuleUnderTest module(settings, "repeated-loading");
  Findings findings;
  if (!Prepare(module, findings)) return findings.Result();
  simhost::Host& host = module.host();
  const bool registers = Registers(settings, host.InterfaceVersion());
  for (int round = 1; round <= settings.rounds && !findings.Failed(); ++round) {
    steps.Step("load " + std::to_string(round));
    host.ClearRecords();
    module.Load();
    registers ? ExpectStarted(host, findings) : ExpectStartedQuietly(host, findings);
    steps.Step("unload " + std::to_string(round));
    ExpectCleanEnd(host, findings);
    findings.ExpectEq(host.ResourceReleases(), round, "resource sets released after each end");
  }
  findings.Note(Counted(settings.rounds, "round", "rounds"));
  return findings.Result();
}

CheckResult CheckSceneHook(const ValidationSettings& settings, StepLog& steps) {
  ModuleUnderTest module(settings, "scene-hook");
  Findings findings;
  if (!Prepare(module, findings)) return findings.Result();
  simhost::Host& host = module.host();
  if (!Registers(settings, host.InterfaceVersion())) {
    return Skipped("a build for R14 registers nothing on this host");
  }
  module.Load();
  simhost::Document& document = host.ActiveDocument();
  simhost::SceneHookNode* hook = document.FindSceneHook(ids::kSceneHook);
  if (!findings.Expect(hook != nullptr, "no scene hook instance in the document")) {
    return findings.Result();
  }
  simhost::Atom* object = document.AddObject(ids::kHdriObject, "Sky");
  simhost::Atom* tag = document.AddTag(object, ids::kHdriTag);
  simhost::Atom* material = document.AddMaterial("Paint");
  auto send = [&](int32_t type, simhost::Atom* element, simhost::Document* in) {
    c4d_document_info info{};
    info.type = type;
    info.document = in;
    info.element = element;
    return hook->Message(C4D_MSG_DOCUMENT_INFO, &info);
  };
  auto flag = [&] { return object->Data().GetInt32(ids::kHookFlag, 0); };
  steps.Step("document information about other elements and events");
  object->Data().Remove(ids::kHookFlag);
  findings.Expect(send(C4D_DOCUMENT_INFO_TOOL_CHANGED, object, &document) &&
                      send(C4D_DOCUMENT_INFO_TAG_INSERT, object, &document) &&
                      send(C4D_DOCUMENT_INFO_OBJECT_INSERT, tag, &document) &&
                      send(C4D_DOCUMENT_INFO_OBJECT_INSERT, nullptr, &document),
                  "a document-information message was answered false");
  findings.ExpectEq(flag(), 0, "setting 2059 after messages about other things");
  steps.Step("document information without data, and other messages");
  findings.Expect(hook->Message(C4D_MSG_DOCUMENT_INFO, nullptr),
                  "message 1001078 without data was answered false");
  findings.Expect(hook->Message(12345, UnreadableAddress()), "message 12345 was answered false");
  steps.Step("an HDRI object inserted, without a document");
  findings.Expect(send(C4D_DOCUMENT_INFO_OBJECT_INSERT, object, nullptr), "answered false");
  findings.ExpectEq(flag(), 1, "setting 2059 of the inserted HDRI object");
  steps.Step("an HDRI object inserted, with the document");
  document.SelectMaterial(material, 0);
  findings.Expect(send(C4D_DOCUMENT_INFO_OBJECT_INSERT, object, &document), "answered false");
  findings.Expect(document.ActiveMaterial() == nullptr, "the active material stayed active");
  ExpectCleanEnd(host, findings);
  return findings.Result();
}

namespace {

// Runs the browser command with the qualifiers held; the window, or null.
c4d_dialog* RunBrowserCommandHolding(simhost::Host& host, int32_t qualifiers) {
  host.SetKeyboardQualifiers(qualifiers);
  c4d_dialog* dialog = RunBrowserCommand(host);
  host.SetKeyboardQualifiers(0);
  return dialog;
}

void ExpectOpensFromUserFolder(const ValidationSettings& settings, StepLog& steps,
                               Findings& findings) {
  ModuleUnderTest module(settings, "install-user");
  if (!Prepare(module, findings)) return;
  simhost::Host& host = module.host();
  steps.Step("loading from the user folder's plug-ins folder");
  if (!findings.Expect(module.Load(), "the module did not start")) return;
  steps.Step("running the browser command, installed in the user folder");
  findings.Expect(RunBrowserCommand(host) != nullptr,
                  "installed in the user folder, the browser command opened no window");
  findings.Expect(
      host.Messages().empty(),
      "installed in the user folder, the browser command showed: " + Joined(host.Messages()));
  ExpectCleanEnd(host, findings);
}

// Moves the installed copy into <work>/application/plugins; its new place,
// or empty with the failure noted.
std::filesystem::path InstallInApplication(ModuleUnderTest& module, Findings& findings) {
  namespace fs = std::filesystem;
  const fs::path application = module.work_folder() / "application";
  const fs::path copy = application / "plugins" / module.plugin_folder().filename();
  std::error_code error;
  fs::create_directories(copy.parent_path(), error);
  if (!error) fs::rename(module.plugin_folder(), copy, error);
  if (!findings.Expect(!error, "cannot install the plug-in in " +
                                   simhost::platform::Utf8FromPath(copy) + ": " +
                                   error.message())) {
    return fs::path();
  }
  module.host().SetStartupFolder(simhost::platform::Utf8FromPath(application));
  return copy;
}

void ExpectRefusedInApplicationFolder(const ValidationSettings& settings, StepLog& steps,
                                      Findings& findings) {
  ModuleUnderTest module(settings, "install-application");
  if (!Prepare(module, findings)) return;
  const std::filesystem::path copy = InstallInApplication(module, findings);
  if (copy.empty()) return;
  simhost::Host& host = module.host();
  steps.Step("loading from the application's plug-ins folder");
  if (!findings.Expect(host.Load(simhost::platform::Utf8FromPath(copy)),
                       "the module did not start"))
    return;
  steps.Step("running the browser command, installed in the application's folder");
  findings.Expect(RunBrowserCommand(host) == nullptr,
                  "installed in the application's plug-ins folder, the browser opened");
  const std::vector<std::string> messages = host.Messages();
  findings.Expect(messages.size() == 1 && messages[0].find(kWrongLocation) != std::string::npos,
                  "installed in the application's plug-ins folder, the browser command showed " +
                      (messages.empty() ? std::string("no message") : Joined(messages)) +
                      "; expected one message that it is " + kWrongLocation);
  steps.Step("running the browser command with Shift+Control held");
  findings.Expect(RunBrowserCommandHolding(host, kShiftControl) != nullptr,
                  "with Shift+Control held, the browser command opened no window");
  findings.ExpectEq(host.Messages().size(), messages.size(),
                    "messages after the command with Shift+Control held");
  ExpectCleanEnd(host, findings);
}

}  // namespace

CheckResult CheckInstallLocation(const ValidationSettings& settings, StepLog& steps) {
  if (!BrowserAvailable(settings)) return Skipped("no browser command on this host");
  Findings findings;
  ExpectOpensFromUserFolder(settings, steps, findings);
  ExpectRefusedInApplicationFolder(settings, steps, findings);
  findings.Note("opens from the user folder; refuses in the application's, opens with Shift+Ctrl");
  return findings.Result();
}

}  // namespace simhost_app
