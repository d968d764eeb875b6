// The scene area of the function table: elements, hierarchy, documents,
// selections, undo, element lists and takes.
#include <algorithm>

#include "api.h"
#include "host.h"
#include "scene/document.h"
#include "text/text_util.h"

namespace simhost {

namespace {

// A list of elements handed to the module; entries name elements by serial
// so that a deleted element reads back as null.
struct AtomArray : TrackedHandle<c4d_atom_array> {
  std::vector<uint64_t> serials;
};

AtomArray* ToArray(c4d_atom_array* handle) { return FromHandle<AtomArray>(handle); }
const AtomArray* ToArray(const c4d_atom_array* handle) { return FromHandle<AtomArray>(handle); }

Atom* Live(c4d_atom* handle, const char* call) {
  Atom* atom = ToAtom(handle);
  if (atom == nullptr && handle != nullptr) WarnCurrent(std::string(call) + " of a stale element");
  return atom;
}

Atom* LiveOfKind(c4d_atom* handle, AtomKind kind, const char* call) {
  Atom* atom = Live(handle, call);
  return atom != nullptr && atom->Kind() == kind ? atom : nullptr;
}

Document* ToDocument(c4d_atom* handle, const char* call) {
  return static_cast<Document*>(LiveOfKind(handle, AtomKind::kDocument, call));
}

bool IsHierarchyKind(const Atom* atom) {
  return atom->Kind() == AtomKind::kObject || atom->Kind() == AtomKind::kTag ||
         atom->Kind() == AtomKind::kMaterial || atom->Kind() == AtomKind::kTake;
}

// ----------------------------------------------------------- any element

int32_t GetType(const c4d_atom* handle) {
  const Atom* atom = ToAtom(handle);
  return atom != nullptr ? atom->Type() : 0;
}

c4d_bool IsInstanceOf(const c4d_atom* handle, int32_t type) {
  const Atom* atom = ToAtom(handle);
  return atom != nullptr && atom->IsInstanceOf(type);
}

c4d_bool GetParameter(c4d_atom* handle, const c4d_desc_level* levels, int32_t depth, c4d_value* out,
                      int32_t /*flags*/) {
  Atom* atom = Live(handle, "scene.get_parameter");
  Value value;
  if (out != nullptr) *out = NilCValue();
  if (atom == nullptr || !atom->GetParameter(levels, depth, &value)) return 0;
  if (out != nullptr) atom->KeepHandedOut(std::move(value)).ToC(out);
  return 1;
}

c4d_bool SetParameter(c4d_atom* handle, const c4d_desc_level* levels, int32_t depth,
                      const c4d_value* value, int32_t /*flags*/) {
  Atom* atom = Live(handle, "scene.set_parameter");
  Value copy;
  if (atom == nullptr || value == nullptr || !Value::FromC(*value, &copy)) return 0;
  return atom->SetParameter(levels, depth, copy);
}

// A message the module sends to an element is shown as it happens.
c4d_bool Message(c4d_atom* handle, int32_t type, void* data) {
  Atom* atom = Live(handle, "scene.message");
  if (atom == nullptr) return 0;
  if (Host* host = Host::Current()) {
    host->Record(event_kind::kNotify, "message " + std::to_string(type) +
                                          (data != nullptr ? " with data" : "") + " to " +
                                          atom->Label());
  }
  return atom->Message(type, data);
}

c4d_container* GetDataInstance(c4d_atom* handle) {
  Atom* atom = Live(handle, "scene.get_data_instance");
  return atom != nullptr ? &atom->Data() : nullptr;
}

void GetName(const c4d_atom* handle, c4d_text_sink sink, void* ctx) {
  const Atom* atom = ToAtom(handle);
  SendText(sink, ctx, atom != nullptr ? atom->Name() : std::string());
}

void SetName(c4d_atom* handle, const char* name) {
  if (Atom* atom = Live(handle, "scene.set_name")) atom->SetName(FromCText(name));
}

c4d_bool GetBit(const c4d_atom* handle, int32_t mask) {
  const Atom* atom = ToAtom(handle);
  return atom != nullptr && (atom->Bits() & static_cast<uint32_t>(mask)) != 0;
}

// The active bit is the selection: setting it selects in the document.
void ChangeBits(c4d_atom* handle, int32_t mask, bool set) {
  Atom* atom = Live(handle, set ? "scene.set_bit" : "scene.del_bit");
  if (atom == nullptr) return;
  const uint32_t bits = static_cast<uint32_t>(mask);
  atom->SetBits(set ? atom->Bits() | bits : atom->Bits() & ~bits);
  Document* document = atom->GetDocument();
  if ((bits & kBitActive) != 0 && document != nullptr && document != atom) {
    document->SetSelected(atom, set);
  }
}

void SetBit(c4d_atom* handle, int32_t mask) { ChangeBits(handle, mask, true); }
void DelBit(c4d_atom* handle, int32_t mask) { ChangeBits(handle, mask, false); }

// --------------------------------------------------------------- hierarchy

c4d_atom* GetNext(c4d_atom* handle) {
  Atom* atom = Live(handle, "scene.get_next");
  return atom != nullptr ? atom->Next() : nullptr;
}

c4d_atom* GetPred(c4d_atom* handle) {
  Atom* atom = Live(handle, "scene.get_pred");
  return atom != nullptr ? atom->Pred() : nullptr;
}

c4d_atom* GetUp(c4d_atom* handle) {
  Atom* atom = Live(handle, "scene.get_up");
  return atom != nullptr ? atom->Up() : nullptr;
}

c4d_atom* GetDown(c4d_atom* handle) {
  Atom* atom = Live(handle, "scene.get_down");
  return atom != nullptr ? atom->Children().First() : nullptr;
}

c4d_atom* GetDownLast(c4d_atom* handle) {
  Atom* atom = Live(handle, "scene.get_down_last");
  return atom != nullptr ? atom->Children().Last() : nullptr;
}

bool PlaceTag(Atom* object, Atom* tag, Atom* pred) {
  if (Document* document = object->GetDocument()) return document->InsertTag(object, tag, pred);
  if (tag->Kind() != AtomKind::kTag || tag == pred) return false;
  if (pred != nullptr && pred->List() != &object->Tags()) return false;
  Document::Detach(tag);
  object->Tags().InsertAfter(pred, tag);
  return true;
}

// Children of an object or a take outside any document.
bool PlaceChild(Atom* atom, Atom* parent, bool last) {
  if (atom == parent || parent->IsBelow(atom)) return false;
  Document::Detach(atom);
  Atom* pred = last ? parent->Children().Last() : nullptr;
  parent->Children().InsertAfter(pred, atom);
  return true;
}

void InsertUnder(c4d_atom* handle, c4d_atom* parent_handle, bool last) {
  Atom* atom = Live(handle, "scene.insert_under");
  Atom* parent = Live(parent_handle, "scene.insert_under");
  if (atom == nullptr || parent == nullptr || atom->HeldByUndo()) return;
  bool placed = false;
  if (atom->Kind() == AtomKind::kTag && parent->Kind() == AtomKind::kObject) {
    placed = PlaceTag(parent, atom, last ? parent->Tags().Last() : nullptr);
  } else if (atom->Kind() == AtomKind::kObject && parent->Kind() == AtomKind::kObject) {
    Document* document = parent->GetDocument();
    Atom* pred = last ? parent->Children().Last() : nullptr;
    placed =
        pred == atom || (document != nullptr ? document->InsertObject(atom, parent, pred, false)
                                             : PlaceChild(atom, parent, last));
  } else if (atom->Kind() == AtomKind::kTake && parent->Kind() == AtomKind::kTake &&
             !static_cast<Take*>(atom)->IsMain()) {
    placed = PlaceChild(atom, parent, last);
  }
  if (!placed) WarnCurrent("scene.insert_under refused for " + atom->Label());
}

void InsertUnderFirst(c4d_atom* atom, c4d_atom* parent) { InsertUnder(atom, parent, false); }
void InsertUnderLast(c4d_atom* atom, c4d_atom* parent) { InsertUnder(atom, parent, true); }

void Remove(c4d_atom* handle) {
  Atom* atom = Live(handle, "scene.remove");
  if (atom != nullptr && IsHierarchyKind(atom) && !atom->HeldByUndo()) Document::Detach(atom);
}

c4d_atom* GetDocument(c4d_atom* handle) {
  Atom* atom = Live(handle, "scene.get_document");
  return atom != nullptr ? atom->GetDocument() : nullptr;
}

// --------------------------------------------------------------- new elements

c4d_atom* AllocOfKinds(int32_t type, std::initializer_list<AtomKind> kinds) {
  Host* host = Host::Current();
  if (host == nullptr) return nullptr;
  std::unique_ptr<Atom> atom = host->CreateElement(type);
  if (!atom || std::find(kinds.begin(), kinds.end(), atom->Kind()) == kinds.end()) {
    return nullptr;
  }
  return atom.release();
}

c4d_atom* ObjectAlloc(int32_t type) { return AllocOfKinds(type, {AtomKind::kObject}); }
c4d_atom* TagAlloc(int32_t type) { return AllocOfKinds(type, {AtomKind::kTag}); }

c4d_atom* List2dAlloc(int32_t type) {
  return AllocOfKinds(type, {AtomKind::kObject, AtomKind::kTag, AtomKind::kMaterial});
}

void Free(c4d_atom* handle) {
  Atom* atom = Live(handle, "scene.free");
  if (atom == nullptr) return;
  if (!IsHierarchyKind(atom) || atom->HeldByUndo() ||
      (atom->Kind() == AtomKind::kTake && static_cast<Take*>(atom)->IsMain())) {
    WarnCurrent("scene.free refused: the host owns " + atom->Label());
    return;
  }
  if (atom->List() != nullptr) {
    WarnCurrent("scene.free of an inserted element " + atom->Label() + "; removed first");
    Document::Detach(atom);
  }
  delete atom;
}

// ------------------------------------------------------------------- tags

c4d_atom* ObjectGetFirstTag(c4d_atom* handle) {
  Atom* object = LiveOfKind(handle, AtomKind::kObject, "scene.object_get_first_tag");
  return object != nullptr ? object->Tags().First() : nullptr;
}

c4d_atom* ObjectGetTag(c4d_atom* handle, int32_t type, int32_t nr) {
  Atom* object = LiveOfKind(handle, AtomKind::kObject, "scene.object_get_tag");
  if (object == nullptr) return nullptr;
  for (Atom* tag : object->Tags().Items()) {
    if (tag->Type() == type && nr-- == 0) return tag;
  }
  return nullptr;
}

c4d_atom* ObjectMakeTag(c4d_atom* handle, int32_t type, c4d_atom* pred_handle) {
  Atom* object = LiveOfKind(handle, AtomKind::kObject, "scene.object_make_tag");
  Atom* pred = Live(pred_handle, "scene.object_make_tag");
  Host* host = Host::Current();
  if (object == nullptr || host == nullptr) return nullptr;
  std::unique_ptr<Atom> tag = host->CreateElement(type);
  if (!tag || tag->Kind() != AtomKind::kTag || !PlaceTag(object, tag.get(), pred)) {
    return nullptr;
  }
  return tag.release();
}

void ObjectInsertTag(c4d_atom* handle, c4d_atom* tag_handle, c4d_atom* pred_handle) {
  Atom* object = LiveOfKind(handle, AtomKind::kObject, "scene.object_insert_tag");
  Atom* tag = Live(tag_handle, "scene.object_insert_tag");
  Atom* pred = Live(pred_handle, "scene.object_insert_tag");
  if (object == nullptr || tag == nullptr || tag->HeldByUndo() || !PlaceTag(object, tag, pred)) {
    WarnCurrent("scene.object_insert_tag refused");
  }
}

c4d_atom* TagGetObject(c4d_atom* handle) {
  Atom* tag = Live(handle, "scene.tag_get_object");
  return tag != nullptr ? tag->TagOwner() : nullptr;
}

// --------------------------------------------------------------- documents

c4d_atom* DocGetFirstObject(c4d_atom* handle) {
  Document* document = ToDocument(handle, "scene.doc_get_first_object");
  return document != nullptr ? document->Objects().First() : nullptr;
}

c4d_atom* DocGetFirstMaterial(c4d_atom* handle) {
  Document* document = ToDocument(handle, "scene.doc_get_first_material");
  return document != nullptr ? document->Materials().First() : nullptr;
}

c4d_atom* DocGetActiveObject(c4d_atom* handle) {
  Document* document = ToDocument(handle, "scene.doc_get_active_object");
  return document != nullptr ? document->ActiveObject() : nullptr;
}

bool HasSelectedAncestor(const Atom* atom, const std::vector<Atom*>& selected) {
  for (const Atom* up = atom->Up(); up != nullptr; up = up->Up()) {
    if (std::find(selected.begin(), selected.end(), up) != selected.end()) return true;
  }
  return false;
}

void Fill(c4d_atom_array* handle, const std::vector<Atom*>& atoms) {
  AtomArray* array = ToArray(handle);
  if (array == nullptr) return;
  array->serials.clear();
  for (const Atom* atom : atoms) array->serials.push_back(atom->Serial());
}

constexpr int32_t kWithChildren = 1;
constexpr int32_t kSelectionOrder = 2;

// The selected objects in selection order when asked for it, else in the
// document's order, as the host gives them; children of selected objects
// only when asked for.
std::vector<Atom*> ActiveObjects(const Document& document, int32_t flags) {
  const std::vector<Atom*> selected = document.SelectedObjects();
  std::vector<Atom*> ordered = selected;
  if ((flags & kSelectionOrder) == 0) {
    ordered.clear();
    for (Atom* object : document.AllObjects()) {
      if (std::find(selected.begin(), selected.end(), object) != selected.end()) {
        ordered.push_back(object);
      }
    }
  }
  std::vector<Atom*> result;
  for (Atom* object : ordered) {
    if ((flags & kWithChildren) != 0 || !HasSelectedAncestor(object, selected)) {
      result.push_back(object);
    }
  }
  return result;
}

// flags: 1 children of selected objects too, 2 in selection order rather
// than hierarchy order.
void DocGetActiveObjects(c4d_atom* handle, c4d_atom_array* selection, int32_t flags) {
  Document* document = ToDocument(handle, "scene.doc_get_active_objects");
  if (document == nullptr) return Fill(selection, {});
  Fill(selection, ActiveObjects(*document, flags));
}

// The filtered call has no flags of its own: its children argument carries
// them (1 children too, 2 selection order), so a module that passes a plain
// Bool gets the document's order, as the host gives it. Type and
// instance_of -1 filter nothing.
void DocGetActiveObjectsFilter(c4d_atom* handle, c4d_atom_array* selection, c4d_bool children,
                               int32_t type, int32_t instance_of) {
  Document* document = ToDocument(handle, "scene.doc_get_active_objects_filter");
  if (document == nullptr) return Fill(selection, {});
  std::vector<Atom*> result;
  for (Atom* object : ActiveObjects(*document, children)) {
    if (type != -1 && object->Type() != type) continue;
    if (instance_of != -1 && !object->IsInstanceOf(instance_of)) continue;
    result.push_back(object);
  }
  Fill(selection, result);
}

void DocGetActiveTags(c4d_atom* handle, c4d_atom_array* selection) {
  Document* document = ToDocument(handle, "scene.doc_get_active_tags");
  Fill(selection, document != nullptr ? document->SelectedTags() : std::vector<Atom*>());
}

void DocInsertObject(c4d_atom* handle, c4d_atom* object, c4d_atom* parent, c4d_atom* pred,
                     c4d_bool check_names) {
  Document* document = ToDocument(handle, "scene.doc_insert_object");
  Atom* atom = Live(object, "scene.doc_insert_object");
  Atom* up = Live(parent, "scene.doc_insert_object");
  Atom* before = Live(pred, "scene.doc_insert_object");
  if (document == nullptr || atom == nullptr || atom->HeldByUndo() ||
      !document->InsertObject(atom, up, before, check_names != 0)) {
    WarnCurrent("scene.doc_insert_object refused");
  }
}

void DocInsertMaterial(c4d_atom* handle, c4d_atom* material, c4d_atom* pred, c4d_bool check_names) {
  Document* document = ToDocument(handle, "scene.doc_insert_material");
  Atom* atom = Live(material, "scene.doc_insert_material");
  Atom* before = Live(pred, "scene.doc_insert_material");
  if (document == nullptr || atom == nullptr || atom->HeldByUndo() ||
      !document->InsertMaterial(atom, before, check_names != 0)) {
    WarnCurrent("scene.doc_insert_material refused");
  }
}

void DocSetActiveObject(c4d_atom* handle, c4d_atom* object, int32_t mode) {
  if (Document* document = ToDocument(handle, "scene.doc_set_active_object")) {
    document->SelectObject(Live(object, "scene.doc_set_active_object"), mode);
  }
}

void DocSetActiveTag(c4d_atom* handle, c4d_atom* tag, int32_t mode) {
  if (Document* document = ToDocument(handle, "scene.doc_set_active_tag")) {
    document->SelectTag(Live(tag, "scene.doc_set_active_tag"), mode);
  }
}

void DocSetActiveMaterial(c4d_atom* handle, c4d_atom* material, int32_t mode) {
  if (Document* document = ToDocument(handle, "scene.doc_set_active_material")) {
    document->SelectMaterial(Live(material, "scene.doc_set_active_material"), mode);
  }
}

c4d_atom* DocGetActiveMaterial(c4d_atom* handle) {
  Document* document = ToDocument(handle, "scene.doc_get_active_material");
  return document != nullptr ? document->ActiveMaterial() : nullptr;
}

c4d_bool DocStartUndo(c4d_atom* handle) {
  Document* document = ToDocument(handle, "scene.doc_start_undo");
  return document != nullptr && document->Undo().Start();
}

c4d_bool DocEndUndo(c4d_atom* handle) {
  Document* document = ToDocument(handle, "scene.doc_end_undo");
  return document != nullptr && document->Undo().End();
}

c4d_bool DocAddUndo(c4d_atom* handle, int32_t type, c4d_atom* element) {
  Document* document = ToDocument(handle, "scene.doc_add_undo");
  return document != nullptr && document->Undo().Add(type, Live(element, "scene.doc_add_undo"));
}

c4d_bool DocDoUndo(c4d_atom* handle, c4d_bool /*multiple*/) {
  Document* document = ToDocument(handle, "scene.doc_do_undo");
  return document != nullptr && document->Undo().Undo();
}

c4d_bool DocDoRedo(c4d_atom* handle) {
  Document* document = ToDocument(handle, "scene.doc_do_redo");
  return document != nullptr && document->Undo().Redo();
}

c4d_atom* DocGetActiveBaseDraw(c4d_atom* handle) {
  Document* document = ToDocument(handle, "scene.doc_get_active_base_draw");
  return document != nullptr ? document->View() : nullptr;
}

c4d_take_data* DocGetTakeData(c4d_atom* handle) {
  Document* document = ToDocument(handle, "scene.doc_get_take_data");
  Host* host = Host::Current();
  if (document == nullptr || host == nullptr || !host->TakesAvailable()) return nullptr;
  return &document->Takes();
}

void DocGetDocumentPath(c4d_atom* handle, c4d_text_sink sink, void* ctx) {
  Document* document = ToDocument(handle, "scene.doc_get_document_path");
  SendText(sink, ctx, document != nullptr ? document->FilePath() : std::string());
}

void DocGetDocumentName(c4d_atom* handle, c4d_text_sink sink, void* ctx) {
  Document* document = ToDocument(handle, "scene.doc_get_document_name");
  SendText(sink, ctx, document != nullptr ? document->Name() : std::string());
}

c4d_atom* DocFindSceneHook(c4d_atom* handle, int32_t id) {
  Document* document = ToDocument(handle, "scene.doc_find_scene_hook");
  return document != nullptr ? document->FindSceneHook(id) : nullptr;
}

// ----------------------------------------------------------- element lists

c4d_atom_array* ArrayAlloc() { return new AtomArray(); }

void ArrayFree(c4d_atom_array* handle) {
  if (handle == nullptr) return;
  AtomArray* array = ToArray(handle);
  if (array == nullptr) {
    WarnCurrent("scene.array_free of a stale list");
    return;
  }
  delete array;
}

int32_t ArrayCount(const c4d_atom_array* handle) {
  const AtomArray* array = ToArray(handle);
  return array != nullptr ? static_cast<int32_t>(array->serials.size()) : 0;
}

c4d_atom* ArrayGet(const c4d_atom_array* handle, int32_t index) {
  const AtomArray* array = ToArray(handle);
  if (array == nullptr || index < 0 || static_cast<size_t>(index) >= array->serials.size()) {
    return nullptr;
  }
  return FindAtom(array->serials[static_cast<size_t>(index)]);
}

c4d_bool ArrayAppend(c4d_atom_array* handle, c4d_atom* atom_handle) {
  AtomArray* array = ToArray(handle);
  Atom* atom = Live(atom_handle, "scene.array_append");
  if (array == nullptr || atom == nullptr) return 0;
  array->serials.push_back(atom->Serial());
  return 1;
}

void ArrayFlush(c4d_atom_array* handle) {
  if (AtomArray* array = ToArray(handle)) array->serials.clear();
}

int32_t ArrayFind(const c4d_atom_array* handle, const c4d_atom* atom_handle) {
  const AtomArray* array = ToArray(handle);
  const Atom* atom = ToAtom(atom_handle);
  if (array == nullptr || atom == nullptr) return -1;
  auto it = std::find(array->serials.begin(), array->serials.end(), atom->Serial());
  return it != array->serials.end() ? static_cast<int32_t>(it - array->serials.begin()) : -1;
}

// ------------------------------------------------------------------- takes

c4d_atom* TakesGetCurrent(c4d_take_data* handle) {
  TakeData* takes = ToTakeData(handle);
  return takes != nullptr ? takes->Current() : nullptr;
}

c4d_atom* TakesGetMain(c4d_take_data* handle) {
  TakeData* takes = ToTakeData(handle);
  return takes != nullptr ? takes->Main() : nullptr;
}

c4d_bool TakesSetCurrent(c4d_take_data* handle, c4d_atom* take) {
  TakeData* takes = ToTakeData(handle);
  return takes != nullptr && takes->SetCurrent(Live(take, "scene.takes_set_current"));
}

c4d_bool TakesGetUndoState(c4d_take_data* handle) {
  TakeData* takes = ToTakeData(handle);
  return takes != nullptr && takes->UndoState();
}

void TakesSetUndoState(c4d_take_data* handle, c4d_bool state) {
  if (TakeData* takes = ToTakeData(handle)) takes->SetUndoState(state != 0);
}

c4d_bool TakeIsMain(c4d_atom* handle) {
  Atom* take = LiveOfKind(handle, AtomKind::kTake, "scene.take_is_main");
  return take != nullptr && static_cast<Take*>(take)->IsMain();
}

c4d_atom* TakeFindOrAddOverrideParam(c4d_atom* take, c4d_take_data* handle, c4d_atom* node,
                                     const c4d_desc_level* levels, int32_t depth,
                                     const c4d_value* override_value, const c4d_value* backup_value,
                                     c4d_bool /*delete_animation*/) {
  TakeData* takes = ToTakeData(handle);
  Value wanted;
  Value backup;
  if (takes == nullptr || override_value == nullptr || !Value::FromC(*override_value, &wanted) ||
      (backup_value != nullptr && !Value::FromC(*backup_value, &backup))) {
    return nullptr;
  }
  return takes->FindOrAddOverrideParam(Live(take, "scene.take_find_or_add_override_param"),
                                       Live(node, "scene.take_find_or_add_override_param"), levels,
                                       depth, wanted, backup);
}

}  // namespace

void FillSceneApi(c4d_scene_api* api) {
  api->get_type = GetType;
  api->is_instance_of = IsInstanceOf;
  api->get_parameter = GetParameter;
  api->set_parameter = SetParameter;
  api->message = Message;
  api->get_data_instance = GetDataInstance;
  api->get_name = GetName;
  api->set_name = SetName;
  api->get_bit = GetBit;
  api->set_bit = SetBit;
  api->del_bit = DelBit;
  api->get_next = GetNext;
  api->get_pred = GetPred;
  api->get_up = GetUp;
  api->get_down = GetDown;
  api->get_down_last = GetDownLast;
  api->insert_under = InsertUnderFirst;
  api->insert_under_last = InsertUnderLast;
  api->remove = Remove;
  api->get_document = GetDocument;
  api->object_alloc = ObjectAlloc;
  api->tag_alloc = TagAlloc;
  api->list2d_alloc = List2dAlloc;
  api->free = Free;
  api->object_get_first_tag = ObjectGetFirstTag;
  api->object_get_tag = ObjectGetTag;
  api->object_make_tag = ObjectMakeTag;
  api->object_insert_tag = ObjectInsertTag;
  api->tag_get_object = TagGetObject;
  api->doc_get_first_object = DocGetFirstObject;
  api->doc_get_first_material = DocGetFirstMaterial;
  api->doc_get_active_object = DocGetActiveObject;
  api->doc_get_active_objects = DocGetActiveObjects;
  api->doc_get_active_objects_filter = DocGetActiveObjectsFilter;
  api->doc_get_active_tags = DocGetActiveTags;
  api->doc_insert_object = DocInsertObject;
  api->doc_insert_material = DocInsertMaterial;
  api->doc_set_active_object = DocSetActiveObject;
  api->doc_set_active_tag = DocSetActiveTag;
  api->doc_set_active_material = DocSetActiveMaterial;
  api->doc_get_active_material = DocGetActiveMaterial;
  api->doc_start_undo = DocStartUndo;
  api->doc_end_undo = DocEndUndo;
  api->doc_add_undo = DocAddUndo;
  api->doc_do_undo = DocDoUndo;
  api->doc_do_redo = DocDoRedo;
  api->doc_get_active_base_draw = DocGetActiveBaseDraw;
  api->doc_get_render_base_draw = DocGetActiveBaseDraw;
  api->doc_get_take_data = DocGetTakeData;
  api->doc_get_document_path = DocGetDocumentPath;
  api->doc_get_document_name = DocGetDocumentName;
  api->doc_find_scene_hook = DocFindSceneHook;
  api->array_alloc = ArrayAlloc;
  api->array_free = ArrayFree;
  api->array_count = ArrayCount;
  api->array_get = ArrayGet;
  api->array_append = ArrayAppend;
  api->array_flush = ArrayFlush;
  api->array_find = ArrayFind;
  api->takes_get_current = TakesGetCurrent;
  api->takes_get_main = TakesGetMain;
  api->takes_set_current = TakesSetCurrent;
  api->takes_get_undo_state = TakesGetUndoState;
  api->takes_set_undo_state = TakesSetUndoState;
  api->take_is_main = TakeIsMain;
  api->take_find_or_add_override_param = TakeFindOrAddOverrideParam;
}

}  // namespace simhost
