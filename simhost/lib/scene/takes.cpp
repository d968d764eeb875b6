#include "takes.h"

#include "document.h"

namespace simhost {

namespace {

bool SameId(const std::vector<c4d_desc_level>& id, const c4d_desc_level* levels, int32_t depth) {
  if (id.size() != static_cast<size_t>(depth)) return false;
  for (int32_t i = 0; i < depth; ++i) {
    if (id[static_cast<size_t>(i)].id != levels[i].id) return false;
  }
  return true;
}

}  // namespace

Override::Override(Document* document, uint64_t node)
    : Atom(AtomKind::kOverride, type_id::kOverride, "Override"), node_(node) {
  SetHome(document);
}

Take::Take(std::string name, bool is_main)
    : Atom(AtomKind::kTake, type_id::kTake, std::move(name)), is_main_(is_main) {}

Override* Take::FindOverride(uint64_t node) const {
  for (const auto& entry : overrides_) {
    if (entry->Node() == node) return entry.get();
  }
  return nullptr;
}

Override* Take::AddOverride(Document* document, uint64_t node) {
  overrides_.push_back(std::make_unique<Override>(document, node));
  return overrides_.back().get();
}

TakeData::TakeData(Document* document)
    : document_(document), main_(std::make_unique<Take>("Main", true)) {
  main_->SetHome(document);
  current_ = main_->Serial();
}

TakeData::~TakeData() = default;

Take* TakeData::Current() const {
  Atom* current = FindAtom(current_);
  return current != nullptr && Owns(current) ? static_cast<Take*>(current) : main_.get();
}

// The takes from below the main take down to take, outermost first.
std::vector<Take*> TakeData::Chain(Take* take) const {
  std::vector<Take*> chain;
  for (Atom* at = take; at != nullptr && at != main_.get(); at = at->Up()) {
    chain.insert(chain.begin(), static_cast<Take*>(at));
  }
  return chain;
}

// Leaving a take puts each overridden value back as it was before the
// take applied it; entering one remembers the value it covers and applies
// the override. So the elements always hold the current take's values, and
// the main take's own values come back when it is current again.
void TakeData::Leave(Take* take) {
  std::vector<Take*> chain = Chain(take);
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    for (const auto& entry : (*it)->Overrides()) {
      Atom* node = FindAtom(entry->Node());
      if (node == nullptr) continue;
      for (const OverrideParam& param : entry->Params()) {
        node->SetParameter(param.id.data(), static_cast<int32_t>(param.id.size()),
                           param.backup_value);
      }
    }
  }
}

void TakeData::Enter(Take* take) {
  for (Take* step : Chain(take)) {
    for (const auto& entry : step->Overrides()) {
      Atom* node = FindAtom(entry->Node());
      if (node == nullptr) continue;
      for (OverrideParam& param : entry->Params()) {
        const int32_t depth = static_cast<int32_t>(param.id.size());
        node->GetParameter(param.id.data(), depth, &param.backup_value);
        node->SetParameter(param.id.data(), depth, param.override_value);
      }
    }
  }
}

bool TakeData::SetCurrent(Atom* take) {
  if (take == nullptr || !Owns(take)) return false;
  Take* before = Current();
  if (before == take) return true;
  Leave(before);
  current_ = take->Serial();
  Enter(static_cast<Take*>(take));
  return true;
}

Take* TakeData::AddTake(const std::string& name, Take* parent) {
  if (parent == nullptr || !Owns(parent)) parent = main_.get();
  Take* take = new Take(name, false);
  parent->Children().InsertLast(take);
  return take;
}

bool TakeData::Owns(const Atom* atom) const {
  if (atom == nullptr || atom->Kind() != AtomKind::kTake) return false;
  return atom == main_.get() || atom->IsBelow(main_.get());
}

std::vector<Take*> TakeData::AllTakes() const {
  std::vector<Take*> takes{main_.get()};
  for (size_t i = 0; i < takes.size(); ++i) {
    for (Atom* child : takes[i]->Children().Items()) takes.push_back(static_cast<Take*>(child));
  }
  return takes;
}

Override* TakeData::FindOrAddOverrideParam(Atom* take_atom, Atom* node,
                                           const c4d_desc_level* levels, int32_t depth,
                                           const Value& override_value, const Value& backup_value) {
  if (!Owns(take_atom) || node == nullptr || levels == nullptr || depth < 1) return nullptr;
  Take* take = static_cast<Take*>(take_atom);
  if (take->IsMain() || node->GetDocument() != document_) return nullptr;
  Override* entry = take->FindOverride(node->Serial());
  if (entry == nullptr) entry = take->AddOverride(document_, node->Serial());
  for (OverrideParam& param : entry->Params()) {
    if (SameId(param.id, levels, depth)) {
      param.override_value = override_value;  // the first backup stays
      return entry;
    }
  }
  entry->Params().push_back(
      {std::vector<c4d_desc_level>(levels, levels + depth), override_value, backup_value});
  if (depth == 1) entry->Data().Set(levels[0].id, override_value);
  return entry;
}

std::vector<OverrideRecord> TakeData::Overrides() const {
  std::vector<OverrideRecord> records;
  for (Take* take : AllTakes()) {
    for (const auto& entry : take->Overrides()) {
      for (const OverrideParam& param : entry->Params()) {
        records.push_back(
            {take, FindAtom(entry->Node()), param.id, param.override_value, param.backup_value});
      }
    }
  }
  return records;
}

}  // namespace simhost
