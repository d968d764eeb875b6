// Objects, tags, materials, views and documents.
#include "c4d_basedocument.h"
#include "c4d_basedraw.h"
#include "c4d_basematerial.h"
#include "c4d_baseobject.h"
#include "c4d_basetag.h"
#include "c4d_host_private.h"

namespace {

using c4dhost::AtomOf;
using c4dhost::FromAtom;

c4d_atom_array* ArrayOf(const AtomArray& array) {
  return reinterpret_cast<c4d_atom_array*>(const_cast<AtomArray*>(&array));
}

// Frees an element that is not inserted anywhere.
template <typename T>
void FreeAtom(T*& atom) {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr && atom != nullptr) table->scene->free(AtomOf(atom));
  atom = nullptr;
}

}  // namespace

// --------------------------------------------------------------- BaseObject

BaseObject* BaseObject::Alloc(maxon::Int32 type) {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? FromAtom<BaseObject>(table->scene->object_alloc(type)) : nullptr;
}

void BaseObject::Free(BaseObject*& bl) { FreeAtom(bl); }

BaseTag* BaseObject::GetFirstTag() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? FromAtom<BaseTag>(table->scene->object_get_first_tag(AtomOf(this)))
                          : nullptr;
}

BaseTag* BaseObject::GetTag(maxon::Int32 type, maxon::Int32 nr) {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? FromAtom<BaseTag>(table->scene->object_get_tag(AtomOf(this), type, nr))
                          : nullptr;
}

BaseTag* BaseObject::MakeTag(maxon::Int32 type, BaseTag* pred) {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr) return nullptr;
  return FromAtom<BaseTag>(table->scene->object_make_tag(AtomOf(this), type, AtomOf(pred)));
}

void BaseObject::InsertTag(BaseTag* tp, BaseTag* pred) {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr && tp != nullptr) {
    table->scene->object_insert_tag(AtomOf(this), AtomOf(tp), AtomOf(pred));
  }
}

// ------------------------------------------------------------------ BaseTag

BaseTag* BaseTag::Alloc(maxon::Int32 type) {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? FromAtom<BaseTag>(table->scene->tag_alloc(type)) : nullptr;
}

void BaseTag::Free(BaseTag*& bl) { FreeAtom(bl); }

BaseObject* BaseTag::GetObject() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? FromAtom<BaseObject>(table->scene->tag_get_object(AtomOf(this)))
                          : nullptr;
}

// ------------------------------------------------------------- BaseMaterial

BaseMaterial* BaseMaterial::Alloc(maxon::Int32 type) {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? FromAtom<BaseMaterial>(table->scene->list2d_alloc(type)) : nullptr;
}

void BaseMaterial::Free(BaseMaterial*& bl) { FreeAtom(bl); }

// ----------------------------------------------------------------- BaseDraw

GeData BaseDraw::GetParameterData(maxon::Int32 id) {
  GeData data;
  GetParameter(DescID(id), data, DESCFLAGS_GET_0);
  return data;
}

// ------------------------------------------------------------- BaseDocument

BaseObject* BaseDocument::GetFirstObject() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? FromAtom<BaseObject>(table->scene->doc_get_first_object(AtomOf(this)))
                          : nullptr;
}

BaseMaterial* BaseDocument::GetFirstMaterial() {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr) return nullptr;
  return FromAtom<BaseMaterial>(table->scene->doc_get_first_material(AtomOf(this)));
}

BaseObject* BaseDocument::GetActiveObject() {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr) return nullptr;
  return FromAtom<BaseObject>(table->scene->doc_get_active_object(AtomOf(this)));
}

void BaseDocument::GetActiveObjects(AtomArray& selection, GETACTIVEOBJECTFLAGS flags) const {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr) {
    table->scene->doc_get_active_objects(AtomOf(this), ArrayOf(selection), flags);
  }
}

void BaseDocument::GetActiveObjectsFilter(AtomArray& selection, Bool children, maxon::Int32 type,
                                          maxon::Int32 instanceof) const {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr) {
    table->scene->doc_get_active_objects_filter(
        AtomOf(this), ArrayOf(selection), children ? 1 : 0, type, instanceof);
  }
}

