// Running the project's programs from the tests and reading what they print.
// RunProgram starts a program with its arguments handed over unchanged, on
// every system; RunCommand hands a command line to the POSIX shell.
#pragma once

#include <string>
#include <vector>

namespace lumidrome_test {

struct CommandRun {
  int exit_status = -1;  // -1 when the program did not exit on its own
  std::string output;    // what it wrote to standard output
};

// How RunProgram starts a program.
struct ProgramStart {
  std::string input_file;    // its standard input; empty for an empty input
  bool with_errors = false;  // standard error joins the output; else dropped
  std::string folder;        // the folder it starts in; empty for this one
};

// Runs command[0] (a path, or a name looked up as the system does) with the
// other words as its arguments, no shell in between, and waits for it. On
// Windows an ending by an exception (an exit code 0xC0000000 and above)
// reads as -1, as an ending by a signal does on POSIX.
CommandRun RunProgram(const std::vector<std::string>& command, const ProgramStart& start = {});

#ifndef _WIN32
// The text as one word of the POSIX shell.
std::string ShellQuoted(const std::string& text);

// The start of a command line that runs one of the build's programs: the
// program quoted, behind the emulator that runs the build's programs when
// the build names one (LUMIDROME_TEST_EMULATOR, e.g. for another CPU).
std::string ProgramCommand(const std::string& program);

// Runs a shell command line and collects its standard output; redirections
// (2>&1, < file) are the caller's.
CommandRun RunCommand(const std::string& command_line);
#endif

}  // namespace lumidrome_test
