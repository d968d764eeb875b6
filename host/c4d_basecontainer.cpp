// BaseContainer: plain values in a vector, or forwarded to a host container.
#include "c4d_basecontainer.h"

#include <new>

#include "c4d_host_private.h"

namespace {

const GeData& NilData() {
  static const GeData nil;
  return nil;
}

bool IsNumeric(const GeData* data) {
  return data != nullptr &&
         (data->GetType() == DA_LONG || data->GetType() == DA_REAL || data->GetType() == DA_LLONG);
}

}  // namespace

BaseContainer::BaseContainer(const BaseContainer& n) {
  if (n.bound_ != nullptr) {
    c4dhost::ReadHostContainer(n.bound_, this);
  } else {
    id_ = n.id_;
    entries_ = n.entries_;
  }
}

const BaseContainer& BaseContainer::operator=(const BaseContainer& n) {
  if (this == &n || (bound_ != nullptr && bound_ == n.bound_)) return *this;
  if (bound_ != nullptr) {
    const c4d_function_table* table = c4dhost::Table();
    if (table == nullptr) return *this;
    c4dhost::WriteHostContainer(n, bound_);
  } else if (n.bound_ != nullptr) {
    entries_.clear();
    c4dhost::ReadHostContainer(n.bound_, this);
  } else {
    id_ = n.id_;
    entries_ = n.entries_;
  }
  return *this;
}

Bool BaseContainer::operator==(const BaseContainer& d) const {
  if (GetId() != d.GetId() || EntryCount() != d.EntryCount()) return false;
  BaseContainer mine(*this);
  BaseContainer theirs(d);
  for (const Entry& entry : mine.entries_) {
    const GeData* other = theirs.FindEntry(entry.key);
    if (other == nullptr || *other != entry.value) return false;
  }
  return true;
}

maxon::Int32 BaseContainer::GetId() const {
  if (bound_ == nullptr) return id_;
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? table->container->get_id(bound_) : 0;
}

void BaseContainer::SetId(maxon::Int32 c_id) {
  if (bound_ == nullptr) {
    id_ = c_id;
    return;
  }
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr) table->container->set_id(bound_, c_id);
}

void BaseContainer::FlushAll() {
  if (bound_ == nullptr) {
    entries_.clear();
    return;
  }
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr) table->container->flush(bound_);
}

Bool BaseContainer::GetBool(maxon::Int32 id, Bool preset) const {
  const GeData* data = FindEntry(id);
  return IsNumeric(data) ? data->GetBool() : preset;
}

#ifdef C4D_API_R14

LONG BaseContainer::GetLong(LONG id, LONG preset) const {
  const GeData* data = FindEntry(id);
  return IsNumeric(data) ? data->GetLong() : preset;
}

LLONG BaseContainer::GetLLong(LONG id, LLONG preset) const {
  const GeData* data = FindEntry(id);
  return IsNumeric(data) ? data->GetLLong() : preset;
}

Real BaseContainer::GetReal(LONG id, Real preset) const {
  const GeData* data = FindEntry(id);
  return IsNumeric(data) ? data->GetReal() : preset;
}

void BaseContainer::SetLong(LONG id, LONG l) { WriteEntry(id, GeData(l)); }

void BaseContainer::SetLLong(LONG id, LLONG l) { WriteEntry(id, GeData(l, LLONGVALUE)); }

void BaseContainer::SetReal(LONG id, Real r) { WriteEntry(id, GeData(r)); }

#else

Int32 BaseContainer::GetInt32(Int32 id, Int32 preset) const {
  const GeData* data = FindEntry(id);
  return IsNumeric(data) ? data->GetInt32() : preset;
}

Int64 BaseContainer::GetInt64(Int32 id, Int64 preset) const {
  const GeData* data = FindEntry(id);
  return IsNumeric(data) ? data->GetInt64() : preset;
}

