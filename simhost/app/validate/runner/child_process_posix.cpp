#ifndef _WIN32
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <thread>

#include "validate/runner/child_process.h"

#if !defined(__SANITIZE_ADDRESS__)
#include <execinfo.h>
#endif

namespace simhost_app {

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(5);

#if !defined(__SANITIZE_ADDRESS__)
// A crash leaves the call stack in the report, then ends the process by the
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
#endif

[[noreturn]] void ExecChild(const std::vector<std::string>& command, const std::string& input_file,
                            const std::string& output_file) {
  ::setpgid(0, 0);  // one group, so that the deadline ends all it started
  const int input = ::open(input_file.c_str(), O_RDONLY);
  const int output = ::open(output_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (input < 0 || output < 0) ::_exit(127);
  ::dup2(input, STDIN_FILENO);
  ::dup2(output, STDOUT_FILENO);
  ::dup2(output, STDERR_FILENO);
  std::vector<char*> argv;
  for (const std::string& argument : command) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  ::execv(argv[0], argv.data());
  static const char kFailed[] = "cannot start the program\n";
  if (::write(STDERR_FILENO, kFailed, sizeof kFailed - 1) < 0) ::_exit(127);
  ::_exit(127);
}

// Waits until the child has ended, without reaping it yet; false at the deadline.
bool EndedBefore(pid_t child, std::chrono::steady_clock::time_point deadline) {
  for (;;) {
    siginfo_t info{};
    const int done = ::waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOHANG | WNOWAIT);
    if (done == 0 && info.si_pid == child) return true;
    if (done < 0 && errno != EINTR) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(kPollInterval);
  }
}

}  // namespace

ProcessEnd RunProcess(const std::vector<std::string>& command, const std::string& input_file,
                      const std::string& output_file, int timeout_seconds) {
  ProcessEnd end;
  const pid_t child = ::fork();
  if (child < 0) return end.error = "cannot start a process", end;
  if (child == 0) ExecChild(command, input_file, output_file);
  ::setpgid(child, child);  // also here: the child may not have run yet
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeout_seconds);
  end.finished = EndedBefore(child, deadline);
  ::kill(-child, SIGKILL);  // the child at the deadline, and what it left running
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFSIGNALED(status)) end.signal = WTERMSIG(status);
  if (WIFEXITED(status)) end.exit_code = static_cast<uint32_t>(WEXITSTATUS(status));
  return end;
}

std::string OwnProgramPath() {
  char path[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path);
  return length > 0 ? std::string(path, static_cast<size_t>(length)) : std::string();
}

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer reports crashes itself.
void ReportCrashes() {}
#else
void ReportCrashes() {
  for (int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) ::signal(signal, WriteBacktrace);
}
#endif

std::FILE* OpenFile(const std::string& path, const char* mode) {
  return std::fopen(path.c_str(), mode);
}

}  // namespace simhost_app
#endif
