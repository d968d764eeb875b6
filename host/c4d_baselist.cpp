// Atoms, list nodes, named elements and element lists.
#include "c4d_baselist.h"

#include "c4d_host_private.h"

namespace {

using c4dhost::AtomOf;
using c4dhost::FromAtom;

c4d_atom_array* ArrayOf(const AtomArray* array) {
  return reinterpret_cast<c4d_atom_array*>(const_cast<AtomArray*>(array));
}

}  // namespace

namespace c4dhost {

int32_t DescLevels(const DescID& id, c4d_desc_level* levels) {
  int32_t depth = id.GetDepth() < kMaxDescLevels ? id.GetDepth() : kMaxDescLevels;
  for (int32_t i = 0; i < depth; ++i) {
    levels[i].id = id[i].id;
    levels[i].dtype = id[i].dtype;
    levels[i].creator = id[i].creator;
  }
  return depth;
}

}  // namespace c4dhost

// ------------------------------------------------------------------ C4DAtom

maxon::Int32 C4DAtom::GetType() const {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? table->scene->get_type(AtomOf(this)) : 0;
}

Bool C4DAtom::IsInstanceOf(maxon::Int32 id) const {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && table->scene->is_instance_of(AtomOf(this), id);
}

Bool C4DAtom::GetParameter(const DescID& id, GeData& t_data, DESCFLAGS_GET flags) {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr) return false;
  c4d_desc_level levels[c4dhost::kMaxDescLevels];
  int32_t depth = c4dhost::DescLevels(id, levels);
  c4d_value value{};
  if (!table->scene->get_parameter(AtomOf(this), levels, depth, &value, flags)) return false;
  t_data = c4dhost::DataFromValue(value);
  return true;
}

Bool C4DAtom::SetParameter(const DescID& id, const GeData& t_data, DESCFLAGS_SET flags) {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr) return false;
  c4d_desc_level levels[c4dhost::kMaxDescLevels];
  int32_t depth = c4dhost::DescLevels(id, levels);
  c4dhost::HostValue value(t_data);
  return table->scene->set_parameter(AtomOf(this), levels, depth, value.Get(), flags) != 0;
}

Bool C4DAtom::Message(maxon::Int32 type, void* data) {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && table->scene->message(AtomOf(this), type, data);
}

// --------------------------------------------------------------- GeListNode

GeListNode* GeListNode::GetNext() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? FromAtom<GeListNode>(table->scene->get_next(AtomOf(this))) : nullptr;
}

GeListNode* GeListNode::GetPred() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? FromAtom<GeListNode>(table->scene->get_pred(AtomOf(this))) : nullptr;
}

GeListNode* GeListNode::GetUp() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? FromAtom<GeListNode>(table->scene->get_up(AtomOf(this))) : nullptr;
}

GeListNode* GeListNode::GetDown() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? FromAtom<GeListNode>(table->scene->get_down(AtomOf(this))) : nullptr;
}

GeListNode* GeListNode::GetDownLast() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? FromAtom<GeListNode>(table->scene->get_down_last(AtomOf(this)))
                          : nullptr;
}

void GeListNode::InsertUnder(GeListNode* bl) {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr && bl != nullptr) table->scene->insert_under(AtomOf(this), AtomOf(bl));
}

void GeListNode::InsertUnderLast(GeListNode* bl) {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr && bl != nullptr) table->scene->insert_under_last(AtomOf(this), AtomOf(bl));
}

void GeListNode::Remove() {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr) table->scene->remove(AtomOf(this));
}

BaseDocument* GeListNode::GetDocument() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? FromAtom<BaseDocument>(table->scene->get_document(AtomOf(this)))
                          : nullptr;
}

// --------------------------------------------------------------- BaseList2D

BaseList2D* BaseList2D::Alloc(maxon::Int32 type) {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? FromAtom<BaseList2D>(table->scene->list2d_alloc(type)) : nullptr;
}

void BaseList2D::Free(BaseList2D*& bl) {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr && bl != nullptr) table->scene->free(AtomOf(bl));
  bl = nullptr;
}

BaseContainer* BaseList2D::GetDataInstance() {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr) return nullptr;
  return c4dhost::BoundContainer(table->scene->get_data_instance(AtomOf(this)));
}

const BaseContainer* BaseList2D::GetDataInstance() const {
  return const_cast<BaseList2D*>(this)->GetDataInstance();
}

BaseContainer BaseList2D::GetData() {
  const BaseContainer* data = GetDataInstance();
  return data != nullptr ? BaseContainer(*data) : BaseContainer();
}

Bool BaseList2D::SetData(const BaseContainer& bc, Bool add) {
  BaseContainer* data = GetDataInstance();
  if (data == nullptr) return false;
  if (add) {
    data->MergeContainer(bc);
  } else {
    *data = bc;
  }
  return true;
}

const String& BaseList2D::GetName() const {
  const c4d_function_table* table = c4dhost::Table();
  c4dhost::TextReceiver receiver;
  if (table != nullptr) {
    table->scene->get_name(AtomOf(this), &c4dhost::TextReceiver::Sink, receiver.Context());
  }
  String& slot = c4dhost::NameSlot(AtomOf(this));
  slot = receiver.GetString();
  return slot;
}

void BaseList2D::SetName(const String& name) {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr) table->scene->set_name(AtomOf(this), c4dhost::Utf8(name).c_str());
}

Bool BaseList2D::GetBit(maxon::Int32 mask) const {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && table->scene->get_bit(AtomOf(this), mask);
}

void BaseList2D::SetBit(maxon::Int32 mask) {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr) table->scene->set_bit(AtomOf(this), mask);
}

void BaseList2D::DelBit(maxon::Int32 mask) {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr) table->scene->del_bit(AtomOf(this), mask);
}

// ---------------------------------------------------------------- AtomArray

AtomArray* AtomArray::Alloc() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? reinterpret_cast<AtomArray*>(table->scene->array_alloc()) : nullptr;
}

void AtomArray::Free(AtomArray*& obj) {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr && obj != nullptr) table->scene->array_free(ArrayOf(obj));
  obj = nullptr;
}

maxon::Int32 AtomArray::GetCount() const {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? table->scene->array_count(ArrayOf(this)) : 0;
}

maxon::Int32 AtomArray::GetCount(maxon::Int32 type, maxon::Int32 instance) const {
  maxon::Int32 matching = 0;
  for (maxon::Int32 i = 0; i < GetCount(); ++i) {
    C4DAtom* atom = GetIndex(i);
    if (atom == nullptr) continue;
    if (type != NOTOK && atom->GetType() != type) continue;
    if (instance != NOTOK && instance != 0 && !atom->IsInstanceOf(instance)) continue;
    ++matching;
  }
  return matching;
}

C4DAtom* AtomArray::GetIndex(maxon::Int32 idx) const {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr || idx < 0 || idx >= GetCount()) return nullptr;
  return FromAtom<C4DAtom>(table->scene->array_get(ArrayOf(this), idx));
}

Bool AtomArray::Append(C4DAtom* obj) {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && table->scene->array_append(ArrayOf(this), AtomOf(obj));
}

void AtomArray::Flush() {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr) table->scene->array_flush(ArrayOf(this));
}

maxon::Int32 AtomArray::Find(C4DAtom* obj) {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? table->scene->array_find(ArrayOf(this), AtomOf(obj)) : NOTOK;
}
