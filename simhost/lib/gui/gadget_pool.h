// Storage for gadgets. A grid rebuild removes and adds tens of thousands of
// them at once; carving them from large blocks and reusing freed slots keeps
// the general allocator out of that and keeps a tree built in one go close
// together in memory, so the layout's walks over it stay cheap.
#pragma once

#include <cstddef>

namespace simhost {

// The stand-in host's windows live on one thread, as the real host's do;
// the pool is not locked.
class GadgetPool {
 public:
  // A gadget fits a slot; larger requests go to the heap.
  static constexpr std::size_t kSlotSize = 320;
  static void* Allocate(std::size_t size);
  static void Release(void* memory, std::size_t size) noexcept;
  // Slots handed out and not yet released (for tests).
  static std::size_t SlotsInUse();
};

}  // namespace simhost
