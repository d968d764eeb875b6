#include "validate/validation_run.h"

#include <stdlib.h>

#include <filesystem>
#include <functional>
#include <sstream>
#include <system_error>
#include <vector>

#include "common/plugin_ids.h"
#include "validate/browser_checks.h"
#include "validate/check_runner.h"
#include "validate/entry_checks.h"
#include "validate/random_sequences.h"
#include "validate/start_checks.h"

namespace simhost_app {

namespace fs = std::filesystem;

namespace {

constexpr int32_t kNewestHost = 18011;

using CheckFunction = std::function<CheckResult(const ValidationSettings&, StepLog&)>;

struct NamedCheck {
  std::string name;
  CheckFunction run;
};

std::vector<NamedCheck> ModuleChecks(int rounds) {
  std::vector<NamedCheck> checks{
      {"actions", CheckActions},
      {"messages", CheckMessages},
      {"start", CheckStart},
      {"start-refused-resources", CheckRefusedResources},
      {"start-refused-command", CheckRefusedCommand},
      {"start-refused-scene-hook", CheckRefusedSceneHook},
      {"load-unload-x" + std::to_string(rounds), CheckRepeatedLoading},
      {"scene-hook", CheckSceneHook},
      {"browser-open-close-x" + std::to_string(rounds), CheckOpenClose},
      {"browser-resize-storm", CheckResizeStorm},
  };
  for (SequenceKind kind : {SequenceKind::kChoosers, SequenceKind::kClicks,
                            SequenceKind::kWindowMessages, SequenceKind::kLibraryChanges}) {
    checks.push_back({std::string("random-") + SequenceName(kind),
                      [kind](const ValidationSettings& settings, StepLog& steps) {
                        return CheckRandomSequence(settings, steps, kind);
                      }});
  }
  return checks;
}

class Tally {
 public:
  Tally(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}
  void Print(const std::string& name, const CheckResult& result);
  int failed() const { return failed_; }
  std::string Summary() const;

 private:
  std::ostream& out_;
  std::ostream& err_;
  int passed_ = 0;
  int failed_ = 0;
  int skipped_ = 0;
};

void Tally::Print(const std::string& name, const CheckResult& result) {
  switch (result.status) {
    case CheckStatus::kPass:
      ++passed_;
      out_ << "PASS " << name << (result.detail.empty() ? "" : " (" + result.detail + ")") << "\n";
      break;
    case CheckStatus::kSkip:
      ++skipped_;
      out_ << "SKIP " << name << ": " << result.detail << "\n";
      break;
    case CheckStatus::kFail:
      ++failed_;
      out_ << "FAIL " << name << ": " << result.detail << "\n";
      if (!result.report.empty()) {
        std::istringstream lines(result.report);
        err_ << "report of " << name << ":\n";
        for (std::string line; std::getline(lines, line);) err_ << "  | " << line << "\n";
      }
      break;
  }
  out_.flush();
}

std::string Tally::Summary() const {
  return std::to_string(passed_ + failed_ + skipped_) + " checks: " + std::to_string(passed_) +
         " passed, " + std::to_string(failed_) + " failed, " + std::to_string(skipped_) +
         " skipped";
}

// A fresh folder for the checks' copies and libraries.
std::string MakeScratchFolder(const std::string& below, std::string* error) {
  std::error_code code;
  const fs::path parent = below.empty() ? fs::temp_directory_path(code) : fs::path(below);
  fs::create_directories(parent, code);
  std::string pattern = (parent / "simhost-validate-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    *error = "cannot make a scratch folder in " + parent.string();
    return "";
  }
  return pattern;
}

// Builds for R14 register nothing from 17000 on, so they are checked on the
// newest host that still runs them.
int32_t HostVersionFor(const std::string& build) {
  return build == "R14" ? plugin_ids::kFirstNewHost - 1 : kNewestHost;
}

bool Wanted(const ValidationRequest& request, const std::string& name) {
  return request.only.empty() || name.find(request.only) != std::string::npos;
}

}  // namespace

int RunValidation(ValidationRequest request, std::ostream& out, std::ostream& err) {
  ValidationSettings& settings = request.settings;
  std::string error;
  settings.scratch_folder = MakeScratchFolder(settings.scratch_folder, &error);
  if (settings.scratch_folder.empty()) {
    err << "simhost validate: " << error << "\n";
    return 1;
  }
  out << "validating " << settings.plugin_folder << " (seed " << settings.seed << ", "
      << settings.rounds << " rounds)\n";
  Tally tally(out, err);
  const auto run = [&](const std::string& name, const CheckFunction& check) {
    const ValidationSettings snapshot = settings;
    CheckResult result = RunIsolated([&](StepLog& steps) { return check(snapshot, steps); },
                                     settings.timeout_seconds);
    tally.Print(name, result);
    return result;
  };
  if (Wanted(request, "exports")) run("exports", CheckExports);
  const CheckResult versions = run("interface-versions", CheckInterfaceVersions);
  settings.build = versions.facts.value("build", "");
  if (!request.version_given) settings.host.interface_version = HostVersionFor(settings.build);
  for (const NamedCheck& check : ModuleChecks(settings.rounds)) {
    if (Wanted(request, check.name)) run(check.name, check.run);
  }
  out << tally.Summary() << " (" << (settings.build.empty() ? "unknown" : settings.build)
      << " build, host version " << settings.host.interface_version << ")\n";
  if (request.keep_files) {
    out << "scratch files kept in " << settings.scratch_folder << "\n";
  } else {
    std::error_code ignored;
    fs::remove_all(settings.scratch_folder, ignored);
  }
  return tally.failed() == 0 ? 0 : 1;
}

}  // namespace simhost_app
