#include "validate/check_runner.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <thread>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#else
#include <execinfo.h>
#endif

namespace simhost_app {

namespace {

constexpr int kLeakExitCode = 23;
constexpr int kExceptionExitCode = 70;
constexpr auto kPollInterval = std::chrono::milliseconds(5);

using TempFile = std::unique_ptr<FILE, int (*)(FILE*)>;

TempFile MakeTempFile() { return TempFile(std::tmpfile(), std::fclose); }

std::string ReadAll(FILE* file) {
  std::string text;
  if (file == nullptr) return text;
  std::fflush(file);
  std::rewind(file);
  char buffer[4096];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
  return text;
}

void WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    ssize_t wrote = ::write(fd, text.data() + done, text.size() - done);
    if (wrote <= 0) return;
    done += static_cast<size_t>(wrote);
  }
}

// Leaks are looked for here, while the check's host is gone but before the
// child ends without running the parent's exit handlers.
bool LeaksFound() {
#if defined(__SANITIZE_ADDRESS__)
  return __lsan_do_recoverable_leak_check() != 0;
#else
  return false;
#endif
}

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer reports crashes itself.
void ReportCrashes() {}
#else
// A crash leaves the call stack in the report, then ends the child by the
// same signal.
void WriteBacktrace(int signal) {
  void* frames[64];
  const int count = ::backtrace(frames, 64);
  static const char kHeader[] = "crash backtrace:\n";
  if (::write(STDERR_FILENO, kHeader, sizeof kHeader - 1) < 0) ::_exit(1);
  ::backtrace_symbols_fd(frames, count, STDERR_FILENO);
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

void ReportCrashes() {
  for (int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) ::signal(signal, WriteBacktrace);
}
#endif

[[noreturn]] void RunChild(const IsolatedCheck& check, int result_fd, int steps_fd, int report_fd) {
  ::dup2(report_fd, STDERR_FILENO);
  ::dup2(report_fd, STDOUT_FILENO);
  ReportCrashes();
  int status = 0;
  try {
    StepLog steps(steps_fd);
    const CheckResult result = check(steps);
    WriteAll(result_fd,
             ResultToJson(result).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "exception: %s\n", error.what());
    status = kExceptionExitCode;
  }
  if (status == 0 && LeaksFound()) status = kLeakExitCode;
  std::fflush(nullptr);
  ::_exit(status);
}

// The last step the child logged, for the failure line.
std::string LastStep(const std::string& steps) {
  std::string trimmed = steps;
  while (!trimmed.empty() && trimmed.back() == '\n') trimmed.pop_back();
  const size_t start = trimmed.find_last_of('\n');
  return start == std::string::npos ? trimmed : trimmed.substr(start + 1);
}

// The sanitizer's own one-line summary, or its first error line.
std::string SanitizerSummary(const std::string& report) {
  for (const char* marker : {"SUMMARY: ", "runtime error: ", "ERROR: "}) {
    const size_t at = report.find(marker);
    if (at == std::string::npos) continue;
    const size_t end = report.find('\n', at);
    return report.substr(at, end == std::string::npos ? std::string::npos : end - at);
  }
  return "";
}

std::string HowItEnded(int wait_status, const std::string& report) {
  if (WIFSIGNALED(wait_status)) {
    const int signal = WTERMSIG(wait_status);
    const std::string summary = SanitizerSummary(report);
    const char* name = ::strsignal(signal);
    std::string text = "crashed with signal " + std::to_string(signal) + " (" +
                       (name != nullptr ? name : "unknown") + ")";
    return summary.empty() ? text : text + ": " + summary;
  }
  const int code = WEXITSTATUS(wait_status);
  const std::string summary = SanitizerSummary(report);
  if (code == kLeakExitCode) return "leaked memory" + (summary.empty() ? "" : ": " + summary);
  // Under the sanitizer a crash is caught and ends as an exit status.
  if (report.find("DEADLYSIGNAL") != std::string::npos) return "crashed: " + summary;
  if (!summary.empty()) return summary;
  if (code == kExceptionExitCode) return "the check stopped on an exception";
  return "ended with exit status " + std::to_string(code);
}

bool Crashed(int wait_status, const std::string& report) {
  // Under the sanitizer a crash is caught and ends as an exit status.
  return WIFSIGNALED(wait_status) || report.find("DEADLYSIGNAL") != std::string::npos;
}

CheckResult Failure(const std::string& why, const std::string& steps, const std::string& report,
                    CheckStatus kind = CheckStatus::kFail) {
  CheckResult result;
  result.status = kind;
  const std::string step = LastStep(steps);
  result.detail = step.empty() ? why : why + " (during: " + step + ")";
  result.report = report;
  return result;
}

// Waits for the child; false when it had to be killed at the deadline.
bool WaitWithDeadline(pid_t child, int timeout_seconds, int* wait_status) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeout_seconds);
  for (;;) {
    const pid_t done = ::waitpid(child, wait_status, WNOHANG);
    if (done == child) return true;
    if (done < 0 && errno != EINTR) return true;
    if (std::chrono::steady_clock::now() >= deadline) {
      ::kill(child, SIGKILL);
      ::waitpid(child, wait_status, 0);
      return false;
    }
    std::this_thread::sleep_for(kPollInterval);
  }
}

}  // namespace

void StepLog::Step(const std::string& what) { WriteAll(fd_, what + "\n"); }

CheckResult RunIsolated(const IsolatedCheck& check, int timeout_seconds) {
  TempFile result_file = MakeTempFile();
  TempFile steps_file = MakeTempFile();
  TempFile report_file = MakeTempFile();
  if (!result_file || !steps_file || !report_file) {
    return Failure("cannot make temporary files for the check", "", "");
  }
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child < 0) return Failure("cannot start a process for the check", "", "");
  if (child == 0) {
    RunChild(check, ::fileno(result_file.get()), ::fileno(steps_file.get()),
             ::fileno(report_file.get()));
  }
  int wait_status = 0;
  const bool ended = WaitWithDeadline(child, timeout_seconds, &wait_status);
  const std::string steps = ReadAll(steps_file.get());
  const std::string report = ReadAll(report_file.get());
  if (!ended) {
    return Failure("hung: no answer within " + std::to_string(timeout_seconds) + " s", steps,
                   report, CheckStatus::kTimeout);
  }
  if (!WIFEXITED(wait_status) || WEXITSTATUS(wait_status) != 0) {
    return Failure(HowItEnded(wait_status, report), steps, report,
                   Crashed(wait_status, report) ? CheckStatus::kCrash : CheckStatus::kFail);
  }
  CheckResult result = ResultFromJson(ReadAll(result_file.get()));
  // A sanitizer told to go on after an error still leaves its report.
  const std::string summary = SanitizerSummary(report);
  if (!summary.empty() && result.status != CheckStatus::kFail) {
    return Failure(summary, steps, report);
  }
  if (result.report.empty()) result.report = report;
  return result;
}

}  // namespace simhost_app