void BaseDocument::GetActiveTags(AtomArray& selection) const {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr) table->scene->doc_get_active_tags(AtomOf(this), ArrayOf(selection));
}

void BaseDocument::InsertObject(BaseObject* op, BaseObject* parent, BaseObject* pred,
                                Bool checknames) {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr && op != nullptr) {
    table->scene->doc_insert_object(AtomOf(this), AtomOf(op), AtomOf(parent), AtomOf(pred),
                                    checknames ? 1 : 0);
  }
}

void BaseDocument::InsertMaterial(BaseMaterial* mat, BaseMaterial* pred, Bool checknames) {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr && mat != nullptr) {
    table->scene->doc_insert_material(AtomOf(this), AtomOf(mat), AtomOf(pred), checknames ? 1 : 0);
  }
}

void BaseDocument::SetActiveObject(BaseObject* op, maxon::Int32 mode) {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr) table->scene->doc_set_active_object(AtomOf(this), AtomOf(op), mode);
}

void BaseDocument::SetActiveTag(BaseTag* tag, maxon::Int32 mode) {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr) table->scene->doc_set_active_tag(AtomOf(this), AtomOf(tag), mode);
}

void BaseDocument::SetActiveMaterial(BaseMaterial* mat, maxon::Int32 mode) {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr) table->scene->doc_set_active_material(AtomOf(this), AtomOf(mat), mode);
}

BaseMaterial* BaseDocument::GetActiveMaterial() {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr) return nullptr;
  return FromAtom<BaseMaterial>(table->scene->doc_get_active_material(AtomOf(this)));
}

Bool BaseDocument::StartUndo() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && table->scene->doc_start_undo(AtomOf(this));
}

Bool BaseDocument::EndUndo() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && table->scene->doc_end_undo(AtomOf(this));
}

Bool BaseDocument::AddUndo(UNDOTYPE type, void* data, Bool allowFromThread) {
  (void)allowFromThread;
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr) return false;
  return table->scene->doc_add_undo(AtomOf(this), type, static_cast<c4d_atom*>(data)) != 0;
}

Bool BaseDocument::AddUndo(BaseDraw* bd) { return AddUndo(UNDOTYPE_CHANGE, bd); }

Bool BaseDocument::DoUndo(Bool multiple) {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && table->scene->doc_do_undo(AtomOf(this), multiple ? 1 : 0);
}

Bool BaseDocument::DoRedo() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && table->scene->doc_do_redo(AtomOf(this));
}

BaseDraw* BaseDocument::GetActiveBaseDraw() {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr) return nullptr;
  return FromAtom<BaseDraw>(table->scene->doc_get_active_base_draw(AtomOf(this)));
}

BaseDraw* BaseDocument::GetRenderBaseDraw() {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr) return nullptr;
  return FromAtom<BaseDraw>(table->scene->doc_get_render_base_draw(AtomOf(this)));
}

#ifndef C4D_API_R14
TakeData* BaseDocument::GetTakeData() {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr) return nullptr;
  return reinterpret_cast<TakeData*>(table->scene->doc_get_take_data(AtomOf(this)));
}
#endif

Filename BaseDocument::GetDocumentPath() {
  const c4d_function_table* table = c4dhost::Table();
  c4dhost::TextReceiver receiver;
  if (table != nullptr) {
    table->scene->doc_get_document_path(AtomOf(this), &c4dhost::TextReceiver::Sink,
                                        receiver.Context());
  }
  return receiver.GetFilename();
}

Filename BaseDocument::GetDocumentName() {
  const c4d_function_table* table = c4dhost::Table();
  c4dhost::TextReceiver receiver;
  if (table != nullptr) {
    table->scene->doc_get_document_name(AtomOf(this), &c4dhost::TextReceiver::Sink,
                                        receiver.Context());
  }
  return receiver.GetFilename();
}

BaseSceneHook* BaseDocument::FindSceneHook(maxon::Int32 id) const {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr) return nullptr;
  return FromAtom<BaseSceneHook>(table->scene->doc_find_scene_hook(AtomOf(this), id));
}

BaseDocument* GetActiveDocument() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? FromAtom<BaseDocument>(table->general->get_active_document()) : nullptr;
}
