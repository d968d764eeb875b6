// simhost validate: loads a built plug-in folder and checks it as a careful host would.
#pragma once

#include <CLI/CLI.hpp>

namespace simhost_app {

// Adds the subcommand to the program; when it runs, its exit status lands in
// *exit_code.
void AddValidateCommand(CLI::App& app, int* exit_code);

}  // namespace simhost_app
