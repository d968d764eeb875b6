#include "plugin_module.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/platform.h"
#include "text/text_util.h"

namespace simhost {

std::string FindModuleFile(const std::string& folder, std::string* error) {
  namespace fs = std::filesystem;
  const std::string suffix = platform::ModuleSuffix();
  std::vector<std::string> modules;
  std::error_code code;
  for (fs::directory_iterator it(platform::PathFromUtf8(folder), code), end; !code && it != end;
       it.increment(code)) {
    const fs::path& path = it->path();
    if (path.extension() == suffix && it->is_regular_file(code)) {
      modules.push_back(platform::Utf8FromPath(path));
    }
  }
  if (code) {
    *error = "cannot read plug-in folder " + QuoteText(folder) + ": " + code.message();
    return "";
  }
  if (modules.empty()) {
    *error = "no module (*" + suffix + ") in plug-in folder " + QuoteText(folder);
    return "";
  }
  return *std::min_element(modules.begin(), modules.end());
}

std::unique_ptr<PluginModule> PluginModule::Open(const std::string& folder, std::string* error) {
  std::string file = FindModuleFile(folder, error);
  if (file.empty()) return nullptr;
  std::error_code code;
  std::string path = platform::Utf8FromPath(
      std::filesystem::absolute(platform::PathFromUtf8(file), code).lexically_normal());
  if (code) path = file;
  std::string reason;
  void* handle = platform::LoadModule(path, &reason);
  if (handle == nullptr) {
    *error = "cannot load " + QuoteText(path) + ": " + reason;
    return nullptr;
  }
  void* symbol = platform::FindSymbol(handle, "c4d_main");
  if (symbol == nullptr) {
    *error = "module " + QuoteText(path) + " has no c4d_main";
    platform::UnloadModule(handle);
    return nullptr;
  }
  c4d_main_entry entry = reinterpret_cast<c4d_main_entry>(symbol);
  return std::unique_ptr<PluginModule>(new PluginModule(handle, entry, path));
}

PluginModule::~PluginModule() { platform::UnloadModule(handle_); }

}  // namespace simhost
