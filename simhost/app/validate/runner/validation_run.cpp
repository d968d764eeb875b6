#include "validate/runner/validation_run.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <system_error>

#include "common/plugin_ids.h"
#include "modules/plugin_module.h"
#include "platform/platform.h"
#include "validate/checks/check_table.h"
#include "validate/runner/check_runner.h"
#include "validate/runner/one_check_mode.h"
#include "validate/runner/plugin_folder_shape.h"
#include "validate/runner/report_files.h"
#include "validate/runner/validation_report.h"

namespace simhost_app {

namespace fs = std::filesystem;

namespace {

constexpr int32_t kNewestHost = 18011;

std::vector<std::string> CheckNames(int rounds) {
  std::vector<std::string> names;
  for (const CheckEntry& check : CheckTable(rounds)) names.push_back(check.name);
  return names;
}

const char* LineWord(CheckStatus status) {
  switch (status) {
    case CheckStatus::kPass:
      return "PASS";
    case CheckStatus::kFail:
      return "FAIL";
    case CheckStatus::kCrash:
      return "CRASH";
    case CheckStatus::kTimeout:
      return "TIMEOUT";
    case CheckStatus::kSkip:
      return "SKIP";
  }
  return "FAIL";
}

std::string Duration(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "[%.2f s]", seconds);
  return text;
}

void PrintLine(const CheckOutcome& check, std::ostream& out, std::ostream& err) {
  const CheckResult& result = check.result;
  out << LineWord(result.status) << " " << check.name;
  if (result.status == CheckStatus::kPass) {
    out << (result.detail.empty() ? "" : " (" + result.detail + ")");
  } else {
    out << ": " << result.detail;
  }
  out << " " << Duration(check.seconds) << "\n";
  const bool broke = result.status != CheckStatus::kPass && result.status != CheckStatus::kSkip;
  if (broke && !result.report.empty()) {
    std::istringstream lines(result.report);
    err << "report of " << check.name << ":\n";
    for (std::string line; std::getline(lines, line);) err << "  | " << line << "\n";
  }
  out.flush();
}

// A fresh folder for the checks' copies and libraries.
std::string MakeScratchFolder(const std::string& below, std::string* error) {
  namespace platform = simhost::platform;
  std::error_code code;
  const std::string parent = below.empty() ? platform::TempFolder() : below;
  fs::create_directories(platform::PathFromUtf8(parent), code);
  std::string reason;
  const std::string folder = platform::MakeUniqueFolder(parent, "simhost-validate-", &reason);
  if (folder.empty()) *error = "cannot make a scratch folder in " + parent + ": " + reason;
  return folder;
}

// Builds for R14 register nothing from 17000 on, so they are checked on the
// newest host that still runs them.
int32_t HostVersionFor(const std::string& build) {
  return build == "R14" ? plugin_ids::kFirstNewHost - 1 : kNewestHost;
}

// Loads the module in a child process, as the checks will; the loader's own
// message when it cannot.
std::string LoadProblem(const ValidationSettings& settings) {
  const CheckResult probe = RunCheckAlone(kModuleLoadCheck, settings);
  return probe.status == CheckStatus::kPass ? "" : probe.detail;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Why the folder cannot be checked at all, or empty: two modules, a module
// that does not load (the loader's own message), or no res/.
std::string FolderProblem(const ValidationSettings& settings) {
  const std::string& folder = settings.plugin_folder;
  std::string problem = ExtraModuleProblem(folder);
  if (!problem.empty()) return folder + " " + problem;
  problem = LoadProblem(settings);
  if (!problem.empty()) return "no loadable module in " + folder + ": " + problem;
  problem = ResourceFolderProblem(folder);
  return problem.empty() ? "" : folder + " " + problem;
}

class Validation {
 public:
  Validation(ValidationRequest request, std::ostream& out, std::ostream& err)
      : request_(std::move(request)), out_(out), err_(err) {}
  int Run();

 private:
  CheckOutcome RunCheck(const CheckEntry& check);
  bool BelowMinimum() const { return host_version() < minimum_; }
  int32_t host_version() const { return request_.settings.host.interface_version; }
  bool WriteFiles();

  ValidationRequest request_;
  std::ostream& out_;
  std::ostream& err_;
  ValidationReport report_;
  int32_t minimum_ = 0;
};

CheckOutcome Validation::RunCheck(const CheckEntry& check) {
  CheckOutcome outcome{check.name, check.description, {}, 0};
  if (check.needs_started_module && BelowMinimum()) {
    outcome.result = Skipped("host version " + std::to_string(host_version()) +
                             " is below the module's minimum, " + std::to_string(minimum_));
    return outcome;
  }
  const ValidationSettings snapshot = request_.settings;
  const auto start = std::chrono::steady_clock::now();
  outcome.result = RunCheckAlone(check.name, snapshot);
  outcome.seconds = SecondsSince(start);
  return outcome;
}

int Validation::Run() {
  ValidationSettings& settings = request_.settings;
  const std::string folder_problem = FolderProblem(settings);
  if (!folder_problem.empty()) {
    err_ << "simhost validate: " << folder_problem << "\n";
    return kUsageErrorExit;
  }
  out_ << "validating " << settings.plugin_folder << " (seed " << settings.seed << ", "
       << Counted(settings.rounds, "round", "rounds") << ")\n";
  const auto start = std::chrono::steady_clock::now();
  for (const CheckEntry& check : CheckTable(settings.rounds)) {
    const bool wanted = Selected(request_.selection, check.name);
    // The interface-version check tells the build the others need, so it
    // runs even when it is not shown.
    if (!wanted && check.name != "interface-versions") continue;
    CheckOutcome outcome = RunCheck(check);
    if (check.name == "interface-versions") {
      settings.build = outcome.result.facts.value("build", "");
      minimum_ = outcome.result.facts.value("minimum", 0);
      if (!request_.version_given) settings.host.interface_version = HostVersionFor(settings.build);
    }
    if (!wanted) continue;
    PrintLine(outcome, out_, err_);
    report_.checks.push_back(std::move(outcome));
  }
  report_ = {settings.plugin_folder,
             settings.seed,
             settings.rounds,
             settings.build,
             settings.host.interface_version,
             std::move(report_.checks),
             SecondsSince(start)};
  out_ << report_.Summary() << " (" << (settings.build.empty() ? "unknown" : settings.build)
       << " build, host version " << settings.host.interface_version << ")\n";
  const bool files_written = WriteFiles();
  return report_.Passed() && files_written ? 0 : 1;
}

bool Validation::WriteFiles() {
  bool written = true;
  if (!request_.junit_file.empty()) {
    std::ostringstream xml;
    WriteJUnit(report_, xml);
    written = WriteReportFile(request_.junit_file, xml.str(), out_, err_) && written;
  }
  if (!request_.json_file.empty()) {
    const std::string json =
        ReportToJson(report_).dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
    written = WriteReportFile(request_.json_file, json, std::cout, err_) && written;
  }
  return written;
}

}  // namespace

std::string SelectionProblem(const ValidationRequest& request) {
  return SelectionProblem(request.selection, CheckNames(request.settings.rounds));
}

std::string CheckListJson(int rounds) {
  nlohmann::json list = nlohmann::json::array();
  for (const CheckEntry& check : CheckTable(rounds)) {
    list.push_back({{"name", check.name}, {"description", check.description}});
  }
  return list.dump(2) + "\n";
}

void PrintCheckList(int rounds, std::ostream& out) {
  const std::vector<CheckEntry> checks = CheckTable(rounds);
  size_t width = 0;
  for (const CheckEntry& check : checks) width = std::max(width, check.name.size());
  for (const CheckEntry& check : checks) {
    out << check.name << std::string(width + 2 - check.name.size(), ' ') << check.description
        << "\n";
  }
}

int RunValidation(ValidationRequest request, std::ostream& out, std::ostream& err) {
  const std::string selection_problem = SelectionProblem(request);
  if (!selection_problem.empty()) {
    err << "simhost validate: " << selection_problem << "\n";
    return kUsageErrorExit;
  }
  std::string error;
  const std::string scratch = MakeScratchFolder(request.settings.scratch_folder, &error);
  if (scratch.empty()) {
    err << "simhost validate: " << error << "; give a writable folder with --user-folder\n";
    return 1;
  }
  request.settings.scratch_folder = scratch;
  const bool keep_files = request.keep_files;
  const int status = Validation(std::move(request), out, err).Run();
  if (keep_files) {
    out << "scratch files kept in " << scratch << "\n";
  } else {
    std::error_code ignored;
    fs::remove_all(scratch, ignored);
  }
  return status;
}

}  // namespace simhost_app
