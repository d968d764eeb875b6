// Runs crashing, hanging and passing checks in child processes of itself, as
// `simhost validate` runs its checks, and says whether each ended as
// expected. Built for every target, so that the Windows process, job and
// exception handling is tried under wine as the POSIX one is natively.
//
//   child_process_probe [WORK_FOLDER]
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "validate/checks/guard_page.h"
#include "validate/runner/check_runner.h"
#include "validate/runner/child_process.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;
using simhost_app::CheckResult;
using simhost_app::CheckStatus;
using simhost_app::StepLog;

// Arguments that Windows command lines mangle unless quoted correctly.
const std::vector<std::string> kAwkwardArguments = {
    "two words",       "",          "say \"hi\"",          "ends\\",
    "back\\\\\"slash", "tab\there", "\xc3\xbc\xe2\x82\xac"};

volatile int zero = 0;
volatile int seven = 7;  // 1 / x may be compiled without a division

int Recurse(int depth) {
  volatile char frame[512];
  frame[0] = static_cast<char>(depth);
  return depth > 1 << 30 ? frame[0] : Recurse(depth + 1) + frame[0];
}

// A process started by the check that would outlive it: it makes a file
// once it has slept longer than the check's deadline.
void StartLingeringProcess(const std::string& program, const std::string& marker) {
#ifdef _WIN32
  std::wstring line = L"\"" + fs::u8path(program).wstring() + L"\" linger \"" +
                      fs::u8path(marker).wstring() + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process)) {
    ::CloseHandle(process.hProcess);
    ::CloseHandle(process.hThread);
  }
#else
  if (::fork() == 0) {
    ::execl(program.c_str(), program.c_str(), "linger", marker.c_str(), nullptr);
    ::_exit(127);
  }
#endif
}

CheckResult Run(const std::string& name, const std::string& program, const std::string& marker,
                StepLog& steps) {
  steps.Step("running " + name);
  if (name == "pass") return CheckResult{};
  if (name == "read-guard-page") {
    return CheckResult{
        CheckStatus::kFail,
        std::to_string(*static_cast<volatile int*>(simhost_app::UnreadableAddress())),
        "",
        {}};
  }
  if (name == "divide-by-zero")
    return CheckResult{CheckStatus::kFail, std::to_string(seven / zero), "", {}};
  if (name == "illegal-instruction") __builtin_trap();
  if (name == "stack-overflow")
    return CheckResult{CheckStatus::kFail, std::to_string(Recurse(0)), "", {}};
  if (name == "abort") std::abort();
  if (name == "hang-with-helper") {
    StartLingeringProcess(program, marker);
    for (volatile bool forever = true; forever;) {
    }
  }
  return CheckResult{CheckStatus::kFail, "unknown probe " + name, "", {}};
}

struct Expectation {
  std::string name;
  CheckStatus status;
  std::vector<std::string> detail_words;  // any one of them in the detail
};

bool Probe(const std::string& program, const fs::path& work, const Expectation& expected,
           int timeout_seconds) {
  const CheckResult result =
      simhost_app::RunInChildProcess({program, "child", (work / "marker").u8string()},
                                     expected.name, work.u8string(), timeout_seconds);
  bool good = result.status == expected.status;
  bool worded = expected.detail_words.empty();
  for (const std::string& word : expected.detail_words) {
    worded = worded || result.detail.find(word) != std::string::npos;
  }
  const bool step =
      result.status == CheckStatus::kPass ||
      result.detail.find("(during: running " + expected.name + ")") != std::string::npos;
  // A Windows crash report says what happened where; POSIX ones leave a backtrace.
#ifdef _WIN32
  const bool reported = result.status != CheckStatus::kCrash ||
                        result.report.find("crash: exception 0x") != std::string::npos ||
                        result.report.find("crash: abort") != std::string::npos;
#else
  const bool reported = true;
#endif
  good = good && worded && step && reported;
  std::cout << (good ? "ok   " : "FAIL ") << expected.name << ": "
            << simhost_app::StatusName(result.status) << " " << result.detail << "\n";
  if (!good || expected.name == "read-guard-page") std::cout << result.report << "\n";
  return good;
}

