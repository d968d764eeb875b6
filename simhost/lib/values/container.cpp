#include "container.h"

namespace simhost {

int32_t Container::KeyAt(int32_t index) const {
  if (index < 0 || index >= Count()) return 0;
  return entries_[static_cast<size_t>(index)].first;
}

const Value* Container::Find(int32_t key) const {
  for (const auto& entry : entries_) {
    if (entry.first == key) return &entry.second;
  }
  return nullptr;
}

Value* Container::Find(int32_t key) {
  for (auto& entry : entries_) {
    if (entry.first == key) return &entry.second;
  }
  return nullptr;
}

void Container::Set(int32_t key, Value value) {
  Value* existing = Find(key);
  if (existing != nullptr) {
    *existing = std::move(value);
  } else {
    entries_.emplace_back(key, std::move(value));
  }
}

bool Container::Remove(int32_t key) {
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if (it->first == key) {
      entries_.erase(it);
      return true;
    }
  }
  return false;
}

int32_t Container::GetInt32(int32_t key, int32_t fallback) const {
  const Value* value = Find(key);
  return value != nullptr && value->Type() == C4D_VALUE_INT32 ? value->GetInt32() : fallback;
}

std::string Container::GetText(int32_t key) const {
  const Value* value = Find(key);
  return value != nullptr ? value->Text() : std::string();
}

bool Container::operator==(const Container& other) const {
  return id_ == other.id_ && entries_ == other.entries_;
}

std::string Container::Describe(int indent, const IdNames& names) const {
  const std::string pad(static_cast<size_t>(indent), ' ');
  std::string out;
  for (const auto& [key, value] : entries_) {
    const std::string name = names ? names(key) : std::string();
    out += pad + "[" + std::to_string(key) + (name.empty() ? "" : " " + name) + "] " +
           value.Describe() + "\n";
    if (value.GetContainer() != nullptr) out += value.GetContainer()->Describe(indent + 2, names);
  }
  return out;
}

}  // namespace simhost
