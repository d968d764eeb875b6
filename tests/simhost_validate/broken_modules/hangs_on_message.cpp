// Fault: message 0 (C4D_MESSAGE_PRIORITY) never returns.
#include <chrono>
#include <thread>

#include "forward_to_real_module.h"

BROKEN_EXPORT int32_t c4d_main(int32_t action, void* p1, void* p2, void* p3) {
  // Sleeping keeps the loop from being an empty one, which an optimizer may
  // remove (clang does), so the module really hangs.
  if (action == C4D_ACTION_MESSAGE && p1 == nullptr) {
    for (;;) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return broken_module::Forward(action, p1, p2, p3);
}
