// A whole session as the simhost program runs it: a host set up from the
// options, the plug-in loaded, the scripts run, then the terminal.
#pragma once

#include <string>
#include <vector>

#include "common/host_options.h"

namespace simhost_app {

struct SessionRun {
  HostOptions host;
  std::string plugin_folder;
  std::vector<std::string> scripts;  // run in order; "-" is standard input
  bool interactive = false;          // stay at the terminal after the scripts
  bool verbose = false;
  // Load a copy installed in <app folder>/plugins/ instead.
  bool install_in_app = false;
};

// Returns the exit status: 1 when the plug-in did not start, a script could
// not be read or a command of a script failed; else 0.
int RunSessionProgram(const SessionRun& run);

}  // namespace simhost_app
