// A minimal plug-in module for the host's loading tests: it keeps the
// table, loads a resource set on message 1, registers one command and one
// scene hook at start and releases the resource set at end. Everything it
// does is counted in its own state, which c4d_main action 100 (not a host
// action) reports.
#include <cstdint>
#include <cstring>
#include <string>

#include "c4d_function_table.h"
#include "fake_module_ids.h"

namespace {

struct State {
  const c4d_function_table* table = nullptr;
  std::string path;
  c4d_resource* resource = nullptr;
  int commands_alive = 0;
  int hook_instances = 0;
};
State g_state;

void CommandDestroy(void*) { --g_state.commands_alive; }
c4d_bool CommandExecute(void*, c4d_atom*) {
  g_state.table->general->print("fake command ran");
  return 1;
}

void* HookAlloc(void*) {
  ++g_state.hook_instances;
  return &g_state;
}
void HookDestroy(void*, void*) { --g_state.hook_instances; }
c4d_bool HookMessage(void*, c4d_atom*, int32_t, void*) { return 1; }
void HookUnregister(void*) { g_state.table->general->print("fake hook unregistered"); }

int32_t Start() {
  c4d_command_callbacks command{};
  command.destroy = CommandDestroy;
  command.execute = CommandExecute;
  if (!g_state.table->plugin->register_command(fake_module::kCommand, "Fake", 0, nullptr,
                                               "Fake command", &command, &g_state)) {
    return 0;
  }
  ++g_state.commands_alive;
  c4d_node_callbacks hook{};
  hook.alloc = HookAlloc;
  hook.destroy = HookDestroy;
  hook.message = HookMessage;
  hook.unregister = HookUnregister;
  g_state.table->general->print(("fake module started from " + g_state.path).c_str());
  return g_state.table->plugin->register_scene_hook(fake_module::kSceneHook, "Fake Hook", 0, &hook,
                                                    &g_state, 0, 0, nullptr);
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int32_t c4d_main(int32_t action, void* p1, void*,
                                                                   void* p3) {
  switch (action) {
    case C4D_ACTION_INIT:
      g_state.table = static_cast<const c4d_function_table*>(p1);
      if (p3 == nullptr || g_state.table->version < 17000) return C4D_ANSWER_UNUSABLE_HOST;
      g_state.path = static_cast<const char*>(p3);
      return C4D_ANSWER_OK;
    case C4D_ACTION_START:
      return Start();
    case C4D_ACTION_END:
      if (g_state.resource != nullptr) g_state.table->resource->release(g_state.resource, 1);
      g_state.resource = nullptr;
      return C4D_ANSWER_OK;
    case C4D_ACTION_MESSAGE:
      if (reinterpret_cast<intptr_t>(p1) != C4D_MESSAGE_LOAD_RESOURCES) return C4D_ANSWER_REFUSED;
      // The resources of the folder the module lies in (a folder that exists).
      g_state.resource = g_state.table->resource->load(
          g_state.path.substr(0, g_state.path.find_last_of("/\\")).c_str());
      return g_state.resource != nullptr ? C4D_ANSWER_OK : C4D_ANSWER_REFUSED;
    case fake_module::kAliveQuestion:  // test question: commands alive * 10 + hook instances alive
      return g_state.commands_alive * 10 + g_state.hook_instances;
    default:
      return C4D_ANSWER_REFUSED;
  }
}
