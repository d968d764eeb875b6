// simhost: the stand-in host as a program. Each command lives in its own
// folder beside this file; see docs/plugin-developers.md for what each one does.
#include <CLI/CLI.hpp>
#include <iostream>

#include "common/program_style.h"
#include "library_check/check_library_command.h"
#include "platform/platform.h"
#include "session/session_command.h"
#include "validate/validate_command.h"

int main(int argc, char** argv) {
  simhost::platform::PrepareStandardStreams();
  const std::vector<std::string> arguments = simhost::platform::ProgramArguments(argc, argv);
  std::vector<const char*> pointers;
  for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
  CLI::App app{"simhost: the stand-in host that loads, drives and checks a built plug-in",
               "simhost"};
  app.require_subcommand(1);
  int exit_code = 0;
  simhost_app::AddSessionCommand(app, &exit_code);
  simhost_app::AddValidateCommand(app, &exit_code);
  simhost_app::AddCheckLibraryCommand(app, &exit_code);
  simhost_app::AddHelpCommand(app);
  simhost_app::AddVersionFlags(app);
  try {
    app.parse(static_cast<int>(pointers.size()), pointers.data());
  } catch (const CLI::ParseError& error) {
    return simhost_app::AnswerParseError(app, error, std::cout, std::cerr);
  }
  return exit_code;
}
