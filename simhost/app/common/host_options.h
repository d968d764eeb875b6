// The host settings every simhost command shares: which host the plug-in
// believes it runs in, and where the user's files live.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "host.h"

namespace simhost_app {

// What GeGetCurrentOS answers by default: the system simhost was built for.
#if defined(_WIN32)
inline constexpr int32_t kBuiltOperatingSystem = 1;
#elif defined(__APPLE__)
inline constexpr int32_t kBuiltOperatingSystem = 2;
#else
inline constexpr int32_t kBuiltOperatingSystem = 3;
#endif

struct HostOptions {
  int32_t interface_version = 18011;                 // what GetC4DVersion answers
  int32_t edition = 2;                               // GeGetVersionType: 2 is Studio
  int32_t operating_system = kBuiltOperatingSystem;  // 1 Windows, 2 macOS, 3 Unix
  std::string user_folder;  // empty: each command decides (a temporary one, say)
  // The application folder; empty keeps the host's own.
  std::string app_folder;
  simhost::HdriPlugin hdri_plugin = simhost::HdriPlugin::kPresent;
  // native, sorted, reverse or shuffle; empty: as the operating system lists
  // (sorted for win).
  std::string dir_order;
  uint32_t seed = 1;  // seeds the host's random choices, e.g. shuffled listings
};

// Adds --host-version, --edition, --os, --user-folder, --app-folder,
// --hdri-plugin (and its old form --no-hdri-plugin) and --dir-order.
void AddHostOptions(CLI::App& command, HostOptions* options);
// Adds --seed, for commands that have no seed of their own.
void AddSeedOption(CLI::App& command, HostOptions* options);
// Adds --seed with that description: a whole number from 0 to 2^32 - 1,
// a usage error naming anything else.
void AddSeed(CLI::App& command, uint32_t* seed, const std::string& description);
// The order named by --dir-order; empty for the operating system's.
std::optional<simhost::DirOrder> DirOrderNamed(const std::string& name);

// Applies the options to a host that has not loaded a module yet; the user
// folder is made absolute and created.
void ApplyHostOptions(const HostOptions& options, simhost::Host& host);

}  // namespace simhost_app
