#include "command_runner.h"

#include <sys/wait.h>

#include <cstdio>

namespace lumidrome_test {

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

}  // namespace lumidrome_test
