// A document's undo history: groups of steps, undone and redone as a whole.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "atom.h"

namespace simhost {

namespace undo_type {
constexpr int32_t kChange = 40;
constexpr int32_t kChangeNoChildren = 41;
constexpr int32_t kChangeSmall = 42;
constexpr int32_t kChangeSelection = 43;
constexpr int32_t kNew = 44;
constexpr int32_t kActivate = 46;
constexpr int32_t kDeactivate = 47;
}  // namespace undo_type

// Which selections a selection step restores, by element serial numbers.
struct SelectionState {
  std::vector<uint64_t> objects;
  std::vector<uint64_t> tags;
  std::vector<uint64_t> materials;
};

// Where a new element sat, so that redo puts it back there.
struct ListPlace {
  uint64_t holder = 0;
  ListRole role = ListRole::kTopLevel;
  uint64_t pred = 0;
  bool materials = false;  // top-level material list rather than objects
};

struct UndoStep {
  int32_t type = 0;
  uint64_t element = 0;
  std::vector<AtomState> before;
  std::vector<AtomState> after;
  SelectionState selection_before;
  SelectionState selection_after;
  ListPlace place;
  std::unique_ptr<Atom> detached;  // a new element while it is undone
};

struct UndoGroup {
  std::vector<UndoStep> steps;
};

class UndoStack {
 public:
  explicit UndoStack(Document* document) : document_(document) {}

  // Groups nest; the outermost end closes the group. An empty group leaves
  // no step behind.
  bool Start();
  bool End();
  bool IsOpen() const { return open_depth_ > 0; }
  // Records one step of the open group. False without an open group or for
  // a type this host does not undo.
  bool Add(int32_t type, Atom* element);
  bool Undo();
  bool Redo();
  size_t UndoCount() const { return done_.size(); }
  size_t RedoCount() const { return undone_.size(); }
  // The steps of the group that the next Undo would revert.
  const UndoGroup* LastGroup() const { return done_.empty() ? nullptr : &done_.back(); }
  // The recent calls in order: "start", "add 40 Object \"Sky\" ...", "end",
  // "undo". Only the last kLogKept or more are kept, so a long session's
  // memory stays flat.
  static constexpr size_t kLogKept = 1000;
  const std::vector<std::string>& Log() const { return log_; }

 private:
  void UndoStepNow(UndoStep* step);
  void RedoStepNow(UndoStep* step);
  ListPlace PlaceOf(const Atom* atom) const;
  void Reinsert(UndoStep* step);
  void Note(std::string line);

  Document* document_;
  int open_depth_ = 0;
  UndoGroup open_;
  std::vector<UndoGroup> done_;
  std::vector<UndoGroup> undone_;
  std::vector<std::string> log_;
};

}  // namespace simhost
