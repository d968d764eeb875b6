#include "document.h"

#include <algorithm>

namespace simhost {

namespace {

bool IsKind(const Atom* atom, AtomKind kind) { return atom != nullptr && atom->Kind() == kind; }

void Erase(std::vector<uint64_t>* list, uint64_t serial) {
  list->erase(std::remove(list->begin(), list->end(), serial), list->end());
}

}  // namespace

Document::Document(std::string name)
    : Atom(AtomKind::kDocument, type_id::kDocument, std::move(name)),
      objects_(this, ListRole::kTopLevel),
      materials_(this, ListRole::kTopLevel),
      view_(Atom::Create(type_id::kView)),
      takes_(this),
      undo_(this) {
  view_->SetHome(this);
}

Document::~Document() { RemoveAllHookNodes(); }

bool Document::OwnsObject(const Atom* atom) const {
  return IsKind(atom, AtomKind::kObject) && atom->GetDocument() == this;
}

bool Document::InsertObject(Atom* object, Atom* parent, Atom* pred, bool check_names) {
  if (!IsKind(object, AtomKind::kObject)) return false;
  if (pred != nullptr && !OwnsObject(pred)) return false;
  if (pred == nullptr && parent != nullptr && !OwnsObject(parent)) return false;
  Atom* new_parent = pred != nullptr ? pred->Up() : parent;
  if (new_parent == object || pred == object ||
      (new_parent != nullptr && new_parent->IsBelow(object))) {
    return false;  // an object cannot go below itself
  }
  Detach(object);
  AtomList& list = pred != nullptr     ? *pred->List()
                   : parent != nullptr ? parent->Children()
                                       : objects_;
  if (check_names) MakeNameUnique(object, AllObjects());
  list.InsertAfter(pred, object);
  NotifyInserted(object, C4D_DOCUMENT_INFO_OBJECT_INSERT);
  return true;
}

bool Document::InsertMaterial(Atom* material, Atom* pred, bool check_names) {
  if (!IsKind(material, AtomKind::kMaterial) || material == pred) return false;
  if (pred != nullptr && pred->List() != &materials_) return false;
  Detach(material);
  if (check_names) MakeNameUnique(material, materials_.Items());
  materials_.InsertAfter(pred, material);
  NotifyInserted(material, C4D_DOCUMENT_INFO_MATERIAL_INSERT);
  return true;
}

bool Document::InsertTag(Atom* object, Atom* tag, Atom* pred) {
  if (!IsKind(object, AtomKind::kObject) || !IsKind(tag, AtomKind::kTag) || tag == pred) {
    return false;
  }
  if (pred != nullptr && pred->List() != &object->Tags()) return false;
  Detach(tag);
  object->Tags().InsertAfter(pred, tag);
  if (object->GetDocument() == this) NotifyInserted(tag, C4D_DOCUMENT_INFO_TAG_INSERT);
  return true;
}

void Document::Detach(Atom* atom) {
  if (atom->List() == nullptr) return;
  Document* document = atom->GetDocument();
  if (document != nullptr) {
    Erase(&document->selected_objects_, atom->Serial());
    Erase(&document->selected_tags_, atom->Serial());
    Erase(&document->selected_materials_, atom->Serial());
  }
  atom->List()->Unlink(atom);
}

namespace {

std::unique_ptr<Atom> NewElement(int32_t type, AtomKind kind, const std::string& name) {
  std::unique_ptr<Atom> atom = Atom::Create(type);
  if (!atom || atom->Kind() != kind) return nullptr;
  if (!name.empty()) atom->SetName(name);
  return atom;
}

}  // namespace

Atom* Document::AddObject(int32_t type, const std::string& name, Atom* parent) {
  std::unique_ptr<Atom> object = NewElement(type, AtomKind::kObject, name);
  if (!object || (parent != nullptr && !OwnsObject(parent))) return nullptr;
  Atom* pred = parent != nullptr ? parent->Children().Last() : objects_.Last();
  // pred decides the place; parent only matters when there is none.
  if (!InsertObject(object.get(), parent, pred, false)) return nullptr;
  return object.release();
}

Atom* Document::AddTag(Atom* object, int32_t type, const std::string& name) {
  std::unique_ptr<Atom> tag = NewElement(type, AtomKind::kTag, name);
  if (!tag || !OwnsObject(object)) return nullptr;
  if (!InsertTag(object, tag.get(), object->Tags().Last())) return nullptr;
  return tag.release();
}

Atom* Document::AddHdriTag(Atom* object, int32_t mode, const std::string& name) {
  if (!OwnsObject(object)) return nullptr;
  // The mode is set before the tag goes in, so the scene hooks see it.
  std::unique_ptr<Atom> tag = NewElement(type_id::kHdriTag, AtomKind::kTag, name);
  tag->Data().Set(param_id::kHdriTagMode, Value::Int32(mode));
  if (!InsertTag(object, tag.get(), object->Tags().Last())) return nullptr;
  return tag.release();
}

Atom* Document::AddMaterial(const std::string& name) {
  std::unique_ptr<Atom> material = NewElement(type_id::kMaterial, AtomKind::kMaterial, name);
  if (!InsertMaterial(material.get(), materials_.Last(), false)) return nullptr;
  return material.release();
}

void Document::SelectObjects(const std::vector<Atom*>& objects) {
  SelectObject(nullptr, selection_mode::kNew);
  for (Atom* object : objects) SelectObject(object, selection_mode::kAdd);
}

void Document::SelectTags(const std::vector<Atom*>& tags) {
  SelectTag(nullptr, selection_mode::kNew);
  for (Atom* tag : tags) SelectTag(tag, selection_mode::kAdd);
}

void Document::MakeNameUnique(Atom* atom, const std::vector<Atom*>& others) {
  auto taken = [&](const std::string& name) {
    return std::any_of(others.begin(), others.end(),
                       [&](const Atom* other) { return other != atom && other->Name() == name; });
  };
  const std::string base = atom->Name();
  std::string name = base;
  for (int n = 1; taken(name); ++n) name = base + "." + std::to_string(n);
  atom->SetName(name);
}

void Document::NotifyInserted(Atom* element, int32_t subtype) {
  c4d_document_info info{};
  info.type = subtype;
  info.file_format = -1;
  info.document = this;
  info.file_name = "";
  info.element = element;
  info.gui_allowed = 1;
  SendDocumentInfo(info);
}

// ---------------------------------------------------------------- selection

void Document::Select(std::vector<uint64_t>* list, AtomKind kind, Atom* atom, int32_t mode) {
  if (mode == selection_mode::kNew) {
    for (Atom* old : Resolve(*list, kind)) {
      old->SetBits(old->Bits() & ~kBitActive);
    }
    list->clear();
  }
  if (atom == nullptr || atom->GetDocument() != this) return;
  Erase(list, atom->Serial());
  if (mode == selection_mode::kSub) {
    atom->SetBits(atom->Bits() & ~kBitActive);
  } else {
    list->push_back(atom->Serial());
    atom->SetBits(atom->Bits() | kBitActive);
  }
}

void Document::SelectObject(Atom* object, int32_t mode) {
  if (object != nullptr && !OwnsObject(object)) return;
  Select(&selected_objects_, AtomKind::kObject, object, mode);
}

void Document::SelectTag(Atom* tag, int32_t mode) {
  if (tag != nullptr && (!IsKind(tag, AtomKind::kTag) || tag->GetDocument() != this)) return;
  Select(&selected_tags_, AtomKind::kTag, tag, mode);
}

void Document::SelectMaterial(Atom* material, int32_t mode) {
  if (material != nullptr &&
      (!IsKind(material, AtomKind::kMaterial) || material->GetDocument() != this)) {
    return;
  }
  Select(&selected_materials_, AtomKind::kMaterial, material, mode);
}

void Document::SetSelected(Atom* atom, bool selected) {
  const int32_t mode = selected ? selection_mode::kAdd : selection_mode::kSub;
  if (IsKind(atom, AtomKind::kObject)) {
    SelectObject(atom, mode);
  } else if (IsKind(atom, AtomKind::kTag)) {
    SelectTag(atom, mode);
  } else if (IsKind(atom, AtomKind::kMaterial)) {
    SelectMaterial(atom, mode);
  }
}

std::vector<Atom*> Document::Resolve(const std::vector<uint64_t>& serials, AtomKind kind) const {
  std::vector<Atom*> atoms;
  for (uint64_t serial : serials) {
    Atom* atom = FindAtom(serial);
    if (IsKind(atom, kind) && atom->GetDocument() == this) atoms.push_back(atom);
  }
  return atoms;
}

std::vector<Atom*> Document::SelectedObjects() const {
  return Resolve(selected_objects_, AtomKind::kObject);
}

std::vector<Atom*> Document::SelectedTags() const {
  return Resolve(selected_tags_, AtomKind::kTag);
}

std::vector<Atom*> Document::SelectedMaterials() const {
  return Resolve(selected_materials_, AtomKind::kMaterial);
}

Atom* Document::ActiveObject() const {
  std::vector<Atom*> selected = SelectedObjects();
  return selected.empty() ? nullptr : selected.back();
}

Atom* Document::ActiveMaterial() const {
  std::vector<Atom*> selected = SelectedMaterials();
  return selected.empty() ? nullptr : selected.back();
}

SelectionState Document::CaptureSelection() const {
  return {selected_objects_, selected_tags_, selected_materials_};
}

void Document::RestoreSelection(const SelectionState& state) {
  for (Atom* atom : SelectedObjects()) atom->SetBits(atom->Bits() & ~kBitActive);
  for (Atom* atom : SelectedTags()) atom->SetBits(atom->Bits() & ~kBitActive);
  for (Atom* atom : SelectedMaterials()) atom->SetBits(atom->Bits() & ~kBitActive);
  selected_objects_ = state.objects;
  selected_tags_ = state.tags;
  selected_materials_ = state.materials;
  for (Atom* atom : SelectedObjects()) atom->SetBits(atom->Bits() | kBitActive);
  for (Atom* atom : SelectedTags()) atom->SetBits(atom->Bits() | kBitActive);
  for (Atom* atom : SelectedMaterials()) atom->SetBits(atom->Bits() | kBitActive);
}

// -------------------------------------------------------------------- walks

std::vector<Atom*> Document::AllObjects() const {
  std::vector<Atom*> all;
  std::vector<Atom*> pending = objects_.Items();
  std::reverse(pending.begin(), pending.end());
  while (!pending.empty()) {
    Atom* atom = pending.back();
    pending.pop_back();
    all.push_back(atom);
    std::vector<Atom*> children = atom->Children().Items();
    pending.insert(pending.end(), children.rbegin(), children.rend());
  }
  return all;
}

std::vector<Atom*> Document::ReceiversOf(int32_t message) const {
  std::vector<Atom*> candidates{const_cast<Document*>(this)};
  for (Atom* object : AllObjects()) {
    candidates.push_back(object);
    for (Atom* tag : object->Tags().Items()) candidates.push_back(tag);
  }
  for (Atom* material : materials_.Items()) candidates.push_back(material);
  candidates.push_back(view_.get());
  std::vector<Atom*> receivers;
  for (Atom* atom : candidates) {
    if (atom->Received(message)) receivers.push_back(atom);
  }
  return receivers;
}

// -------------------------------------------------------------- scene hooks

void Document::AddHookNode(std::unique_ptr<SceneHookNode> node) {
  hook_nodes_.push_back(std::move(node));
}

void Document::RemoveHookNodes(int32_t hook_id) {
  for (auto& node : hook_nodes_) {
    if (node->HookId() == hook_id) node->Release();
  }
  hook_nodes_.erase(std::remove_if(hook_nodes_.begin(), hook_nodes_.end(),
                                   [&](const auto& node) { return node->HookId() == hook_id; }),
                    hook_nodes_.end());
}

void Document::RemoveAllHookNodes() {
  for (auto& node : hook_nodes_) node->Release();
  hook_nodes_.clear();
}

SceneHookNode* Document::FindSceneHook(int32_t id) const {
  for (const auto& node : hook_nodes_) {
    if (node->HookId() == id) return node.get();
  }
  return nullptr;
}

int Document::SendDocumentInfo(const c4d_document_info& info) {
  int delivered = 0;
  // A hook may register or remove nothing here, but copy the list anyway:
  // the message runs module code.
  std::vector<SceneHookNode*> nodes;
  for (const auto& node : hook_nodes_) nodes.push_back(node.get());
  for (SceneHookNode* node : nodes) {
    c4d_document_info copy = info;
    node->Message(C4D_MSG_DOCUMENT_INFO, &copy);
    ++delivered;
  }
  return delivered;
}

}  // namespace simhost
