// BaseContainer: values by id, in the order they were first set.
//
// A container is either a plain value or bound to a container the host owns
// (a scene element's data): then every read and write goes to the host.
#ifndef C4D_BASECONTAINER_H__
#define C4D_BASECONTAINER_H__

#include <vector>

#include "c4d_gedata.h"
#include "ge_prepass.h"

struct c4d_container;
class AliasTrans;
class BaseDocument;
class BaseList2D;

namespace c4dhost {
struct ContainerAccess;
}

class BaseContainer {
 public:
  BaseContainer() {}
  explicit BaseContainer(maxon::Int32 id) : id_(id) {}
  // A copy of a bound container is a plain one.
  BaseContainer(const BaseContainer& n);
  ~BaseContainer() {}

  // Writes through when this container is bound.
  const BaseContainer& operator=(const BaseContainer& n);
  Bool operator==(const BaseContainer& d) const;
  Bool operator!=(const BaseContainer& d) const { return !(*this == d); }

  maxon::Int32 GetId() const;
  void SetId(maxon::Int32 c_id);
  void FlushAll();

  Bool GetBool(maxon::Int32 id, Bool preset = false) const;
#ifdef C4D_API_R14
  LONG GetLong(LONG id, LONG preset = 0) const;
  LLONG GetLLong(LONG id, LLONG preset = 0) const;
  Real GetReal(LONG id, Real preset = 0.0) const;
  void SetLong(LONG id, LONG l);
  void SetLLong(LONG id, LLONG l);
  void SetReal(LONG id, Real r);
#else
  Int32 GetInt32(Int32 id, Int32 preset = 0) const;
  Int64 GetInt64(Int32 id, Int64 preset = 0) const;
  UInt32 GetUInt32(Int32 id, UInt32 preset = 0) const;
  Float GetFloat(Int32 id, Float preset = 0.0) const;
  void SetInt32(Int32 id, Int32 l);
  void SetInt64(Int32 id, Int64 l);
  void SetUInt32(Int32 id, UInt32 l);
  void SetFloat(Int32 id, Float r);
#endif
  String GetString(maxon::Int32 id, const String& preset = String()) const;
  Filename GetFilename(maxon::Int32 id, const Filename& preset = Filename()) const;
  // A copy of the container under id; empty when there is none.
  BaseContainer GetContainer(maxon::Int32 id) const;
  // The container under id itself, or nullptr.
  BaseContainer* GetContainerInstance(maxon::Int32 id);
  const BaseContainer* GetContainerInstance(maxon::Int32 id) const;
  // The value under id, or a DA_NIL value. For a bound container the
  // reference lasts until the next read of this container.
  const GeData& GetData(maxon::Int32 id) const;
  const GeData* GetDataPointer(maxon::Int32 id) const;
  maxon::Int32 GetType(maxon::Int32 id) const;
  BaseList2D* GetLink(maxon::Int32 id, const BaseDocument* doc, maxon::Int32 instanceof = 0) const;

  void SetBool(maxon::Int32 id, Bool b);
  void SetString(maxon::Int32 id, const String& s);
  void SetFilename(maxon::Int32 id, const Filename& f);
  void SetContainer(maxon::Int32 id, const BaseContainer& s);
  void SetLink(maxon::Int32 id, BaseList2D* link);
  GeData* SetData(maxon::Int32 id, const GeData& n);
  // Appends even when id is present already.
  GeData* InsData(maxon::Int32 id, const GeData& n);
  Bool RemoveData(maxon::Int32 id);

  // Index of id, -1 when absent.
  maxon::Int32 FindIndex(maxon::Int32 id, GeData** ppData = nullptr) const;
  // Id at index, NOTOK when out of range.
  maxon::Int32 GetIndexId(maxon::Int32 index) const;

  BaseContainer* GetClone(COPYFLAGS flags, AliasTrans* trans) const;
  Bool CopyTo(BaseContainer* dst, COPYFLAGS flags, AliasTrans* trans) const;
  // Sets every value of src in this container.
  void MergeContainer(const BaseContainer& src);

 private:
  friend struct c4dhost::ContainerAccess;

  struct Entry {
    maxon::Int32 key;
    GeData value;
  };

  // Primitives that serve both a plain and a bound container.
  GeData* WriteEntry(maxon::Int32 key, const GeData& value);
  maxon::Int32 EntryCount() const;
  maxon::Int32 KeyAt(maxon::Int32 index) const;
  const GeData* FindEntry(maxon::Int32 key) const;

  maxon::Int32 id_ = 0;
  std::vector<Entry> entries_;
  c4d_container* bound_ = nullptr;
  mutable GeData scratch_;
};

#endif  // C4D_BASECONTAINER_H__
