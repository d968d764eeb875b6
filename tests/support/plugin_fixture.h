// A stand-in host with a fresh copy of a built plug-in folder installed in
// a temporary user folder; every test gets its own, so module state and
// settings files never carry over.
#pragma once

#include <filesystem>
#include <string>

#include "host.h"

namespace lumidrome_test {

enum class Build { R17, R14 };

const char* BuiltFolder(Build build);

class PluginFixture {
 public:
  explicit PluginFixture(Build build);
  ~PluginFixture();

  simhost::Host& host() { return host_; }
  const std::filesystem::path& user_folder() const { return user_folder_; }
  const std::filesystem::path& plugin_folder() const { return plugin_folder_; }

 private:
  std::filesystem::path root_;
  std::filesystem::path user_folder_;
  std::filesystem::path plugin_folder_;
  simhost::Host host_;
};

}  // namespace lumidrome_test
