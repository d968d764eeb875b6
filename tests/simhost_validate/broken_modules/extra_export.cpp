// Fault: a second symbol is exported beside c4d_main.
#include "forward_to_real_module.h"

BROKEN_EXPORT int32_t lumidrome_debug_counter() { return 42; }

BROKEN_EXPORT int32_t c4d_main(int32_t action, void* p1, void* p2, void* p3) {
  return broken_module::Forward(action, p1, p2, p3);
}
