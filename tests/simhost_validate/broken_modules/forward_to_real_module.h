// Deliberately broken modules for the validator's tests: each one is a thin
// module that loads the real plug-in module lying beside it as
// "Lumidrome.inner" and forwards c4d_main to it, adding exactly one fault.
#pragma once

#include <dlfcn.h>

#include <cstdint>
#include <string>

#include "c4d_function_table.h"

#define BROKEN_EXPORT extern "C" __attribute__((visibility("default")))

namespace broken_module {

inline void*& InnerHandle() {
  static void* handle = nullptr;
  return handle;
}

// The real module's entry, loaded on first use from this module's folder.
inline c4d_main_entry RealEntry() {
  static c4d_main_entry entry = nullptr;
  if (entry != nullptr) return entry;
  Dl_info self{};
  if (::dladdr(reinterpret_cast<void*>(&RealEntry), &self) == 0 || self.dli_fname == nullptr) {
    return nullptr;
  }
  std::string path = self.dli_fname;
  path = path.substr(0, path.find_last_of('/') + 1) + "Lumidrome.inner";
  InnerHandle() = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (InnerHandle() == nullptr) return nullptr;
  entry = reinterpret_cast<c4d_main_entry>(::dlsym(InnerHandle(), "c4d_main"));
  return entry;
}

inline int32_t Forward(int32_t action, void* p1, void* p2, void* p3) {
  c4d_main_entry entry = RealEntry();
  return entry != nullptr ? entry(action, p1, p2, p3) : C4D_ANSWER_REFUSED;
}

// Unloading this module unloads the real one too, so every load starts
// from fresh module state.
__attribute__((destructor)) inline void UnloadInner() {
  if (InnerHandle() != nullptr) ::dlclose(InnerHandle());
}

}  // namespace broken_module
