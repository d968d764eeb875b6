#include "gadget_pool.h"

#include <memory>
#include <new>
#include <vector>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SIMHOST_POISON_SLOTS 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define SIMHOST_POISON_SLOTS 1
#endif

#ifdef SIMHOST_POISON_SLOTS
#include <sanitizer/asan_interface.h>
#define SIMHOST_POISON(address, size) ASAN_POISON_MEMORY_REGION(address, size)
#define SIMHOST_UNPOISON(address, size) ASAN_UNPOISON_MEMORY_REGION(address, size)
#else
#define SIMHOST_POISON(address, size) ((void)(address), (void)(size))
#define SIMHOST_UNPOISON(address, size) ((void)(address), (void)(size))
#endif

namespace simhost {
namespace {

constexpr std::size_t kSlotsPerBlock = 1024;

// Whole cache lines, so that no two gadgets share one.
union alignas(64) Slot {
  Slot* next_free;
  unsigned char bytes[GadgetPool::kSlotSize];
};

struct Pool {
  std::vector<std::unique_ptr<Slot[]>> blocks;
  Slot* free_list = nullptr;
  std::size_t in_use = 0;

  void AddBlock() {
    blocks.emplace_back(new Slot[kSlotsPerBlock]);
    Slot* block = blocks.back().get();
    // Threaded so that slots are handed out in address order.
    for (std::size_t i = kSlotsPerBlock; i-- > 0;) {
      block[i].next_free = free_list;
      free_list = &block[i];
      SIMHOST_POISON(&block[i], sizeof(Slot));
    }
  }
};

// Never destroyed: gadgets held by static objects may outlive any other
// static, and the blocks stay reachable, so leak checkers stay quiet.
Pool& ThePool() {
  static Pool* pool = new Pool;
  return *pool;
}

}  // namespace

void* GadgetPool::Allocate(std::size_t size) {
  if (size > GadgetPool::kSlotSize) return ::operator new(size);
  Pool& pool = ThePool();
  if (!pool.free_list) pool.AddBlock();
  Slot* slot = pool.free_list;
  SIMHOST_UNPOISON(slot, sizeof(Slot));
  pool.free_list = slot->next_free;
  ++pool.in_use;
#if defined(__GNUC__)
  // The next gadget is usually made right after this one.
  if (pool.free_list) __builtin_prefetch(pool.free_list, 1);
#endif
  return slot;
}

void GadgetPool::Release(void* memory, std::size_t size) noexcept {
  if (!memory) return;
  if (size > GadgetPool::kSlotSize) return ::operator delete(memory);
  Pool& pool = ThePool();
  Slot* slot = static_cast<Slot*>(memory);
  slot->next_free = pool.free_list;
  pool.free_list = slot;
  --pool.in_use;
  SIMHOST_POISON(slot, sizeof(Slot));
}

std::size_t GadgetPool::SlotsInUse() { return ThePool().in_use; }

}  // namespace simhost
