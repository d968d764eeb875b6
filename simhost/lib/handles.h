// The table's opaque handle types, completed here as empty bases of the
// host's own classes: a handle converts to its object with static_cast, and
// LiveHandles tells whether a pointer the module hands back still names a
// living object, so a stale or foreign handle is refused instead of followed.
#pragma once

#include <cstdint>
#include <type_traits>
#include <unordered_set>

#include "c4d_function_table.h"

struct c4d_container {};
struct c4d_bitmap {};
struct c4d_dir {};
struct c4d_hyperfile {};
struct c4d_file {};
struct c4d_resource {};
struct c4d_atom {};
struct c4d_atom_array {};
struct c4d_take_data {};

namespace simhost {

// Registry of the living objects of one handle type. The host is driven from
// one thread, so the registry takes no lock.
template <typename Handle>
class LiveHandles {
 public:
  // Addresses are kept as numbers: the registry never looks at the objects.
  static std::uintptr_t Key(const Handle* handle) {
    return reinterpret_cast<std::uintptr_t>(handle);
  }
  static void Add(std::uintptr_t key) { Set().insert(key); }
  static void Remove(std::uintptr_t key) { Set().erase(key); }
  static bool Contains(const Handle* handle) {
    return handle != nullptr && Set().count(Key(handle)) != 0;
  }

 private:
  // Never destroyed: a host kept in static storage still closes its windows
  // at exit, after the other statics are gone.
  static std::unordered_set<std::uintptr_t>& Set() {
    static auto* live = new std::unordered_set<std::uintptr_t>;
    return *live;
  }
};

// Base of every host class that is handed out as a handle: registers itself
// while it lives.
template <typename Handle>
class TrackedHandle : public Handle {
 public:
  TrackedHandle() : Handle() { LiveHandles<Handle>::Add(Key()); }
  TrackedHandle(const TrackedHandle&) : Handle() { LiveHandles<Handle>::Add(Key()); }
  TrackedHandle& operator=(const TrackedHandle&) { return *this; }
  ~TrackedHandle() { LiveHandles<Handle>::Remove(Key()); }

 private:
  std::uintptr_t Key() const {
    return reinterpret_cast<std::uintptr_t>(static_cast<const Handle*>(this));
  }
};

// The object behind a handle, or null when the handle is null or stale.
template <typename Object, typename Handle>
Object* FromHandle(Handle* handle) {
  return LiveHandles<std::remove_const_t<Handle>>::Contains(handle)
             ? static_cast<Object*>(const_cast<std::remove_const_t<Handle>*>(handle))
             : nullptr;
}

}  // namespace simhost
