// Starting a program as a child process and watching it until a deadline:
// the part of running a check alone that differs between POSIX and Windows.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace simhost_app {

struct ProcessEnd {
  std::string error;       // why it could not be started; empty when it was
  bool finished = true;    // false: killed at the deadline
  int signal = 0;          // POSIX: the signal that ended it
  uint32_t exit_code = 0;  // its exit status, or the exception code that ended it
};

// Runs command (command[0] the program file) with its standard input read
// from input_file and its output and errors written to output_file. After
// timeout_seconds it is killed with every process it started; those left
// behind when it ends are killed too.
ProcessEnd RunProcess(const std::vector<std::string>& command, const std::string& input_file,
                      const std::string& output_file, int timeout_seconds);

// The file of the running program.
std::string OwnProgramPath();

// From now on a crash of this process writes what happened to standard
// error (with a backtrace where the system offers one) before it ends.
void ReportCrashes();

// A file named in UTF-8, opened with the wide-character API on Windows.
std::FILE* OpenFile(const std::string& path, const char* mode);

// The command line that hands each argument unchanged to a Windows program
// that splits its command line as the C runtime and CommandLineToArgvW do.
std::string WindowsCommandLine(const std::vector<std::string>& arguments);

}  // namespace simhost_app
