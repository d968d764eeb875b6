// The c4d_main frame: keeps the host's table and the module path, and calls
// the plug-in's entry functions.
//
// The table and its accessor live in this file on purpose: every host call
// needs them, so linking any of this layer into the module also brings in
// c4d_main.
#include "c4d_pmain.h"

#include <stdint.h>
#include <string.h>

#include <new>

#include "c4d_file.h"
#include "c4d_help.h"
#include "c4d_host_private.h"
#include "c4d_plugin.h"
#include "c4d_resource.h"
#include "operatingsystem.h"

// Tile sizes are truncated products such as 400 * 0.6; with the x87 unit's
// extended precision that gives 239 instead of 240.
#if defined(__FLT_EVAL_METHOD__) && __FLT_EVAL_METHOD__ != 0 && __FLT_EVAL_METHOD__ != -1
#error "build 32-bit x86 modules with SSE2 arithmetic (-msse2 -mfpmath=sse)"
#endif

OperatingSystem* t_C4DOS = nullptr;

namespace {

#ifdef C4D_API_R14
const maxon::Int32 kMinimumHostVersion = 14000;
#else
const maxon::Int32 kMinimumHostVersion = 17030;
#endif

// Whether the stored table may be used; t_C4DOS stays set when refused.
bool g_tableAccepted = false;
maxon::Int32 g_initCount = 0;
Filename* g_pathStorage = nullptr;

maxon::Int32 InitSystem(void* table, const char* modulePath) {
  if (++g_initCount != 1) return 1;
  if (InitOS(table) == 0) return C4DPL_ERROR_VERSION;
  if (modulePath == nullptr) {
    g_tableAccepted = false;
    return C4DPL_ERROR_VERSION;
  }
  // Without memory for the path the plug-in folder is empty; start goes on.
  g_pathStorage = new (std::nothrow)
      Filename(c4dhost::StringFromUtf8(modulePath, static_cast<int64_t>(strlen(modulePath))));
  return 1;
}

maxon::Int32 EndSystem() {
  if (--g_initCount != 0) return 1;
  PluginEnd();
#ifndef C4D_API_R14
  FreeHelpDelegates();
#endif
  FreeResource();
  delete g_pathStorage;
  g_pathStorage = nullptr;
  c4dhost::ClearModuleCaches();
  return 1;
}

maxon::Int32 HandleMessage(void* idValue, void* data) {
  // C4DPL_BUILDMENU reaches EnhanceMainMenu through PluginMessage.
  maxon::Int32 id = static_cast<maxon::Int32>(reinterpret_cast<intptr_t>(idValue));
  return PluginMessage(id, data) ? 1 : C4DPL_ERROR;
}

}  // namespace

namespace c4dhost {

const c4d_function_table* Table() { return g_tableAccepted ? t_C4DOS : nullptr; }

const Filename* ModulePath() { return g_pathStorage; }

}  // namespace c4dhost

// A table older than this build supports, or one whose table or areas are
// smaller than the ones this module was built against, is refused.
maxon::Int32 InitOS(void* p) {
  t_C4DOS = static_cast<OperatingSystem*>(p);
  g_tableAccepted = t_C4DOS != nullptr && t_C4DOS->version >= kMinimumHostVersion &&
                    c4d_function_table_complete(t_C4DOS);
  return g_tableAccepted ? t_C4DOS->version : 0;
}

const Filename GeGetPluginPath() {
  return g_pathStorage != nullptr ? g_pathStorage->GetDirectory() : Filename();
}

// Nothing may unwind into the host: an exception from the plug-in fails the
// action.
C4D_MAIN {
  switch (action) {
    case C4DPL_INIT_SYS:
      return c4dhost::Guarded<maxon::Int32>(
          C4DPL_ERROR, [&] { return InitSystem(p1, static_cast<const char*>(p3)); });
    case C4DPL_INIT:
      return c4dhost::Guarded<maxon::Int32>(0, [] { return PluginStart() ? 1 : 0; });
    case C4DPL_END:
      return c4dhost::Guarded<maxon::Int32>(1, [] { return EndSystem(); });
    case C4DPL_INIT_VERSION:
      return C4DPL_VERSION;
    case C4DPL_MESSAGE:
      return c4dhost::Guarded<maxon::Int32>(C4DPL_ERROR, [&] { return HandleMessage(p1, p2); });
    default:
      return C4DPL_ERROR;
  }
}