UInt32 BaseContainer::GetUInt32(Int32 id, UInt32 preset) const {
  const GeData* data = FindEntry(id);
  return IsNumeric(data) ? static_cast<UInt32>(data->GetInt64()) : preset;
}

Float BaseContainer::GetFloat(Int32 id, Float preset) const {
  const GeData* data = FindEntry(id);
  return IsNumeric(data) ? data->GetFloat() : preset;
}

void BaseContainer::SetInt32(Int32 id, Int32 l) { WriteEntry(id, GeData(l)); }

void BaseContainer::SetInt64(Int32 id, Int64 l) { WriteEntry(id, GeData(l, LLONGVALUE)); }

// Stored as the 32-bit integer with the same bits, as the host does.
void BaseContainer::SetUInt32(Int32 id, UInt32 l) { WriteEntry(id, GeData(static_cast<Int32>(l))); }

void BaseContainer::SetFloat(Int32 id, Float r) { WriteEntry(id, GeData(r)); }

#endif

// Text and file names read as each other, so a path stored as either works.
String BaseContainer::GetString(maxon::Int32 id, const String& preset) const {
  const GeData* data = FindEntry(id);
  if (data == nullptr) return preset;
  if (data->GetType() == DA_STRING) return data->GetString();
  if (data->GetType() == DA_FILENAME) return data->GetFilename().GetString();
  return preset;
}

Filename BaseContainer::GetFilename(maxon::Int32 id, const Filename& preset) const {
  const GeData* data = FindEntry(id);
  if (data == nullptr) return preset;
  if (data->GetType() == DA_FILENAME) return data->GetFilename();
  if (data->GetType() == DA_STRING) return Filename(data->GetString());
  return preset;
}

BaseContainer BaseContainer::GetContainer(maxon::Int32 id) const {
  const GeData* data = FindEntry(id);
  BaseContainer* nested = data != nullptr ? data->GetContainer() : nullptr;
  return nested != nullptr ? *nested : BaseContainer();
}

BaseContainer* BaseContainer::GetContainerInstance(maxon::Int32 id) {
  if (bound_ == nullptr) {
    const GeData* data = FindEntry(id);
    return data != nullptr ? data->GetContainer() : nullptr;
  }
  const c4d_function_table* table = c4dhost::Table();
  c4d_value value{};
  if (table == nullptr || !table->container->get(bound_, id, &value)) return nullptr;
  if (value.type != C4D_VALUE_CONTAINER || value.container == nullptr) return nullptr;
  return c4dhost::BoundContainer(value.container);
}

const BaseContainer* BaseContainer::GetContainerInstance(maxon::Int32 id) const {
  return const_cast<BaseContainer*>(this)->GetContainerInstance(id);
}

const GeData& BaseContainer::GetData(maxon::Int32 id) const {
  const GeData* data = FindEntry(id);
  return data != nullptr ? *data : NilData();
}

const GeData* BaseContainer::GetDataPointer(maxon::Int32 id) const { return FindEntry(id); }

maxon::Int32 BaseContainer::GetType(maxon::Int32 id) const {
  const GeData* data = FindEntry(id);
  return data != nullptr ? data->GetType() : DA_NIL;
}

BaseList2D* BaseContainer::GetLink(maxon::Int32 id, const BaseDocument* doc,
                                   maxon::Int32 instanceof) const {
  const GeData* data = FindEntry(id);
  return data != nullptr ? data->GetLink(doc, instanceof) : nullptr;
}

void BaseContainer::SetBool(maxon::Int32 id, Bool b) { WriteEntry(id, GeData(b ? 1 : 0)); }

void BaseContainer::SetString(maxon::Int32 id, const String& s) { WriteEntry(id, GeData(s)); }

void BaseContainer::SetFilename(maxon::Int32 id, const Filename& f) { WriteEntry(id, GeData(f)); }

void BaseContainer::SetContainer(maxon::Int32 id, const BaseContainer& s) {
  WriteEntry(id, GeData(s));
}

