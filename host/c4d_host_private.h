// Internals of the host layer: the table accessor, text and value
// conversion across the function table, and the per-module caches.
// Plug-in code never includes this header.
#ifndef C4D_HOST_PRIVATE_H__
#define C4D_HOST_PRIVATE_H__

#include <string>

#include "c4d_basecontainer.h"
#include "c4d_file.h"
#include "c4d_function_table.h"
#include "c4d_gedata.h"
#include "c4d_string.h"

class C4DAtom;
class DescID;

namespace c4dhost {

// The host's table, or nullptr while none was accepted. Every host call
// goes through here.
const c4d_function_table* Table();

// The module's own file path as the host gave it; nullptr before system
// initialisation and after the end.
const Filename* ModulePath();

// ------------------------------------------------------------------ text

// Text for a zero-terminated argument. A zero-terminated string cannot
// carry a NUL character, so one inside the text is passed on as U+FFFD
// rather than silently ending the text there.
std::string Utf8(const String& text);
std::string Utf8(const Filename& path);
// Every character as it is, NUL included, for arguments that carry a length.
std::string Utf8Bytes(const String& text);
// Whether text holds a NUL character. A path holding one names no file or
// folder: path arguments check this before they cross the table.
bool HoldsNul(const String& text);
bool HoldsNul(const Filename& path);
String StringFromUtf8(const char* text, int64_t length);

// Collects the text the host delivers through a c4d_text_sink.
class TextReceiver {
 public:
  static void Sink(void* ctx, const char* text, int64_t length);
  void* Context() { return this; }
  String GetString() const { return StringFromUtf8(bytes_.data(), bytes_.size()); }
  Filename GetFilename() const { return Filename(GetString()); }

 private:
  std::string bytes_;
};

// --------------------------------------------------------------- values

// A GeData as a c4d_value, with the storage the value borrows from.
class HostValue {
 public:
  explicit HostValue(const GeData& data);
  ~HostValue();
  HostValue(const HostValue&) = delete;
  HostValue& operator=(const HostValue&) = delete;

  const c4d_value* Get() const { return &value_; }

 private:
  c4d_value value_;
  std::string text_;
  c4d_container* nested_ = nullptr;
};

// The value the host handed back; kinds this layer does not know give DA_NIL.
GeData DataFromValue(const c4d_value& value);

// A host container holding a copy of a BaseContainer, destroyed with this
// object. Get() is nullptr without a table or when the host is out of memory.
class ScopedHostContainer {
 public:
  explicit ScopedHostContainer(const BaseContainer& source);
  // An empty host container.
  ScopedHostContainer();
  ~ScopedHostContainer();
  ScopedHostContainer(const ScopedHostContainer&) = delete;
  ScopedHostContainer& operator=(const ScopedHostContainer&) = delete;

  c4d_container* Get() const { return handle_; }

 private:
  c4d_container* handle_ = nullptr;
};

// What the value conversion needs of BaseContainer's insides.
struct ContainerAccess {
  static BaseContainer* NewBound(c4d_container* handle);
  // Calls visit(key, value) for each entry of a plain container, in order.
  template <typename F>
  static void ForEachEntry(const BaseContainer& container, F visit) {
    for (const BaseContainer::Entry& entry : container.entries_) visit(entry.key, entry.value);
  }
  static c4d_container* Handle(const BaseContainer& container) { return container.bound_; }
};

// Deep copies between BaseContainer and host containers.
void ReadHostContainer(const c4d_container* source, BaseContainer* target);
void WriteHostContainer(const BaseContainer& source, c4d_container* target);
// The BaseContainer a host message arrives as (empty for nullptr).
BaseContainer ContainerFromHost(const c4d_container* source);

// A BaseContainer whose reads and writes go straight to the host container.
// Owned by the module cache; the same object is returned for one handle.
BaseContainer* BoundContainer(c4d_container* handle);

// Storage for BaseList2D::GetName, one slot per element.
String& NameSlot(const c4d_atom* atom);

// Empties the module caches; run by the end work.
void ClearModuleCaches();

// ---------------------------------------------------------------- atoms

inline c4d_atom* AtomOf(const C4DAtom* atom) {
  return reinterpret_cast<c4d_atom*>(const_cast<C4DAtom*>(atom));
}

template <typename T>
T* FromAtom(c4d_atom* atom) {
  return reinterpret_cast<T*>(atom);
}

// The levels of a DescID in the table's layout; at most kMaxDescLevels.
enum { kMaxDescLevels = 8 };
int32_t DescLevels(const DescID& id, c4d_desc_level* levels);

// Runs body, turning an escaping exception into fallback: nothing may
// unwind through the host's C frames.
template <typename R, typename F>
R Guarded(R fallback, F body) {
  try {
    return body();
  } catch (...) {
    return fallback;
  }
}

template <typename F>
void GuardedVoid(F body) {
  try {
    body();
  } catch (...) {
  }
}

}  // namespace c4dhost

#endif  // C4D_HOST_PRIVATE_H__
