// The validator's system-bound pieces for Windows until they are written
// there: the checks' child processes, the module's export table and the
// guard page. Every check reports itself skipped, so a Windows validation
// ends cleanly and says why instead of running checks unprotected.
#include "validate/check_runner.h"
#include "validate/guard_page.h"
#include "validate/module_exports.h"

namespace simhost_app {

namespace {
constexpr char kNotYet[] = "not yet on Windows: checks run in child processes on Linux only";
}  // namespace

void StepLog::Step(const std::string& /*what*/) {}

CheckResult RunIsolated(const IsolatedCheck& /*check*/, int /*timeout_seconds*/) {
  return Skipped(kNotYet);
}

bool ReadExportedSymbols(const std::string& /*file*/, std::vector<std::string>* /*names*/,
                         std::string* error) {
  *error = "reading a module's exports is not yet done on Windows";
  return false;
}

void* UnreadableAddress() { return nullptr; }

}  // namespace simhost_app
