// A document: objects with their tags, materials, one view, takes, undo,
// selections kept in the order they were made, and one instance of each
// registered scene hook.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "atom.h"
#include "scene_hook_node.h"
#include "takes.h"
#include "undo.h"

namespace simhost {

// Selection modes of the set_active calls.
namespace selection_mode {
constexpr int32_t kNew = 0;
constexpr int32_t kAdd = 1;
constexpr int32_t kSub = 2;
}  // namespace selection_mode

class Document : public Atom {
 public:
  explicit Document(std::string name);
  ~Document() override;

  Document* GetDocument() const override { return const_cast<Document*>(this); }
  AtomList& Objects() { return objects_; }
  const AtomList& Objects() const { return objects_; }
  AtomList& Materials() { return materials_; }
  const AtomList& Materials() const { return materials_; }
  Atom* View() const { return view_.get(); }
  TakeData& Takes() { return takes_; }
  const TakeData& Takes() const { return takes_; }
  UndoStack& Undo() { return undo_; }
  const UndoStack& Undo() const { return undo_; }
  const std::string& FilePath() const { return file_path_; }
  void SetFilePath(std::string path) { file_path_ = std::move(path); }

  // Insertion. Each takes ownership of the element, refuses elements of the
  // wrong kind, foreign parents and cycles, and tells the scene hooks.
  // pred wins over parent; neither puts the object first at the top.
  bool InsertObject(Atom* object, Atom* parent, Atom* pred, bool check_names);
  bool InsertMaterial(Atom* material, Atom* pred, bool check_names);
  // pred null: the tag becomes the object's first tag.
  bool InsertTag(Atom* object, Atom* tag, Atom* pred);
  // Takes out of its list, drops it from the selections; the caller owns it.
  static void Detach(Atom* atom);

  // Building scenes from the host's side (tests, the session program). Each
  // puts a new element of a known type last among its siblings and tells
  // the scene hooks like any insertion; null for a type of another kind.
  // An empty name keeps the type's default name.
  Atom* AddObject(int32_t type, const std::string& name = "", Atom* parent = nullptr);
  Atom* AddTag(Atom* object, int32_t type, const std::string& name = "");
  // An HDRI tag whose mode (container id 3000) is mode.
  Atom* AddHdriTag(Atom* object, int32_t mode, const std::string& name = "");
  Atom* AddMaterial(const std::string& name = "");
  // A new selection, in exactly this order.
  void SelectObjects(const std::vector<Atom*>& objects);
  void SelectTags(const std::vector<Atom*>& tags);

  // Selections in the order they were made.
  void SelectObject(Atom* object, int32_t mode);
  void SelectTag(Atom* tag, int32_t mode);
  void SelectMaterial(Atom* material, int32_t mode);
  // Follows set_bit/del_bit of the active bit.
  void SetSelected(Atom* atom, bool selected);
  std::vector<Atom*> SelectedObjects() const;
  std::vector<Atom*> SelectedTags() const;
  std::vector<Atom*> SelectedMaterials() const;
  Atom* ActiveObject() const;    // the most recently selected
  Atom* ActiveMaterial() const;  // the most recently selected
  SelectionState CaptureSelection() const;
  void RestoreSelection(const SelectionState& state);

  // Every object, depth first, in hierarchy order.
  std::vector<Atom*> AllObjects() const;
  // Every element below the document that received the message.
  std::vector<Atom*> ReceiversOf(int32_t message) const;

  // Scene hooks.
  void AddHookNode(std::unique_ptr<SceneHookNode> node);
  void RemoveHookNodes(int32_t hook_id);
  void RemoveAllHookNodes();
  SceneHookNode* FindSceneHook(int32_t id) const;
  // Sends C4D_MSG_DOCUMENT_INFO with a copy of info to every hook instance;
  // returns how many instances got it.
  int SendDocumentInfo(const c4d_document_info& info);

  // The whole document as text: hierarchy, every value, selections, takes.
  std::string Describe() const;

 private:
  bool OwnsObject(const Atom* atom) const;
  void NotifyInserted(Atom* element, int32_t subtype);
  void MakeNameUnique(Atom* atom, const std::vector<Atom*>& siblings);
  std::vector<Atom*> Resolve(const std::vector<uint64_t>& serials, AtomKind kind) const;
  void Select(std::vector<uint64_t>* list, AtomKind kind, Atom* atom, int32_t mode);

  AtomList objects_;
  AtomList materials_;
  std::unique_ptr<Atom> view_;
  TakeData takes_;
  UndoStack undo_;
  std::string file_path_;
  std::vector<uint64_t> selected_objects_;
  std::vector<uint64_t> selected_tags_;
  std::vector<uint64_t> selected_materials_;
  std::vector<std::unique_ptr<SceneHookNode>> hook_nodes_;
};

// A parameter id as the listings print it: "[2002 HDRI file]" for a named
// parameter of an element of this type, "[1000.2]" for others.
std::string ParameterIdText(int32_t type, const std::vector<c4d_desc_level>& id);

}  // namespace simhost