void BaseContainer::SetLink(maxon::Int32 id, BaseList2D* link) { WriteEntry(id, GeData(link)); }

GeData* BaseContainer::SetData(maxon::Int32 id, const GeData& n) { return WriteEntry(id, n); }

GeData* BaseContainer::InsData(maxon::Int32 id, const GeData& n) {
  if (bound_ != nullptr) return WriteEntry(id, n);
  entries_.push_back(Entry{id, n});
  return &entries_.back().value;
}

Bool BaseContainer::RemoveData(maxon::Int32 id) {
  if (bound_ != nullptr) {
    const c4d_function_table* table = c4dhost::Table();
    return table != nullptr && table->container->remove(bound_, id);
  }
  size_t before = entries_.size();
  for (size_t i = entries_.size(); i-- > 0;) {
    if (entries_[i].key == id) entries_.erase(entries_.begin() + static_cast<long>(i));
  }
  return entries_.size() != before;
}

maxon::Int32 BaseContainer::FindIndex(maxon::Int32 id, GeData** ppData) const {
  maxon::Int32 count = EntryCount();
  for (maxon::Int32 index = 0; index < count; ++index) {
    if (KeyAt(index) != id) continue;
    if (ppData != nullptr) *ppData = const_cast<GeData*>(FindEntry(id));
    return index;
  }
  if (ppData != nullptr) *ppData = nullptr;
  return -1;
}

maxon::Int32 BaseContainer::GetIndexId(maxon::Int32 index) const {
  return index >= 0 && index < EntryCount() ? KeyAt(index) : NOTOK;
}

BaseContainer* BaseContainer::GetClone(COPYFLAGS flags, AliasTrans* trans) const {
  (void)flags;
  (void)trans;
  return new (std::nothrow) BaseContainer(*this);
}

Bool BaseContainer::CopyTo(BaseContainer* dst, COPYFLAGS flags, AliasTrans* trans) const {
  (void)flags;
  (void)trans;
  if (dst == nullptr) return false;
  *dst = *this;
  return true;
}

void BaseContainer::MergeContainer(const BaseContainer& src) {
  BaseContainer values(src);
  for (const Entry& entry : values.entries_) WriteEntry(entry.key, entry.value);
}

GeData* BaseContainer::WriteEntry(maxon::Int32 key, const GeData& value) {
  if (bound_ != nullptr) {
    const c4d_function_table* table = c4dhost::Table();
    if (table == nullptr) return nullptr;
    c4dhost::HostValue hostValue(value);
    table->container->set(bound_, key, hostValue.Get());
    scratch_ = value;
    return &scratch_;
  }
  GeData* existing = const_cast<GeData*>(FindEntry(key));
  if (existing != nullptr) {
    *existing = value;
    return existing;
  }
  entries_.push_back(Entry{key, value});
  return &entries_.back().value;
}

maxon::Int32 BaseContainer::EntryCount() const {
  if (bound_ == nullptr) return static_cast<maxon::Int32>(entries_.size());
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? table->container->count(bound_) : 0;
}

maxon::Int32 BaseContainer::KeyAt(maxon::Int32 index) const {
  if (bound_ == nullptr) return entries_[static_cast<size_t>(index)].key;
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? table->container->key_at(bound_, index) : NOTOK;
}

// The value under key: in the vector, or read from the host into scratch_.
const GeData* BaseContainer::FindEntry(maxon::Int32 key) const {
  if (bound_ == nullptr) {
    for (const Entry& entry : entries_) {
      if (entry.key == key) return &entry.value;
    }
    return nullptr;
  }
  const c4d_function_table* table = c4dhost::Table();
  c4d_value value{};
  if (table == nullptr || !table->container->get(bound_, key, &value)) return nullptr;
  scratch_ = c4dhost::DataFromValue(value);
  return &scratch_;
}
