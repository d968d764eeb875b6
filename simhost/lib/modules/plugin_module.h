// A plug-in module loaded into the process: the shared library and its one
// entry, c4d_main.
#pragma once

#include <memory>
#include <string>

#include "c4d_function_table.h"

namespace simhost {

// The module file in a plug-in folder: the one "*.so" there ("*.cdl64" on
// 64-bit Windows), the first by name when there are several. Empty, with error set, when there is
// none.
std::string FindModuleFile(const std::string& folder, std::string* error);

class PluginModule {
 public:
  // Loads the module file of folder, resolving its symbols at once, and
  // looks up c4d_main; null, with error set, on failure.
  static std::unique_ptr<PluginModule> Open(const std::string& folder, std::string* error);
  ~PluginModule();  // unloads the library
  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;

  // Absolute path of the module file, as handed to action 1.
  const std::string& Path() const { return path_; }
  int32_t Call(int32_t action, void* p1, void* p2, void* p3) const {
    return entry_(action, p1, p2, p3);
  }

 private:
  PluginModule(void* handle, c4d_main_entry entry, std::string path)
      : handle_(handle), entry_(entry), path_(std::move(path)) {}

  void* handle_;
  c4d_main_entry entry_;
  std::string path_;
};

}  // namespace simhost
