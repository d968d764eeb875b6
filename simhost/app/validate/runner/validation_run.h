// One validation of a plug-in folder: the checks in order, each in a process
// of its own, one line per check and a summary.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "validate/checks/validation_settings.h"

namespace simhost_app {

constexpr int kUsageErrorExit = 2;

struct ValidationRequest {
  ValidationSettings settings;
  bool version_given = false;        // else the host version suits the build found
  std::vector<std::string> only;     // run only checks whose names contain one of these
  std::vector<std::string> exclude;  // and none of these
  bool keep_files = false;           // keep the scratch folder for a look afterwards
  std::string junit_file;            // JUnit XML, when set
  std::string json_file;             // JSON, when set; "-" for standard output
};

// The first --only or --exclude pattern that matches no check, with the
// option's name ("--only nomatch"); empty when every pattern matches one.
std::string UnmatchedPattern(const ValidationRequest& request);

// The checks as --list shows them: "name  description" lines, or JSON.
void PrintCheckList(int rounds, bool as_json, std::ostream& out);

// Prints PASS/FAIL/CRASH/TIMEOUT/SKIP lines and the summary to out, sanitizer
// and crash reports to err; returns the exit status: 0 when nothing failed,
// 1 when a check did not pass, 2 when the folder holds no loadable module.
int RunValidation(ValidationRequest request, std::ostream& out, std::ostream& err);

}  // namespace simhost_app
