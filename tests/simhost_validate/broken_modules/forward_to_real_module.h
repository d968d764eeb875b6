// Deliberately broken modules for the validator's tests: each one is a thin
// module that loads the real plug-in module lying beside it as
// "Lumidrome.inner" and forwards c4d_main to it, adding exactly one fault.
#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include <csignal>
#include <cstdint>
#include <string>

#include "c4d_function_table.h"

#ifdef _WIN32
#define BROKEN_EXPORT extern "C" __declspec(dllexport)
#else
#define BROKEN_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace broken_module {

inline void*& InnerHandle() {
  static void* handle = nullptr;
  return handle;
}

#ifdef _WIN32
// Wide paths throughout: the module's folder may hold any letters.
inline void* LoadInner() {
  HMODULE self = nullptr;
  const DWORD flags =
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;
  if (!::GetModuleHandleExW(flags, reinterpret_cast<LPCWSTR>(&InnerHandle), &self)) return nullptr;
  wchar_t file[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(self, file, MAX_PATH);
  if (length == 0 || length == MAX_PATH) return nullptr;
  std::wstring path(file, length);
  path = path.substr(0, path.find_last_of(L"\\/") + 1) + L"Lumidrome.inner";
  return reinterpret_cast<void*>(::LoadLibraryW(path.c_str()));
}
inline void* InnerSymbol(const char* name) {
  return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(InnerHandle()), name));
}
inline void UnloadInnerModule() { ::FreeLibrary(static_cast<HMODULE>(InnerHandle())); }
#else
inline void* LoadInner() {
  Dl_info self{};
  if (::dladdr(reinterpret_cast<void*>(&InnerHandle), &self) == 0 || self.dli_fname == nullptr) {
    return nullptr;
  }
  std::string path = self.dli_fname;
  path = path.substr(0, path.find_last_of('/') + 1) + "Lumidrome.inner";
  return ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}
inline void* InnerSymbol(const char* name) { return ::dlsym(InnerHandle(), name); }
inline void UnloadInnerModule() { ::dlclose(InnerHandle()); }
#endif

// The real module's entry, loaded on first use from this module's folder.
inline c4d_main_entry RealEntry() {
  static c4d_main_entry entry = nullptr;
  if (entry != nullptr) return entry;
  InnerHandle() = LoadInner();
  if (InnerHandle() == nullptr) return nullptr;
  entry = reinterpret_cast<c4d_main_entry>(InnerSymbol("c4d_main"));
  return entry;
}

inline int32_t Forward(int32_t action, void* p1, void* p2, void* p3) {
  c4d_main_entry entry = RealEntry();
  return entry != nullptr ? entry(action, p1, p2, p3) : C4D_ANSWER_REFUSED;
}

// Ends the process as a crash does: a signal on POSIX; on Windows, whose
// raise() merely exits, an access violation.
inline void Crash() {
#ifdef _WIN32
  static volatile int* volatile nowhere = nullptr;
  *nowhere = 1;
#else
  std::raise(SIGSEGV);
#endif
}

// Unloading this module unloads the real one too, so every load starts
// from fresh module state.
__attribute__((destructor)) inline void UnloadInner() {
  if (InnerHandle() != nullptr) UnloadInnerModule();
}

}  // namespace broken_module
