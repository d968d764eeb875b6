// One validation of a plug-in folder: the checks in order, each in a process
// of its own, one line per check and a summary.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "validate/checks/validation_settings.h"
#include "validate/runner/check_selection.h"

namespace simhost_app {

constexpr int kUsageErrorExit = 2;

struct ValidationRequest {
  ValidationSettings settings;
  bool version_given = false;  // else the host version suits the build found
  CheckPatterns selection;
  bool keep_files = false;  // keep the scratch folder for a look afterwards
  std::string junit_file;   // JUnit XML, when set
  std::string json_file;    // JSON, when set; "-" for standard output
};

// What is wrong with the request's --only and --exclude patterns: one that
// matches no check, or a selection that leaves none; empty when nothing.
std::string SelectionProblem(const ValidationRequest& request);

// The checks as --list shows them: "name  description" lines.
void PrintCheckList(int rounds, std::ostream& out);
// The same as JSON: [{"name": ..., "description": ...}, ...].
std::string CheckListJson(int rounds);

// Prints PASS/FAIL/CRASH/TIMEOUT/SKIP lines and the summary to out, sanitizer
// and crash reports to err; returns the exit status: 0 when nothing failed,
// 1 when a check did not pass, 2 when the folder is no plug-in folder (no
// loadable module, two modules, no res/) or nothing is selected.
int RunValidation(ValidationRequest request, std::ostream& out, std::ostream& err);

}  // namespace simhost_app
