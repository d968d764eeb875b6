// Fault: the module crashes as soon as its browser window opens.
#include "forward_to_real_module.h"

namespace {

c4d_function_table g_table;
c4d_dialog_api g_dialog;

c4d_bool CrashingOpen(c4d_dialog*, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) {
  broken_module::Crash();
  return 0;
}

}  // namespace

BROKEN_EXPORT int32_t c4d_main(int32_t action, void* p1, void* p2, void* p3) {
  if (action == C4D_ACTION_INIT && p1 != nullptr) {
    g_table = *static_cast<const c4d_function_table*>(p1);
    g_dialog = *g_table.dialog;
    g_dialog.open = CrashingOpen;
    g_table.dialog = &g_dialog;
    p1 = &g_table;
  }
  return broken_module::Forward(action, p1, p2, p3);
}
