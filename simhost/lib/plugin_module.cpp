#include "plugin_module.h"

#include <dlfcn.h>

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "text_util.h"

namespace simhost {

std::string FindModuleFile(const std::string& folder, std::string* error) {
  namespace fs = std::filesystem;
  std::vector<std::string> modules;
  std::error_code code;
  for (fs::directory_iterator it(folder, code), end; !code && it != end; it.increment(code)) {
    const fs::path& path = it->path();
    if (path.extension() == ".so" && it->is_regular_file(code)) modules.push_back(path.string());
  }
  if (code) {
    *error = "cannot read plug-in folder " + QuoteText(folder) + ": " + code.message();
    return "";
  }
  if (modules.empty()) {
    *error = "no module (*.so) in plug-in folder " + QuoteText(folder);
    return "";
  }
  return *std::min_element(modules.begin(), modules.end());
}

std::unique_ptr<PluginModule> PluginModule::Open(const std::string& folder, std::string* error) {
  std::string file = FindModuleFile(folder, error);
  if (file.empty()) return nullptr;
  std::error_code code;
  std::string path = std::filesystem::absolute(file, code).lexically_normal().string();
  if (code) path = file;
  void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* reason = ::dlerror();
    *error = "cannot load " + QuoteText(path) + ": " + (reason != nullptr ? reason : "unknown");
    return nullptr;
  }
  void* symbol = ::dlsym(handle, "c4d_main");
  if (symbol == nullptr) {
    *error = "module " + QuoteText(path) + " has no c4d_main";
    ::dlclose(handle);
    return nullptr;
  }
  c4d_main_entry entry = reinterpret_cast<c4d_main_entry>(symbol);
  return std::unique_ptr<PluginModule>(new PluginModule(handle, entry, path));
}

PluginModule::~PluginModule() { ::dlclose(handle_); }

}  // namespace simhost
