#include "session/session_command.h"

namespace simhost_app {

void AddSessionCommand(CLI::App& app, int* exit_code) {
  CLI::App* command = app.add_subcommand("session", "runs a session (not built yet)");
  command->callback([exit_code] { *exit_code = 1; });
}

}  // namespace simhost_app
