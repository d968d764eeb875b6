#include "validate/checks/entry_checks.h"

#include <climits>
#include <string>
#include <vector>

#include "common/plugin_ids.h"
#include "modules/plugin_module.h"
#include "validate/checks/guard_page.h"
#include "validate/checks/module_exports.h"
#include "validate/checks/module_under_test.h"

namespace simhost_app {

namespace ids = plugin_ids;

namespace {

std::string Joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text.empty() ? "nothing" : text;
}

// Loads a fresh copy of the module and sends action 1 with a table of that
// version and size.
int32_t InitAnswer(ModuleUnderTest& module, int32_t version, uint32_t size, bool with_path) {
  std::string error;
  if (!module.Open(&error)) return INT32_MIN;
  simhost::Host& host = module.host();
  const std::string path = host.ModulePath();
  return host.CallInit(host.MakeTable(version, size), with_path ? path.c_str() : nullptr);
}

std::string DescribeAnswers(const std::vector<int32_t>& versions,
                            const std::vector<int32_t>& answers) {
  std::string text;
  for (size_t i = 0; i < versions.size(); ++i) {
    text += (i ? ", " : "") + std::to_string(versions[i]) + " -> " + std::to_string(answers[i]);
  }
  return text;
}

// Which build answers this way at 13999, 14000, 17029 and 17030; empty for
// neither.
std::string BuildOfAnswers(const std::vector<int32_t>& answers) {
  const int32_t no = C4D_ANSWER_UNUSABLE_HOST;
  const int32_t ok = C4D_ANSWER_OK;
  if (answers == std::vector<int32_t>{no, no, no, ok}) return "R17";
  if (answers == std::vector<int32_t>{no, ok, ok, ok}) return "R14";
  return "";
}

int32_t Action(simhost::Host& host, int32_t action) {
  void* unreadable = UnreadableAddress();
  return host.CallMain(action, unreadable, unreadable, unreadable);
}

int32_t Message(simhost::Host& host, int64_t id) {
  void* as_pointer = reinterpret_cast<void*>(static_cast<intptr_t>(id));
  return host.CallMain(C4D_ACTION_MESSAGE, as_pointer, UnreadableAddress(), nullptr);
}

}  // namespace

CheckResult CheckExports(const ValidationSettings& settings, StepLog& steps) {
  steps.Step("finding the module file");
  std::string error;
  const std::string file = simhost::FindModuleFile(settings.plugin_folder, &error);
  Findings findings;
  if (!findings.Expect(!file.empty(), error)) return findings.Result();
  steps.Step("reading the exports of " + file);
  std::vector<std::string> names;
  if (!findings.Expect(ReadExportedSymbols(file, &names, &error), error)) return findings.Result();
  findings.Expect(names == std::vector<std::string>{"c4d_main"},
                  "exports " + Joined(names) + "; only c4d_main may be exported");
  findings.Note("c4d_main alone");
  return findings.Result();
}

CheckResult CheckInterfaceVersions(const ValidationSettings& settings, StepLog& steps) {
  ModuleUnderTest module(settings, "interface-versions");
  Findings findings;
  std::string error;
  if (!findings.Expect(module.Ready(&error), error)) return findings.Result();
  const uint32_t full = sizeof(c4d_function_table);
  const std::vector<int32_t> versions{13999, 14000, 17029, 17030};
  std::vector<int32_t> answers;
  for (int32_t version : versions) {
    steps.Step("action 1 at interface version " + std::to_string(version));
    answers.push_back(InitAnswer(module, version, full, true));
  }
  const std::string build = BuildOfAnswers(answers);
  if (!findings.Expect(!build.empty(), "action 1 answered " + DescribeAnswers(versions, answers) +
                                           "; a build for R17 refuses (-3) below 17030, one "
                                           "for R14 below 14000")) {
    return findings.Result();
  }
  const int32_t minimum = build == "R17" ? ids::kMinimumR17 : ids::kMinimumR14;
  steps.Step("action 1 at interface version 999999");
  findings.ExpectEq(InitAnswer(module, 999999, full, true), C4D_ANSWER_OK,
                    "action 1 at version 999999");
  steps.Step("action 1 with a table one byte short");
  findings.ExpectEq(InitAnswer(module, minimum, full - 1, true), C4D_ANSWER_UNUSABLE_HOST,
                    "action 1 with a short table");
  steps.Step("action 1 without a module path");
  findings.ExpectEq(InitAnswer(module, minimum, full, false), C4D_ANSWER_UNUSABLE_HOST,
                    "action 1 without a module path");
  findings.facts()["build"] = build;
  findings.facts()["minimum"] = minimum;
  findings.Note("build for " + build + ", minimum interface version " + std::to_string(minimum));
  return findings.Result();
}

