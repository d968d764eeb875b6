// The host settings every simhost command shares: which host the plug-in
// believes it runs in, and where the user's files live.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

#include "host.h"

namespace simhost_app {

struct HostOptions {
  int32_t interface_version = 18011;  // what GetC4DVersion answers
  int32_t edition = 2;                // GeGetVersionType: 2 is Studio
  int32_t operating_system = 3;       // GeGetCurrentOS: 3 is Unix
  std::string user_folder;            // empty: each command decides (a temporary one, say)
  bool hdri_plugin = true;            // the HDRI object and tag types are installed
};

// Adds --host-version, --edition, --os, --user-folder and --no-hdri-plugin.
void AddHostOptions(CLI::App& command, HostOptions* options);

// Applies the options to a host that has not loaded a module yet; the user
// folder is made absolute and created.
void ApplyHostOptions(const HostOptions& options, simhost::Host& host);

}  // namespace simhost_app
