// Runs each check in a child process of its own, so that a crash, a hang or
// a sanitizer's finding in the module becomes a failed check instead of the
// end of the validation, and every check starts from a freshly loaded module.
// On POSIX the child is a fork; Windows has no fork, so there the child is a
// fresh process of this program in its one-check mode, told what to run on
// its standard input.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <istream>
#include <string>
#include <vector>

#include "validate/checks/check_result.h"
#include "validate/checks/step_log.h"

namespace simhost_app {

using IsolatedCheck = std::function<CheckResult(StepLog&)>;

#ifndef _WIN32
// The check's own result, or a failure saying how the forked child ended:
// killed by a signal, stopped after timeout_seconds, or stopped by a
// sanitizer (whose report is kept in the result's report).
CheckResult RunIsolated(const IsolatedCheck& check, int timeout_seconds);
#endif

// The same for a check that `command` (this program in its one-check mode)
// finds from `check`; its files are made in a fresh folder below
// work_folder and removed afterwards.
CheckResult RunInChildProcess(const std::vector<std::string>& command, const nlohmann::json& check,
                              const std::string& work_folder, int timeout_seconds);

// The child's side: reads the request from `request`, runs the check that
// find_check makes of it, writes the steps and the result where the request
// says, and ends the process (without the parent's exit handlers) with the
// status RunInChildProcess reads. find_check answers an empty function for a
// request it does not know.
using CheckFinder = std::function<IsolatedCheck(const nlohmann::json& check)>;
[[noreturn]] void RunOneCheck(std::istream& request, const CheckFinder& find_check);

// How a check's process ended, and what it left behind.
struct ChildEnd {
  bool finished = true;    // false: killed at the deadline
  int signal = 0;          // POSIX: the signal that ended it; 0 when it exited
  uint32_t exit_code = 0;  // its exit status; on Windows also an exception code
  std::string steps;       // its step log
  std::string report;      // its standard output and error
  std::string result;      // its result as JSON, when it got that far
};

// The check's result from how its process ended.
CheckResult ResultOfChild(const ChildEnd& end, int timeout_seconds);

// "ACCESS_VIOLATION" for 0xC0000005 and the other exception codes a crashed
// Windows process ends with; empty for a code that is no exception.
std::string ExceptionName(uint32_t code);

}  // namespace simhost_app
