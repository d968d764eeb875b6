// Scene elements: every document, object, tag, material, view, take, take
// override and scene-hook node is an Atom with a data container, a name,
// bits, a log of the messages it received and a place in one list.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "element_types.h"
#include "handles.h"
#include "values/container.h"

namespace simhost {

class Atom;
class Document;

// Where a list sits below its holder; decides what get_up answers.
enum class ListRole { kChildren, kTags, kTopLevel };

// A list of sibling elements. It owns the elements inserted into it and
// deletes those still inside when it goes.
class AtomList {
 public:
  AtomList(Atom* holder, ListRole role) : holder_(holder), role_(role) {}
  ~AtomList();
  AtomList(const AtomList&) = delete;
  AtomList& operator=(const AtomList&) = delete;

  Atom* Holder() const { return holder_; }
  ListRole Role() const { return role_; }
  Atom* First() const { return first_; }
  Atom* Last() const { return last_; }
  std::vector<Atom*> Items() const;
  // pred null: insert first. The element must not be in a list.
  void InsertAfter(Atom* pred, Atom* atom);
  void InsertLast(Atom* atom);
  void Unlink(Atom* atom);

 private:
  Atom* holder_;
  ListRole role_;
  Atom* first_ = nullptr;
  Atom* last_ = nullptr;
};

struct MessageRecord {
  int32_t type;
  bool with_data;
};

// The state an undo step restores: data, name and bits of one element.
struct AtomState {
  uint64_t serial;
  Container data;
  std::string name;
  uint32_t bits;
};

class Atom : public TrackedHandle<c4d_atom> {
 public:
  // An element of a known type with that type's start values.
  static std::unique_ptr<Atom> Create(int32_t type);
  Atom(AtomKind kind, int32_t type, std::string name);
  virtual ~Atom();
  Atom(const Atom&) = delete;
  Atom& operator=(const Atom&) = delete;

  uint64_t Serial() const { return serial_; }
  AtomKind Kind() const { return kind_; }
  int32_t Type() const { return type_; }
  bool IsInstanceOf(int32_t type) const;
  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  // Name and type for messages and listings: HDRI "Sky" (type 1035165).
  std::string Label() const;
  Container& Data() { return data_; }
  const Container& Data() const { return data_; }
  uint32_t Bits() const { return bits_; }
  void SetBits(uint32_t bits) { bits_ = bits; }

  // Parameters by id path; first level reads the data container, further
  // levels go into nested containers. Known parameters answer their start
  // value when the container lacks them; the kind of a known parameter is
  // fixed.
  virtual bool GetParameter(const c4d_desc_level* levels, int32_t depth, Value* out) const;
  virtual bool SetParameter(const c4d_desc_level* levels, int32_t depth, const Value& value);
  // Records the message (the newest kMessagesKept or more are kept);
  // scene-hook nodes also pass it to their hook.
  static constexpr size_t kMessagesKept = 1000;
  virtual bool Message(int32_t type, void* data);
  const std::vector<MessageRecord>& Messages() const { return messages_; }
  // Keeps a value handed to the module, whose text it points into, until
  // enough later reads of this element have pushed it out.
  const Value& KeepHandedOut(Value value);
  // Set while an undone step holds the element out of its document: the
  // host owns it then and the module may not free it.
  bool HeldByUndo() const { return held_by_undo_; }
  void SetHeldByUndo(bool held) { held_by_undo_ = held; }
  bool Received(int32_t type) const;

  // Hierarchy.
  AtomList* List() const { return list_; }
  Atom* Next() const { return next_; }
  Atom* Pred() const { return pred_; }
  Atom* Up() const;
  AtomList& Children() { return children_; }
  const AtomList& Children() const { return children_; }
  AtomList& Tags() { return tags_; }
  const AtomList& Tags() const { return tags_; }
  // The object a tag sits on, else null.
  Atom* TagOwner() const;
  bool IsBelow(const Atom* ancestor) const;
  virtual Document* GetDocument() const;
  // Elements fixed to a document (view, main take, hook nodes, overrides).
  void SetHome(Document* home) { home_ = home; }

  // The states an undo step of the given type keeps: the element alone, or
  // with its tags and everything below it.
  std::vector<AtomState> CaptureStates(bool with_children);
  static void RestoreStates(const std::vector<AtomState>& states);

 private:
  friend class AtomList;
  void CaptureInto(bool with_children, std::vector<AtomState>* states);

  uint64_t serial_;
  AtomKind kind_;
  int32_t type_;
  std::string name_;
  uint32_t bits_ = 0;
  Container data_;
  std::vector<MessageRecord> messages_;
  std::deque<std::unique_ptr<Value>> handed_out_;  // stable addresses
  bool held_by_undo_ = false;
  AtomList* list_ = nullptr;
  Atom* next_ = nullptr;
  Atom* pred_ = nullptr;
  Document* home_ = nullptr;
  AtomList children_;
  AtomList tags_;
};

// The atom behind a handle; null for null, stale or foreign handles.
inline Atom* ToAtom(c4d_atom* handle) { return FromHandle<Atom>(handle); }
inline const Atom* ToAtom(const c4d_atom* handle) { return FromHandle<Atom>(handle); }
// The living atom with that serial number, else null.
Atom* FindAtom(uint64_t serial);

// Bits of elements.
constexpr uint32_t kBitActive = 2;

}  // namespace simhost
