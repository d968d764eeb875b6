#include "undo.h"

#include <algorithm>

#include "document.h"

namespace simhost {

namespace {

bool IsChange(int32_t type) {
  return type == undo_type::kChange || type == undo_type::kChangeNoChildren ||
         type == undo_type::kChangeSmall;
}

bool IsSelection(int32_t type) {
  return type == undo_type::kChangeSelection || type == undo_type::kActivate ||
         type == undo_type::kDeactivate;
}

// The present states of the elements that `like` holds states of.
std::vector<AtomState> StatesNow(const std::vector<AtomState>& like) {
  std::vector<AtomState> now;
  for (const AtomState& state : like) {
    Atom* atom = FindAtom(state.serial);
    if (atom != nullptr) now.push_back(atom->CaptureStates(false).front());
  }
  return now;
}

}  // namespace

// Forgets the older half of the log once it holds twice what is kept.
void UndoStack::Note(std::string line) {
  if (log_.size() >= 2 * kLogKept) log_.erase(log_.begin(), log_.end() - kLogKept);
  log_.push_back(std::move(line));
}

bool UndoStack::Start() {
  if (open_depth_++ == 0) open_ = UndoGroup();
  Note("start");
  return true;
}

bool UndoStack::End() {
  if (open_depth_ == 0) {
    Note("end refused: no open group");
    return false;
  }
  Note("end");
  if (--open_depth_ > 0) return true;
  if (!open_.steps.empty()) {
    done_.push_back(std::move(open_));
    undone_.clear();
  }
  open_ = UndoGroup();
  return true;
}

bool UndoStack::Add(int32_t type, Atom* element) {
  const std::string what = element != nullptr ? element->Label() : std::string("null");
  const bool known = IsChange(type) || IsSelection(type) || type == undo_type::kNew;
  const bool ours = element != nullptr && element->GetDocument() == document_;
  const bool placed = ours && (type != undo_type::kNew || element->List() != nullptr);
  if (!IsOpen() || !known || !ours || !placed) {
    Note("add refused " + std::to_string(type) + " " + what);
    return false;
  }
  UndoStep step;
  step.type = type;
  step.element = element->Serial();
  if (IsChange(type)) step.before = element->CaptureStates(type == undo_type::kChange);
  if (IsSelection(type)) step.selection_before = document_->CaptureSelection();
  if (type == undo_type::kNew) step.place = PlaceOf(element);
  open_.steps.push_back(std::move(step));
  Note("add " + std::to_string(type) + " " + what);
  return true;
}

bool UndoStack::Undo() {
  if (IsOpen() || done_.empty()) {
    Note("undo refused");
    return false;
  }
  UndoGroup group = std::move(done_.back());
  done_.pop_back();
  for (auto step = group.steps.rbegin(); step != group.steps.rend(); ++step) UndoStepNow(&*step);
  undone_.push_back(std::move(group));
  Note("undo");
  return true;
}

bool UndoStack::Redo() {
  if (IsOpen() || undone_.empty()) {
    Note("redo refused");
    return false;
  }
  UndoGroup group = std::move(undone_.back());
  undone_.pop_back();
  for (UndoStep& step : group.steps) RedoStepNow(&step);
  done_.push_back(std::move(group));
  Note("redo");
  return true;
}

void UndoStack::UndoStepNow(UndoStep* step) {
  if (IsChange(step->type)) {
    step->after = StatesNow(step->before);
    Atom::RestoreStates(step->before);
  } else if (IsSelection(step->type)) {
    step->selection_after = document_->CaptureSelection();
    document_->RestoreSelection(step->selection_before);
  } else if (step->type == undo_type::kNew) {
    Atom* atom = FindAtom(step->element);
    if (atom == nullptr || atom->List() == nullptr || atom->GetDocument() != document_) return;
    step->place = PlaceOf(atom);
    Document::Detach(atom);
    atom->SetHeldByUndo(true);
    step->detached.reset(atom);
  }
}

void UndoStack::RedoStepNow(UndoStep* step) {
  if (IsChange(step->type)) {
    Atom::RestoreStates(step->after);
  } else if (IsSelection(step->type)) {
    document_->RestoreSelection(step->selection_after);
  } else if (step->type == undo_type::kNew && step->detached != nullptr) {
    Reinsert(step);
  }
}

ListPlace UndoStack::PlaceOf(const Atom* atom) const {
  ListPlace place;
  AtomList* list = atom->List();
  place.holder = list->Holder()->Serial();
  place.role = list->Role();
  place.pred = atom->Pred() != nullptr ? atom->Pred()->Serial() : 0;
  place.materials = list == &document_->Materials();
  return place;
}

void UndoStack::Reinsert(UndoStep* step) {
  const ListPlace& place = step->place;
  Atom* holder = FindAtom(place.holder);
  AtomList* list = place.materials ? &document_->Materials() : &document_->Objects();
  const bool holder_here = holder != nullptr && holder->GetDocument() == document_;
  if (place.role == ListRole::kTags && !holder_here) {
    step->detached.reset();  // its object has gone: the tag has no place left
    return;
  }
  if (holder_here && place.role == ListRole::kChildren) list = &holder->Children();
  if (holder_here && place.role == ListRole::kTags) list = &holder->Tags();
  Atom* pred = FindAtom(place.pred);
  if (pred != nullptr && pred->List() != list) pred = nullptr;
  step->detached->SetHeldByUndo(false);
  list->InsertAfter(pred, step->detached.release());
}

}  // namespace simhost
