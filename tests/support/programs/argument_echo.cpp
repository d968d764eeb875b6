// A program for the command runner's tests: prints its arguments one per
// line between brackets, then the folder it runs in, then its standard
// input; writes a line to standard error; exits with the status its first
// argument names.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform = simhost::platform;

int main(int argc, char** argv) {
  platform::PrepareStandardStreams();
  const std::vector<std::string> arguments = platform::ProgramArguments(argc, argv);
  for (size_t i = 1; i < arguments.size(); ++i) std::printf("[%s]\n", arguments[i].c_str());
  std::printf("folder %s\n", platform::Utf8FromPath(std::filesystem::current_path()).c_str());
  for (int c; (c = std::getchar()) != EOF;) std::putchar(c);
  std::fflush(stdout);
  std::fputs("to standard error\n", stderr);
  return arguments.size() > 1 ? std::atoi(arguments[1].c_str()) : 0;
}
