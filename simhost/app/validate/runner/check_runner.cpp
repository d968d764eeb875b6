#include "validate/runner/check_runner.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <system_error>

#include "validate/runner/child_process.h"

#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>
#endif

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace simhost_app {

namespace fs = std::filesystem;

namespace {

constexpr int kUsageExitCode = 2;
constexpr int kLeakExitCode = 23;
constexpr int kExceptionExitCode = 70;

using File = std::unique_ptr<FILE, int (*)(FILE*)>;

// Leaks are looked for here, while the check's host is gone but before the
// child ends without running the parent's exit handlers.
bool LeaksFound() {
#if defined(__SANITIZE_ADDRESS__)
  return __lsan_do_recoverable_leak_check() != 0;
#else
  return false;
#endif
}

// Runs the check in this process, the child; answers the exit status.
int RunCheckHere(const IsolatedCheck& check, std::FILE* steps_file, std::FILE* result_file) {
  int status = 0;
  try {
    StepLog steps(steps_file);
    const std::string result =
        ResultToJson(check(steps)).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    std::fwrite(result.data(), 1, result.size(), result_file);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "exception: %s\n", error.what());
    status = kExceptionExitCode;
  }
  if (status == 0 && LeaksFound()) status = kLeakExitCode;
  std::fflush(nullptr);
  return status;
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

std::string SignalName(int signal) {
#ifdef _WIN32
  (void)signal;  // Windows processes end by exception codes instead
  return "unknown";
#else
  const char* name = ::strsignal(signal);
  return name != nullptr ? name : "unknown";
#endif
}

std::string HowItEnded(const ChildEnd& end) {
  const std::string summary = SanitizerSummary(end.report);
  const auto with_summary = [&](const std::string& text) {
    return summary.empty() ? text : text + ": " + summary;
  };
  if (end.signal != 0) {
    return with_summary("crashed with signal " + std::to_string(end.signal) + " (" +
                        SignalName(end.signal) + ")");
  }
  const std::string exception = ExceptionName(end.exit_code);
  if (!exception.empty()) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(end.exit_code));
    return "crashed with exception " + std::string(code) + " (" + exception + ")";
  }
  if (end.exit_code == kLeakExitCode) return with_summary("leaked memory");
  // Under the sanitizer a crash is caught and ends as an exit status.
  if (end.report.find("DEADLYSIGNAL") != std::string::npos) return "crashed: " + summary;
  if (!summary.empty()) return summary;
  if (end.exit_code == kExceptionExitCode) return "the check stopped on an exception";
  return "ended with exit status " + std::to_string(end.exit_code);
}

bool Crashed(const ChildEnd& end) {
  return end.signal != 0 || !ExceptionName(end.exit_code).empty() ||
         end.report.find("DEADLYSIGNAL") != std::string::npos;
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

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteAll(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  return static_cast<bool>(out.flush());
}

// A folder of its own for one child's files.
fs::path ChildFolder(const std::string& below, std::error_code* error) {
  static std::atomic<int> counter{0};
  const fs::path parent = below.empty() ? fs::temp_directory_path(*error) : fs::u8path(below);
  const fs::path folder = parent / ("one-check-" + std::to_string(++counter));
  fs::remove_all(folder, *error);
  fs::create_directories(folder, *error);
  return folder;
}

[[noreturn]] void EndChild(int status) {
  std::fflush(nullptr);
  std::_Exit(status);
}

#ifndef _WIN32
constexpr auto kPollInterval = std::chrono::milliseconds(5);

using TempFile = File;

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

// Waits for the forked child; false when it had to be killed at the deadline.
bool WaitForChild(pid_t child, int timeout_seconds, int* signal, uint32_t* exit_code) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeout_seconds);
  int status = 0;
  bool ended = true;
  for (;;) {
    const pid_t done = ::waitpid(child, &status, WNOHANG);
    if (done == child || (done < 0 && errno != EINTR)) break;
    if (std::chrono::steady_clock::now() >= deadline) {
      ::kill(child, SIGKILL);
      ::waitpid(child, &status, 0);
      ended = false;
      break;
    }
    std::this_thread::sleep_for(kPollInterval);
  }
  if (WIFSIGNALED(status)) *signal = WTERMSIG(status);
  if (WIFEXITED(status)) *exit_code = static_cast<uint32_t>(WEXITSTATUS(status));
  return ended;
}

[[noreturn]] void RunChild(const IsolatedCheck& check, FILE* result, FILE* steps, int report_fd) {
  ::dup2(report_fd, STDERR_FILENO);
  ::dup2(report_fd, STDOUT_FILENO);
  ReportCrashes();
  EndChild(RunCheckHere(check, steps, result));
}
#endif

}  // namespace

#ifndef _WIN32
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
    RunChild(check, result_file.get(), steps_file.get(), ::fileno(report_file.get()));
  }
  ChildEnd end;
  end.finished = WaitForChild(child, timeout_seconds, &end.signal, &end.exit_code);
  end.steps = ReadAll(steps_file.get());
  end.report = ReadAll(report_file.get());
  end.result = ReadAll(result_file.get());
  return ResultOfChild(end, timeout_seconds);
}
#endif

