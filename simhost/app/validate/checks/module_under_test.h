// One check's stand-in host, with a fresh copy of the plug-in folder
// installed in the plug-ins folder of a user folder of the check's own, so
// settings files never carry over from check to check, the developer's own
// ones in the folder under test are left out, and nothing is ever written
// into that folder.
#pragma once

#include <filesystem>
#include <string>

#include "host.h"
#include "platform/platform.h"
#include "validate/checks/validation_settings.h"

namespace simhost_app {

class ModuleUnderTest {
 public:
  // Installs the copy below <scratch>/<check_folder>.
  ModuleUnderTest(const ValidationSettings& settings, const std::string& check_folder);
  // False, with error set, when the copy could not be made.
  bool Ready(std::string* error) const;

  simhost::Host& host() { return host_; }
  // The check's own folder, for whatever else it needs to write.
  const std::filesystem::path& work_folder() const { return work_folder_; }
  const std::filesystem::path& plugin_folder() const { return plugin_folder_; }
  // Loads and starts the installed copy.
  bool Load() { return host_.Load(simhost::platform::Utf8FromPath(plugin_folder_)); }
  // Only loads it, for driving c4d_main by hand.
  bool Open(std::string* error) {
    return host_.OpenModule(simhost::platform::Utf8FromPath(plugin_folder_), error);
  }

 private:
  std::filesystem::path work_folder_;
  std::filesystem::path plugin_folder_;
  std::string error_;
  simhost::Host host_;
};

}  // namespace simhost_app
