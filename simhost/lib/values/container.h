// Id-keyed, ordered, typed values (the host's containers).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "handles.h"
#include "value.h"

namespace simhost {

class Container : public TrackedHandle<c4d_container> {
 public:
  explicit Container(int32_t id = 0) : id_(id) {}

  int32_t Id() const { return id_; }
  void SetId(int32_t id) { id_ = id; }
  int32_t Count() const { return static_cast<int32_t>(entries_.size()); }
  // Key at index in insertion order; 0 when out of range.
  int32_t KeyAt(int32_t index) const;
  const Value* Find(int32_t key) const;
  Value* Find(int32_t key);
  // Replaces the value under key in place, or appends it.
  void Set(int32_t key, Value value);
  bool Remove(int32_t key);
  void Flush() { entries_.clear(); }

  int32_t GetInt32(int32_t key, int32_t fallback = 0) const;
  std::string GetText(int32_t key) const;

  bool operator==(const Container& other) const;
  bool operator!=(const Container& other) const { return !(*this == other); }

  // One line per entry, nested containers indented below their key; names
  // gives the short name printed beside an id ("[2002 HDRI file]"), or
  // nothing.
  using IdNames = std::function<std::string(int32_t id)>;
  std::string Describe(int indent, const IdNames& names = nullptr) const;
  const std::vector<std::pair<int32_t, Value>>& Entries() const { return entries_; }

 private:
  int32_t id_;
  std::vector<std::pair<int32_t, Value>> entries_;
};

// Handle conversions; null for a null or stale handle.
inline Container* ToContainer(c4d_container* handle) { return FromHandle<Container>(handle); }
inline const Container* ToContainer(const c4d_container* handle) {
  return FromHandle<Container>(handle);
}

}  // namespace simhost
