#include "atom.h"

#include <unordered_map>

#include "document.h"
#include "text/text_util.h"

namespace simhost {

namespace {

// Never destroyed, like every registry of the host: a host kept in static
// storage still takes its scene down at exit, after the other statics.
std::unordered_map<uint64_t, Atom*>& Registry() {
  static auto* atoms = new std::unordered_map<uint64_t, Atom*>;
  return *atoms;
}

uint64_t NextSerial() {
  static uint64_t serial = 0;
  return ++serial;
}

// The nested container that holds the last level of a parameter id, or
// null when a level in between is not a container.
const Container* ParentOfLevel(const Container& data, const c4d_desc_level* levels, int32_t depth) {
  const Container* current = &data;
  for (int32_t i = 0; i + 1 < depth; ++i) {
    const Value* value = current->Find(levels[i].id);
    if (value == nullptr || value->GetContainer() == nullptr) return nullptr;
    current = value->GetContainer();
  }
  return current;
}

const Value* DefaultOf(int32_t type, int32_t id) {
  const ElementType* info = FindElementType(type);
  if (info == nullptr) return nullptr;
  for (const auto& [key, value] : info->defaults) {
    if (key == id) return &value;
  }
  return nullptr;
}

}  // namespace

Atom* FindAtom(uint64_t serial) {
  auto it = Registry().find(serial);
  return it != Registry().end() ? it->second : nullptr;
}

// ---------------------------------------------------------------- AtomList

AtomList::~AtomList() {
  while (first_ != nullptr) delete first_;  // each element unlinks itself
}

std::vector<Atom*> AtomList::Items() const {
  std::vector<Atom*> items;
  for (Atom* atom = first_; atom != nullptr; atom = atom->next_) items.push_back(atom);
  return items;
}

void AtomList::InsertAfter(Atom* pred, Atom* atom) {
  atom->list_ = this;
  atom->pred_ = pred;
  atom->next_ = pred != nullptr ? pred->next_ : first_;
  if (atom->next_ != nullptr) {
    atom->next_->pred_ = atom;
  } else {
    last_ = atom;
  }
  if (pred != nullptr) {
    pred->next_ = atom;
  } else {
    first_ = atom;
  }
}

void AtomList::InsertLast(Atom* atom) { InsertAfter(last_, atom); }

void AtomList::Unlink(Atom* atom) {
  if (atom->list_ != this) return;
  (atom->pred_ != nullptr ? atom->pred_->next_ : first_) = atom->next_;
  (atom->next_ != nullptr ? atom->next_->pred_ : last_) = atom->pred_;
  atom->list_ = nullptr;
  atom->next_ = nullptr;
  atom->pred_ = nullptr;
}

// -------------------------------------------------------------------- Atom

std::unique_ptr<Atom> Atom::Create(int32_t type) {
  const ElementType* info = FindElementType(type);
  if (info == nullptr) return nullptr;
  auto atom = std::make_unique<Atom>(info->kind, type, info->name);
  for (const auto& [key, value] : info->defaults) atom->Data().Set(key, value);
  return atom;
}

Atom::Atom(AtomKind kind, int32_t type, std::string name)
    : serial_(NextSerial()),
      kind_(kind),
      type_(type),
      name_(std::move(name)),
      children_(this, ListRole::kChildren),
      tags_(this, ListRole::kTags) {
  Registry()[serial_] = this;
}

Atom::~Atom() {
  if (list_ != nullptr) list_->Unlink(this);
  Registry().erase(serial_);
}

bool Atom::IsInstanceOf(int32_t type) const {
  if (type == type_) return true;
  switch (kind_) {
    case AtomKind::kObject:
      return type == type_id::kObjectBase;
    case AtomKind::kTag:
      return type == type_id::kTagBase;
    case AtomKind::kMaterial:
      return type == type_id::kMaterialBase;
    default:
      return false;
  }
}

std::string Atom::Label() const {
  const ElementType* info = FindElementType(type_);
  std::string kind = info != nullptr ? info->name : "Element";
  return kind + " " + QuoteText(name_) + " (type " + std::to_string(type_) + ")";
}

bool Atom::GetParameter(const c4d_desc_level* levels, int32_t depth, Value* out) const {
  if (levels == nullptr || depth < 1 || out == nullptr) return false;
  if (depth == 1 && levels[0].id == param_id::kName) {
    *out = Value::String(name_);
    return true;
  }
  const Container* parent = ParentOfLevel(data_, levels, depth);
  const Value* value = parent != nullptr ? parent->Find(levels[depth - 1].id) : nullptr;
  if (value == nullptr && depth == 1) value = DefaultOf(type_, levels[0].id);
  if (value == nullptr) return false;
  *out = *value;
  return true;
}

bool Atom::SetParameter(const c4d_desc_level* levels, int32_t depth, const Value& value) {
  if (levels == nullptr || depth < 1) return false;
  if (depth == 1 && levels[0].id == param_id::kName) {
    if (value.Type() != C4D_VALUE_STRING) return false;
    name_ = value.Text();
    return true;
  }
  if (depth == 1) {
    const Value* known = DefaultOf(type_, levels[0].id);
    if (known != nullptr && known->Type() != value.Type()) return false;
  }
  Container* parent = const_cast<Container*>(ParentOfLevel(data_, levels, depth));
  if (parent == nullptr) return false;
  parent->Set(levels[depth - 1].id, value);
  return true;
}

// Long-lived elements (hook nodes, the document) get a message for every
// object inserted; the older half is forgotten once twice kMessagesKept
// are held, so memory stays flat.
bool Atom::Message(int32_t type, void* data) {
  if (messages_.size() >= 2 * kMessagesKept) {
    messages_.erase(messages_.begin(), messages_.end() - kMessagesKept);
  }
  messages_.push_back({type, data != nullptr});
  return true;
}

const Value& Atom::KeepHandedOut(Value value) {
  constexpr size_t kKept = 16;
  if (handed_out_.size() == kKept) handed_out_.pop_front();
  handed_out_.push_back(std::make_unique<Value>(std::move(value)));
  return *handed_out_.back();
}

bool Atom::Received(int32_t type) const {
  for (const MessageRecord& record : messages_) {
    if (record.type == type) return true;
  }
  return false;
}

Atom* Atom::Up() const {
  return list_ != nullptr && list_->Role() == ListRole::kChildren ? list_->Holder() : nullptr;
}

Atom* Atom::TagOwner() const {
  return list_ != nullptr && list_->Role() == ListRole::kTags ? list_->Holder() : nullptr;
}

bool Atom::IsBelow(const Atom* ancestor) const {
  for (const Atom* up = Up(); up != nullptr; up = up->Up()) {
    if (up == ancestor) return true;
  }
  return false;
}

Document* Atom::GetDocument() const {
  if (home_ != nullptr) return home_;
  if (list_ == nullptr) return nullptr;
  return list_->Holder()->GetDocument();
}

std::vector<AtomState> Atom::CaptureStates(bool with_children) {
  std::vector<AtomState> states;
  CaptureInto(with_children, &states);
  return states;
}

void Atom::CaptureInto(bool with_children, std::vector<AtomState>* states) {
  states->push_back({serial_, data_, name_, bits_});
  if (!with_children) return;
  for (Atom* tag : tags_.Items()) tag->CaptureInto(false, states);
  for (Atom* child : children_.Items()) child->CaptureInto(true, states);
}

void Atom::RestoreStates(const std::vector<AtomState>& states) {
  for (const AtomState& state : states) {
    Atom* atom = FindAtom(state.serial);
    if (atom == nullptr) continue;
    atom->data_ = state.data;
    atom->name_ = state.name;
    // The selection bit follows the document's selection, not the undo step.
    atom->bits_ = (state.bits & ~kBitActive) | (atom->bits_ & kBitActive);
  }
}

}  // namespace simhost