CheckResult RunInChildProcess(const std::vector<std::string>& command, const nlohmann::json& check,
                              const std::string& work_folder, int timeout_seconds) {
  std::error_code error;
  const fs::path folder = ChildFolder(work_folder, &error);
  const nlohmann::json request = {{"check", check},
                                  {"steps", (folder / "steps.txt").u8string()},
                                  {"result", (folder / "result.json").u8string()}};
  if (error || !WriteAll(folder / "request.json", request.dump())) {
    return Failure("cannot write the check's files in " + folder.u8string(), "", "");
  }
  const ProcessEnd process = RunProcess(command, (folder / "request.json").u8string(),
                                        (folder / "report.txt").u8string(), timeout_seconds);
  ChildEnd end{process.finished,
               process.signal,
               process.exit_code,
               ReadAll(folder / "steps.txt"),
               ReadAll(folder / "report.txt"),
               ReadAll(folder / "result.json")};
  fs::remove_all(folder, error);
  if (!process.error.empty()) return Failure(process.error, "", "");
  return ResultOfChild(end, timeout_seconds);
}

void RunOneCheck(std::istream& input, const CheckFinder& find_check) {
  ReportCrashes();
  const nlohmann::json request = nlohmann::json::parse(input, nullptr, false);
  if (!request.is_object() || !request.value("steps", nlohmann::json()).is_string() ||
      !request.value("result", nlohmann::json()).is_string()) {
    std::cerr << "simhost validate --one-check: standard input holds no check request\n";
    EndChild(kUsageExitCode);
  }
  const nlohmann::json named = request.value("check", nlohmann::json());
  const IsolatedCheck check = find_check(named);
  if (!check) {
    std::cerr << "simhost validate --one-check: no such check: " << named.dump() << "\n";
    EndChild(kUsageExitCode);
  }
  const File steps(OpenFile(request["steps"].get<std::string>(), "wb"), std::fclose);
  const File result(OpenFile(request["result"].get<std::string>(), "wb"), std::fclose);
  if (!steps || !result) {
    std::cerr << "simhost validate --one-check: cannot write " << request["result"] << "\n";
    EndChild(kUsageExitCode);
  }
  EndChild(RunCheckHere(check, steps.get(), result.get()));
}

CheckResult ResultOfChild(const ChildEnd& end, int timeout_seconds) {
  if (!end.finished) {
    return Failure("hung: no answer within " + std::to_string(timeout_seconds) + " s", end.steps,
                   end.report, CheckStatus::kTimeout);
  }
  if (end.signal != 0 || end.exit_code != 0) {
    return Failure(HowItEnded(end), end.steps, end.report,
                   Crashed(end) ? CheckStatus::kCrash : CheckStatus::kFail);
  }
  CheckResult result = ResultFromJson(end.result);
  // A sanitizer told to go on after an error still leaves its report.
  const std::string summary = SanitizerSummary(end.report);
  if (!summary.empty() && result.status != CheckStatus::kFail) {
    return Failure(summary, end.steps, end.report);
  }
  if (result.report.empty()) result.report = end.report;
  return result;
}

std::string ExceptionName(uint32_t code) {
  static const std::pair<uint32_t, const char*> kNames[] = {
      {0x80000001, "GUARD_PAGE_VIOLATION"},
      {0x80000002, "DATATYPE_MISALIGNMENT"},
      {0x80000003, "BREAKPOINT"},
      {0x80000004, "SINGLE_STEP"},
      {0xC0000005, "ACCESS_VIOLATION"},
      {0xC0000006, "IN_PAGE_ERROR"},
      {0xC0000008, "INVALID_HANDLE"},
      {0xC000001D, "ILLEGAL_INSTRUCTION"},
      {0xC0000025, "NONCONTINUABLE_EXCEPTION"},
      {0xC0000026, "INVALID_DISPOSITION"},
      {0xC000008C, "ARRAY_BOUNDS_EXCEEDED"},
      {0xC000008D, "FLOAT_DENORMAL_OPERAND"},
      {0xC000008E, "FLOAT_DIVIDE_BY_ZERO"},
      {0xC000008F, "FLOAT_INEXACT_RESULT"},
      {0xC0000090, "FLOAT_INVALID_OPERATION"},
      {0xC0000091, "FLOAT_OVERFLOW"},
      {0xC0000092, "FLOAT_STACK_CHECK"},
      {0xC0000093, "FLOAT_UNDERFLOW"},
      {0xC0000094, "INT_DIVIDE_BY_ZERO"},
      {0xC0000095, "INT_OVERFLOW"},
      {0xC0000096, "PRIVILEGED_INSTRUCTION"},
      {0xC00000FD, "STACK_OVERFLOW"},
      {0xC0000135, "DLL_NOT_FOUND"},
      {0xC0000139, "ENTRYPOINT_NOT_FOUND"},
      {0xC0000142, "DLL_INIT_FAILED"},
      {0xC0000374, "HEAP_CORRUPTION"},
      {0xC0000409, "STACK_BUFFER_OVERRUN (abort or fast fail)"},
  };
  for (const auto& [known, name] : kNames) {
    if (code == known) return name;
  }
  // Codes with the error or warning severity bits set are exceptions too.
  return (code & 0x80000000u) != 0 ? "unknown exception" : "";
}

}  // namespace simhost_app
