// Runs each check in a child process of its own, so that a crash, a hang or
// a sanitizer's finding in the module becomes a failed check instead of the
// end of the validation, and every check starts from a freshly loaded module.
#pragma once

#include <functional>
#include <string>

#include "validate/check_result.h"

namespace simhost_app {

// What the check is doing now, so that a crash or hang can be told by the
// step it happened in.
class StepLog {
 public:
  explicit StepLog(int fd) : fd_(fd) {}
  void Step(const std::string& what);

 private:
  int fd_;
};

using IsolatedCheck = std::function<CheckResult(StepLog&)>;

// The check's own result, or a failure saying how the child ended: killed by
// a signal, stopped after timeout_seconds, or stopped by a sanitizer (whose
// report is kept in the result's report).
CheckResult RunIsolated(const IsolatedCheck& check, int timeout_seconds);

}  // namespace simhost_app
