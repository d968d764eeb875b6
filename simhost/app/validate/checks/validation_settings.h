// What every check of one validation run shares.
#pragma once

#include <cstdint>
#include <string>

#include "common/host_options.h"

namespace simhost_app {

struct ValidationSettings {
  std::string plugin_folder;   // the folder under test, absolute; never written to
  std::string scratch_folder;  // each check makes its own folders below it
  HostOptions host;            // the version is settled before the module checks run
  uint32_t seed = 1;
  int rounds = 40;
  int timeout_seconds = 120;
  std::string build;  // "R17" or "R14" once the interface-version check has told
};

}  // namespace simhost_app
