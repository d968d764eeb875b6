// simhost session: runs a session of commands against a built plug-in folder, interactively at a
// terminal or from scripts.
#pragma once

#include <CLI/CLI.hpp>

namespace simhost_app {

// Adds the subcommand to the program; when it runs, its exit status lands in
// *exit_code.
void AddSessionCommand(CLI::App& app, int* exit_code);

}  // namespace simhost_app
