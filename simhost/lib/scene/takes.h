// A document's takes: the main take, child takes, the current take and the
// parameter overrides recorded in each take.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "atom.h"
#include "handles.h"

namespace simhost {

struct OverrideParam {
  std::vector<c4d_desc_level> id;
  Value override_value;
  Value backup_value;
};

// The overrides of one take for one element.
class Override : public Atom {
 public:
  Override(Document* document, uint64_t node);
  uint64_t Node() const { return node_; }
  std::vector<OverrideParam>& Params() { return params_; }
  const std::vector<OverrideParam>& Params() const { return params_; }

 private:
  uint64_t node_;
  std::vector<OverrideParam> params_;
};

class Take : public Atom {
 public:
  Take(std::string name, bool is_main);
  bool IsMain() const { return is_main_; }
  Override* FindOverride(uint64_t node) const;
  Override* AddOverride(Document* document, uint64_t node);
  const std::vector<std::unique_ptr<Override>>& Overrides() const { return overrides_; }

 private:
  bool is_main_;
  std::vector<std::unique_ptr<Override>> overrides_;
};

// One recorded override, for listings and tests.
struct OverrideRecord {
  Take* take;
  Atom* node;  // null when the element has gone
  std::vector<c4d_desc_level> id;
  Value override_value;
  Value backup_value;
};

class TakeData : public TrackedHandle<c4d_take_data> {
 public:
  explicit TakeData(Document* document);
  ~TakeData();
  TakeData(const TakeData&) = delete;
  TakeData& operator=(const TakeData&) = delete;

  Take* Main() const { return main_.get(); }
  Take* Current() const;
  // False for a take that is not one of this document's. The elements then
  // hold the new take's values: its overrides (and its parents') applied,
  // every other value the main take's.
  bool SetCurrent(Atom* take);
  // A new take, last below parent (the main take when null).
  Take* AddTake(const std::string& name, Take* parent);
  bool Owns(const Atom* atom) const;
  std::vector<Take*> AllTakes() const;
  bool UndoState() const { return undo_state_; }
  void SetUndoState(bool state) { undo_state_ = state; }

  // The override of take for node holding the parameter; null for the main
  // take, a foreign take or element, or an empty id.
  Override* FindOrAddOverrideParam(Atom* take, Atom* node, const c4d_desc_level* levels,
                                   int32_t depth, const Value& override_value,
                                   const Value& backup_value);
  std::vector<OverrideRecord> Overrides() const;

 private:
  std::vector<Take*> Chain(Take* take) const;
  void Leave(Take* take);
  void Enter(Take* take);

  Document* document_;
  std::unique_ptr<Take> main_;
  uint64_t current_;
  bool undo_state_ = true;
};

inline TakeData* ToTakeData(c4d_take_data* handle) { return FromHandle<TakeData>(handle); }

}  // namespace simhost
