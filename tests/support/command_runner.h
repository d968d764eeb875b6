// Running the project's programs from the tests through the shell, and
// reading what they print.
#pragma once

#include <string>

namespace lumidrome_test {

struct CommandRun {
  int exit_status = -1;  // -1 when the command did not exit
  std::string output;    // what it wrote to standard output
};

// The text as one word of the POSIX shell.
std::string ShellQuoted(const std::string& text);

// The start of a command line that runs one of the build's programs: the
// program quoted, behind the emulator that runs the build's programs when
// the build names one (LUMIDROME_TEST_EMULATOR, e.g. for another CPU).
std::string ProgramCommand(const std::string& program);

// Runs a shell command line and collects its standard output; redirections
// (2>&1, < file) are the caller's.
CommandRun RunCommand(const std::string& command_line);

}  // namespace lumidrome_test
