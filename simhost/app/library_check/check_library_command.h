// simhost check-library: tells a pack author what the browser will make of a library.
#pragma once

#include <CLI/CLI.hpp>
#include <ostream>
#include <string>
#include <vector>

namespace simhost_app {

struct CheckLibraryOptions {
  std::string folder;
  bool json = false;
  bool deep = false;  // decode the HDRIs fully
};

// Exit statuses: 0 every tile's click finds its files, 1 a click on some
// tile can show the broken-asset message or finds an HDRI that does not
// load, 2 a usage error or a library folder that cannot be read.
int RunCheckLibrary(const CheckLibraryOptions& options, const std::vector<std::string>& extras,
                    std::ostream& out, std::ostream& err);

// Adds the subcommand to the program; when it runs, its exit status lands in
// *exit_code.
void AddCheckLibraryCommand(CLI::App& app, int* exit_code);

}  // namespace simhost_app
