// One dialog of the module: its callbacks, its window state and the gadget
// tree the module builds into it. Nothing here calls the module.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <memory_resource>
#include <string>
#include <unordered_map>
#include <vector>

#include "c4d_function_table.h"
#include "canvas.h"
#include "gadget.h"
#include "window_system.h"

namespace simhost {

// Handles given to the module are serial numbers that are never reused, so
// a stale handle is simply unknown instead of pointing at freed memory.
uint64_t NextSerial();

// Groups nest at most this deep; deeper group_begin calls fail.
constexpr int kMaxNesting = 256;
constexpr size_t kDrawLogLimit = 4096;

class Dialog {
 public:
  Dialog(const c4d_dialog_callbacks* callbacks, void* self);

  uint64_t serial() const { return serial_; }
  c4d_dialog* handle() const;

  // The module's callbacks; null once the dialog is forgotten.
  const c4d_dialog_callbacks* callbacks = nullptr;
  void* self = nullptr;

  bool open = false;
  bool closing = false;
  bool destroy_window_done = false;
  int32_t type = 0;
  int32_t plugin_id = 0;
  int32_t sub_id = 0;
  int32_t x = -1;
  int32_t y = -1;
  Size size;
  std::string title;
  int32_t timer_ms = 0;
  int32_t raise_count = 0;  // times an open call found the window open

  bool layout_dirty = true;
  bool laying_out = false;
  bool layout_requested = false;  // by the module, not yet run
  Canvas canvas;
  std::deque<DrawCall> draw_log;

  Gadget& root() { return *root_; }
  Rect ClientRect() const;

  // Building. New gadgets go into the innermost open group.
  void ResetTree();
  Gadget* Add(std::unique_ptr<Gadget> gadget);
  Gadget* BeginGroup(std::unique_ptr<Gadget> group);
  bool EndGroup();
  Gadget* CurrentGroup() { return builder_.back(); }

  // Lookups by id take the first match in tree order among the gadgets
  // accept lets through; the window's own root is never matched.
  Gadget* Find(int32_t id, const std::function<bool(const Gadget&)>& accept);
  Gadget* FindKind(int32_t id, GadgetKind kind);
  Gadget* FindBySerial(uint64_t serial) const;

  // Empties group: its gadgets are removed (into removed) and the user
  // areas they held are listed in areas. The group becomes the insertion
  // point, and the next group_begin with its id re-opens it in place.
  void Flush(Gadget& group, std::vector<std::unique_ptr<Gadget>>& removed,
             std::vector<uint64_t>& areas);
  std::unique_ptr<Gadget> Remove(Gadget& gadget, std::vector<uint64_t>& areas);
  // Removes the whole tree, leaving an empty root.
  void Clear(std::vector<std::unique_ptr<Gadget>>& removed, std::vector<uint64_t>& areas);

  void Log(const DrawCall& call);

 private:
  void Register(Gadget& gadget);
  void Unregister(Gadget& gadget, std::vector<uint64_t>& areas);
  void LeaveIdChain(Gadget& gadget);
  std::unique_ptr<Gadget> MakeRoot();

  uint64_t serial_;
  std::unique_ptr<Gadget> root_;
  std::vector<Gadget*> builder_;  // open groups, outermost first
  // The registries' entries come and go by the thousand with every grid
  // rebuild: they are drawn from the dialog's own pool, not the heap.
  std::pmr::unsynchronized_pool_resource registry_memory_;
  std::pmr::unordered_map<uint64_t, Gadget*> by_serial_{&registry_memory_};
  // Registered gadgets by id: one of them, the others chained to it. Every
  // grid cell adds gadgets of id 0 and a flush removes them all again, so
  // a gadget leaves its chain in constant time, and a unique id costs no
  // allocation beyond its map entry.
  std::pmr::unordered_map<int32_t, Gadget*> by_id_{&registry_memory_};
};

}  // namespace simhost
