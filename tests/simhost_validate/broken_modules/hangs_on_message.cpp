// Fault: message 0 (C4D_MESSAGE_PRIORITY) never returns.
#include <atomic>

#include "forward_to_real_module.h"

BROKEN_EXPORT int32_t c4d_main(int32_t action, void* p1, void* p2, void* p3) {
  static std::atomic<bool> forever{true};
  if (action == C4D_ACTION_MESSAGE && p1 == nullptr) {
    while (forever.load()) {
    }
  }
  return broken_module::Forward(action, p1, p2, p3);
}
