#include "library_check/check_library_command.h"

namespace simhost_app {

void AddCheckLibraryCommand(CLI::App& app, int* exit_code) {
  CLI::App* command = app.add_subcommand("check-library", "checks a library (not built yet)");
  command->callback([exit_code] { *exit_code = 1; });
}

}  // namespace simhost_app