namespace {
// The module ready and initialised with the host's own table; false (with
// the finding) when either fails.
bool Initialised(ModuleUnderTest& module, Findings& findings, StepLog& steps) {
  std::string error;
  if (!findings.Expect(module.Ready(&error), error)) return false;
  steps.Step("action 1");
  return findings.ExpectEq(
      InitAnswer(module, module.host().InterfaceVersion(), sizeof(c4d_function_table), true),
      C4D_ANSWER_OK, "action 1");
}
}  // namespace

CheckResult CheckActions(const ValidationSettings& settings, StepLog& steps) {
  ModuleUnderTest module(settings, "actions");
  Findings findings;
  if (!Initialised(module, findings, steps)) return findings.Result();
  simhost::Host& host = module.host();
  steps.Step("action 4");
  findings.ExpectEq(Action(host, C4D_ACTION_VERSION), C4D_ANSWER_FRAME_VERSION, "action 4");
  for (int32_t action : {0, 5, 7, 8, 100, -1, INT32_MIN, INT32_MAX}) {
    steps.Step("action " + std::to_string(action));
    findings.ExpectEq(Action(host, action), C4D_ANSWER_REFUSED, "action " + std::to_string(action));
  }
  steps.Step("a second action 1");
  findings.ExpectEq(
      host.CallMain(C4D_ACTION_INIT, const_cast<c4d_function_table*>(&host.Table()),
                    UnreadableAddress(), const_cast<char*>(host.ModulePath().c_str())),
      C4D_ANSWER_OK, "a second action 1");
  steps.Step("the first action 3 after two actions 1");
  findings.ExpectEq(Action(host, C4D_ACTION_END), C4D_ANSWER_OK, "the first action 3");
  steps.Step("the second action 3");
  findings.ExpectEq(Action(host, C4D_ACTION_END), C4D_ANSWER_OK, "the second action 3");
  steps.Step("unloading");
  host.Unload();
  findings.Note("actions 0 to 8, -1, 100 and the extremes");
  return findings.Result();
}

CheckResult CheckMessages(const ValidationSettings& settings, StepLog& steps) {
  ModuleUnderTest module(settings, "messages");
  Findings findings;
  if (!Initialised(module, findings, steps)) return findings.Result();
  simhost::Host& host = module.host();
  steps.Step("message 0");
  findings.ExpectEq(Message(host, C4D_MESSAGE_PRIORITY), C4D_ANSWER_OK, "message 0");
  steps.Step("message 0 with high bits set in its value");
  findings.ExpectEq(Message(host, int64_t{1} << 32), C4D_ANSWER_OK,
                    "message 0 given as 0x100000000");
  for (int64_t id : {int64_t{C4D_MESSAGE_BUILD_MENU}, int64_t{2}, int64_t{12345}, int64_t{-1},
                     int64_t{INT32_MAX}}) {
    steps.Step("message " + std::to_string(id));
    findings.ExpectEq(Message(host, id), C4D_ANSWER_REFUSED, "message " + std::to_string(id));
  }
  steps.Step("message 1, twice");
  findings.ExpectEq(Message(host, C4D_MESSAGE_LOAD_RESOURCES), C4D_ANSWER_OK, "message 1");
  findings.ExpectEq(Message(host, C4D_MESSAGE_LOAD_RESOURCES), C4D_ANSWER_OK, "message 1 again");
  findings.ExpectEq(host.ResourceLoadRequests(), 1, "resource set requests");
  steps.Step("action 3 and unloading");
  findings.ExpectEq(Action(host, C4D_ACTION_END), C4D_ANSWER_OK, "action 3");
  host.Unload();
  findings.ExpectEq(host.ResourceReleases(), 1, "resource set releases");
  findings.Expect(host.Warnings().empty(), "host warnings: " + Joined(host.Warnings()));
  findings.Note("messages 0, 1, 1001188 and others; data never read");
  return findings.Result();
}

}  // namespace simhost_app
