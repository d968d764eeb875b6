// Fault: message 0 never returns.
#include <atomic>

#include "forward_to_real_module.h"

BROKEN_EXPORT int32_t c4d_main(int32_t action, void* p1, void* p2, void* p3) {
  static std::atomic<bool> forever{true};
  if (action == 6 && p1 == nullptr) {
    while (forever.load()) {
    }
  }
  return broken_module::Forward(action, p1, p2, p3);
}
