// Fault: the start allocates memory that nothing ever frees.
#include <cstdlib>

#include "forward_to_real_module.h"

namespace {
void* volatile g_lost = nullptr;
}

BROKEN_EXPORT int32_t c4d_main(int32_t action, void* p1, void* p2, void* p3) {
  if (action == C4D_ACTION_START) {
    g_lost = std::malloc(4096);
    g_lost = nullptr;
  }
  return broken_module::Forward(action, p1, p2, p3);
}
