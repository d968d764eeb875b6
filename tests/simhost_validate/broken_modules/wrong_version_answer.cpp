// Fault: action 4 is answered 4 instead of 5.
#include "forward_to_real_module.h"

BROKEN_EXPORT int32_t c4d_main(int32_t action, void* p1, void* p2, void* p3) {
  if (action == C4D_ACTION_VERSION) return C4D_ANSWER_FRAME_VERSION - 1;
  return broken_module::Forward(action, p1, p2, p3);
}
