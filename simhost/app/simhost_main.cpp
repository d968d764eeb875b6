// simhost: the stand-in host as a program. Each command lives in its own
// folder beside this file; see the README for what each one does.
#include <CLI/CLI.hpp>

#include "library_check/check_library_command.h"
#include "session/session_command.h"
#include "validate/validate_command.h"

int main(int argc, char** argv) {
  CLI::App app{"simhost: the stand-in host that loads, drives and checks a built plug-in"};
  app.require_subcommand(1);
  int exit_code = 0;
  simhost_app::AddSessionCommand(app, &exit_code);
  simhost_app::AddValidateCommand(app, &exit_code);
  simhost_app::AddCheckLibraryCommand(app, &exit_code);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    // Help and version answers exit 0; every usage error exits 2, whatever
    // CLI11's own code for it.
    return app.exit(error) == 0 ? 0 : 2;
  }
  return exit_code;
}
