#include "validate/runner/plugin_folder_shape.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "platform/platform.h"

namespace simhost_app {

namespace platform = simhost::platform;

namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// In any case: a host on a system whose file names ignore case loads
// "LUMIDROME.CDL64" as well.
bool HasModuleSuffix(const std::string& name) {
  const std::string suffix = Lower(platform::ModuleSuffix());
  return name.size() > suffix.size() &&
         Lower(name).compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string Child(const std::string& folder, const std::string& name) {
  return platform::Utf8FromPath(platform::PathFromUtf8(folder) / platform::PathFromUtf8(name));
}

std::string ListedInEnglish(const std::vector<std::string>& names) {
  std::string text;
  for (size_t i = 0; i < names.size(); ++i) {
    text += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
  }
  return text;
}

}  // namespace

std::string ExtraModuleProblem(const std::string& plugin_folder) {
  std::vector<std::string> modules;
  for (const std::string& name : platform::ListFolder(plugin_folder)) {
    if (HasModuleSuffix(name) && platform::Stat(Child(plugin_folder, name)).is_regular) {
      modules.push_back(name);
    }
  }
  if (modules.size() < 2) return "";
  std::sort(modules.begin(), modules.end());  // listings come in any order
  return "holds " + std::to_string(modules.size()) + " modules, " + ListedInEnglish(modules) +
         ", and a host loads only one of them; leave the one to check in the folder";
}

std::string ResourceFolderProblem(const std::string& plugin_folder) {
  if (platform::Stat(Child(plugin_folder, "res")).is_folder) return "";
  return "has no res/ folder, where the module finds its dialogs and strings; copy res/ from "
         "the build beside the module";
}

}  // namespace simhost_app
