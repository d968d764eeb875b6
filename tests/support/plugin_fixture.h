// A stand-in host with a fresh copy of a built plug-in folder installed in
// a temporary user folder; every test gets its own, so module state and
// settings files never carry over. The user folder's path holds spaces and
// non-ASCII letters, as users' folders do.
#pragma once

#include <filesystem>
#include <string>

#include "host.h"
#include "temp_folder.h"
#include "utf8_path.h"

namespace lumidrome_test {

enum class Build { R17, R14 };

// The build's plug-in folder of that release, as this system names it (the
// build names it for wine when the tests run there).
std::string BuiltFolder(Build build);
// The module file the build makes ("Lumidrome.so", "Lumidrome.cdl64", ...).
std::string ModuleFileName();

class PluginFixture {
 public:
  explicit PluginFixture(Build build);
  ~PluginFixture();

  simhost::Host& host() { return host_; }
  const std::filesystem::path& user_folder() const { return user_folder_; }
  const std::filesystem::path& plugin_folder() const { return plugin_folder_; }

 private:
  TempFolder root_;
  std::filesystem::path user_folder_;
  std::filesystem::path plugin_folder_;
  simhost::Host host_;
};

}  // namespace lumidrome_test
