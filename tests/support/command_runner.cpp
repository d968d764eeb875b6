#include "command_runner.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/platform.h"
#include "validate/runner/child_process.h"
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdio>
#include <memory>

namespace lumidrome_test {

#ifdef _WIN32

namespace {

using simhost::platform::WideFromUtf8;

struct HandleCloser {
  void operator()(HANDLE handle) const {
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE) ::CloseHandle(handle);
  }
};
using Handle = std::unique_ptr<void, HandleCloser>;

// The child's standard input: the file, or the empty device.
Handle InheritableInput(const std::string& file) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const std::wstring name = file.empty() ? std::wstring(L"NUL") : WideFromUtf8(file);
  HANDLE handle = ::CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                &inherit, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  return Handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

Handle InheritableNull() {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE handle = ::CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  return Handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

std::string ReadAll(HANDLE pipe) {
  std::string output;
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0) {
    output.append(buffer, got);
  }
  return output;
}

}  // namespace

CommandRun RunProgram(const std::vector<std::string>& command, const ProgramStart& start) {
  CommandRun run;
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE read_end = nullptr, write_end = nullptr;
  if (command.empty() || !::CreatePipe(&read_end, &write_end, &inherit, 0)) return run;
  Handle reader(read_end), writer(write_end);
  ::SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);  // only the child's end goes over
  Handle input = InheritableInput(start.input_file);
  Handle errors = start.with_errors ? Handle() : InheritableNull();
  if (!input || (!start.with_errors && !errors)) return run;

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input.get();
  startup.hStdOutput = write_end;
  startup.hStdError = start.with_errors ? write_end : errors.get();
  std::wstring line = WideFromUtf8(simhost_app::WindowsCommandLine(command));
  const std::wstring folder = WideFromUtf8(start.folder);
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
    return run;
  }
  Handle child(process.hProcess), thread(process.hThread);
  writer.reset();  // the pipe ends when the child (and what it started) closes it
  run.output = ReadAll(read_end);
  ::WaitForSingleObject(child.get(), INFINITE);
  DWORD code = 0;
  ::GetExitCodeProcess(child.get(), &code);
  run.exit_status = code >= 0xC0000000u ? -1 : static_cast<int>(code);
  return run;
}

#else

namespace {

std::string ReadAll(int fd) {
  std::string output;
  char buffer[4096];
  for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) != 0;) {
    if (got > 0) output.append(buffer, static_cast<size_t>(got));
    if (got < 0 && errno != EINTR) break;
  }
  return output;
}

// pipe2 is Linux's own; macOS has only pipe.
bool CloseOnExecPipe(int ends[2]) {
  if (::pipe(ends) != 0) return false;
  ::fcntl(ends[0], F_SETFD, FD_CLOEXEC);
  ::fcntl(ends[1], F_SETFD, FD_CLOEXEC);
  return true;
}

int Waited(pid_t child) {
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

CommandRun RunProgram(const std::vector<std::string>& command, const ProgramStart& start) {
  CommandRun run;
  if (command.empty()) return run;
  // Everything the child needs is made before the fork: after it, only
  // calls that are safe in a copy of a threaded process.
  std::vector<char*> argv;
  for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  const std::string input_name = start.input_file.empty() ? "/dev/null" : start.input_file;
  const int input = ::open(input_name.c_str(), O_RDONLY | O_CLOEXEC);
  const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  int pipe_ends[2];
  if (input < 0 || null < 0 || !CloseOnExecPipe(pipe_ends)) {
    if (input >= 0) ::close(input);
    if (null >= 0) ::close(null);
    return run;
  }
  const pid_t child = ::fork();
  if (child == 0) {
    if ((!start.folder.empty() && ::chdir(start.folder.c_str()) != 0) || ::dup2(input, 0) < 0 ||
        ::dup2(pipe_ends[1], 1) < 0 || ::dup2(start.with_errors ? pipe_ends[1] : null, 2) < 0) {
      ::_exit(127);
    }
    ::execvp(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(input);
  ::close(null);
  ::close(pipe_ends[1]);
  if (child > 0) run.output = ReadAll(pipe_ends[0]);
  ::close(pipe_ends[0]);
  if (child > 0) run.exit_status = Waited(child);
  return run;
}

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string ProgramCommand(const std::string& program) {
#ifdef LUMIDROME_TEST_EMULATOR
  const std::string emulator = LUMIDROME_TEST_EMULATOR;
  if (!emulator.empty()) return emulator + " " + ShellQuoted(program);
#endif
  return ShellQuoted(program);
}

CommandRun RunCommand(const std::string& command_line) {
  CommandRun run;
  FILE* pipe = popen(command_line.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  for (size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
    run.output.append(buffer, got);
  }
  const int status = pclose(pipe);
  run.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

#endif

}  // namespace lumidrome_test
