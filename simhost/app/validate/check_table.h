// Every check of `simhost validate`: its name, its one-line description and
// its function, kept together so that --list, the table in
// docs/plugin-developers.md and the run cannot drift apart.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "validate/check_result.h"
#include "validate/check_runner.h"
#include "validate/validation_settings.h"

namespace simhost_app {

using CheckFunction = std::function<CheckResult(const ValidationSettings&, StepLog&)>;

struct CheckEntry {
  std::string name;  // counted checks carry their round count: "load-unload-x40"
  std::string description;
  CheckFunction run;
  bool needs_started_module = true;  // skipped on a host below the module's minimum
};

// The checks in the order they run, named for this many rounds.
std::vector<CheckEntry> CheckTable(int rounds);

}  // namespace simhost_app
