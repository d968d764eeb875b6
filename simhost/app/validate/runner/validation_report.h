// What one validation found, check by check, and the files CI reads it from:
// JUnit XML and JSON carry the same facts as the text lines.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

#include "common/english_counts.h"
#include "validate/checks/check_result.h"

namespace simhost_app {

struct CheckOutcome {
  std::string name;
  std::string description;
  CheckResult result;
  double seconds = 0;
};

struct ValidationReport {
  std::string plugin_folder;
  uint32_t seed = 0;
  int rounds = 0;
  std::string build;  // "R17", "R14" or empty when unknown
  int32_t host_version = 0;
  std::vector<CheckOutcome> checks;
  double seconds = 0;

  int Count(CheckStatus status) const;
  // True when nothing failed, crashed or timed out.
  bool Passed() const;
  // "16 checks: 15 passed, 1 failed, 0 crashed, 0 timed out, 0 skipped".
  std::string Summary() const;
};

nlohmann::json ReportToJson(const ValidationReport& report);
// One testsuite, one testcase per check: a failure as <failure>, a crash or
// timeout as <error>, a skip as <skipped>.
void WriteJUnit(const ValidationReport& report, std::ostream& out);

}  // namespace simhost_app
