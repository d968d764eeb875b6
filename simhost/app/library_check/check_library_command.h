// simhost check-library: tells a pack author what the browser will make of a library.
#pragma once

#include <CLI/CLI.hpp>

namespace simhost_app {

// Adds the subcommand to the program; when it runs, its exit status lands in
// *exit_code.
void AddCheckLibraryCommand(CLI::App& app, int* exit_code);

}  // namespace simhost_app
