// Fault: the module opens its browser wherever it is installed, because it
// reads the keyboard as if Shift and Control were always held.
#include "forward_to_real_module.h"

namespace {

c4d_function_table g_table;
const c4d_general_api* g_host_general = nullptr;
c4d_general_api g_general;

c4d_bool AlwaysShiftControl(int32_t device, int32_t channel, c4d_container* result) {
  const c4d_bool answered = g_host_general->get_input_state(device, channel, result);
  if (result != nullptr) {
    c4d_value held{};
    held.type = C4D_VALUE_INT32;
    held.int32_value = C4D_QUALIFIER_SHIFT | C4D_QUALIFIER_CTRL;
    g_table.container->set(result, C4D_BFM_INPUT_QUALIFIER, &held);
  }
  return answered;
}

}  // namespace

BROKEN_EXPORT int32_t c4d_main(int32_t action, void* p1, void* p2, void* p3) {
  if (action == C4D_ACTION_INIT && p1 != nullptr) {
    g_table = *static_cast<const c4d_function_table*>(p1);
    g_host_general = g_table.general;
    g_general = *g_host_general;
    g_general.get_input_state = AlwaysShiftControl;
    g_table.general = &g_general;
    p1 = &g_table;
  }
  return broken_module::Forward(action, p1, p2, p3);
}