// Whether the child saw every awkward argument as it was given.
bool ArgumentsArrive(const std::string& program, const fs::path& work) {
  std::vector<std::string> command = {program, "arguments"};
  command.insert(command.end(), kAwkwardArguments.begin(), kAwkwardArguments.end());
  const fs::path input = work / "empty.txt";
  std::ofstream(input).put('\n');
  const simhost_app::ProcessEnd end =
      simhost_app::RunProcess(command, input.u8string(), (work / "arguments.txt").u8string(), 60);
  const bool good = end.error.empty() && end.finished && end.exit_code == 0;
  std::cout << (good ? "ok   " : "FAIL ") << "arguments: exit " << end.exit_code << " " << end.error
            << "\n";
  return good;
}

#ifdef _WIN32
std::vector<std::string> OwnArguments() {
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(fs::path(wide[i]).u8string());
  ::LocalFree(wide);
  return arguments;
}
#endif

int Parent(const std::string& program, const fs::path& work) {
  fs::create_directories(work);
  const fs::path marker = work / "marker";
  fs::remove(marker);
  bool good = ArgumentsArrive(program, work);
  const std::vector<Expectation> expectations = {
    {"pass", CheckStatus::kPass, {}},
    {"read-guard-page", CheckStatus::kCrash, {"ACCESS_VIOLATION", "signal 11", "SEGV"}},
#if defined(__SANITIZE_ADDRESS__)
    // The undefined-behaviour sanitizer finds it before the processor does.
    {"divide-by-zero", CheckStatus::kFail, {"runtime error: division by zero"}},
#else
    {"divide-by-zero", CheckStatus::kCrash, {"INT_DIVIDE_BY_ZERO", "signal 8"}},
#endif
    {"illegal-instruction", CheckStatus::kCrash, {"ILLEGAL_INSTRUCTION", "signal 4", "ILL"}},
    {"stack-overflow", CheckStatus::kCrash, {"STACK_OVERFLOW", "signal 11", "stack-overflow"}},
    {"abort", CheckStatus::kCrash, {"abort", "signal 6"}},
    {"hang-with-helper", CheckStatus::kTimeout, {"hung: no answer within 2 s"}},
  };
  for (const Expectation& expected : expectations) good = Probe(program, work, expected, 2) && good;
  // The helper would have made its marker after 4 s, had the deadline not
  // ended it with the check.
  std::this_thread::sleep_for(std::chrono::seconds(5));
  const bool helper_ended = !fs::exists(marker);
  std::cout << (helper_ended ? "ok   " : "FAIL ")
            << "the hung check's helper process ended with it\n";
  return good && helper_ended ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  std::vector<std::string> arguments = OwnArguments();
#else
  std::vector<std::string> arguments(argv, argv + argc);
#endif
  (void)argc, (void)argv;
  const std::string program = simhost_app::OwnProgramPath();
  const std::string mode = arguments.size() > 1 ? arguments[1] : "";
  if (mode == "child" && arguments.size() > 2) {
    const std::string marker = arguments[2];
    simhost_app::RunOneCheck(std::cin,
                             [&](const nlohmann::json& check) -> simhost_app::IsolatedCheck {
                               return [&, name = check.get<std::string>()](StepLog& steps) {
                                 return Run(name, program, marker, steps);
                               };
                             });
  }
  if (mode == "linger" && arguments.size() > 2) {
    std::this_thread::sleep_for(std::chrono::seconds(4));
    std::ofstream(fs::u8path(arguments[2])) << "still running\n";
    return 0;
  }
  if (mode == "arguments") {
    const std::vector<std::string> received(arguments.begin() + 2, arguments.end());
    return received == kAwkwardArguments ? 0 : 1;
  }
  const fs::path work = arguments.size() > 1 ? fs::u8path(arguments[1])
                                             : fs::temp_directory_path() / "child-process-probe";
  return Parent(program, work);
}
