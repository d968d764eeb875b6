#include "validate/validate_command.h"

namespace simhost_app {

void AddValidateCommand(CLI::App& app, int* exit_code) {
  CLI::App* command = app.add_subcommand("validate", "checks a plug-in folder (not built yet)");
  command->callback([exit_code] { *exit_code = 1; });
}

}  // namespace simhost_app
