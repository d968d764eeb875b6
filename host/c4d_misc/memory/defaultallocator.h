// Heap allocation of the plug-in API: failure gives nullptr, never an
// exception.
#ifndef C4D_MISC_MEMORY_DEFAULTALLOCATOR_H__
#define C4D_MISC_MEMORY_DEFAULTALLOCATOR_H__

#include <stdlib.h>
#include <string.h>

#include <new>
#include <tuple>
#include <utility>

#include "c4d_misc/general.h"

namespace maxon {

// Marks the end of a NewObj argument list, so that NewObj(T) needs no empty
// variadic macro argument.
struct NewObjArgumentsEnd {};

// The indices 0 to N-1 as a type (std::index_sequence is C++14; plug-ins
// built against the host's SDK are C++11).
template <size_t... I>
struct IndexList {};
template <size_t N, size_t... I>
struct MakeIndexList : MakeIndexList<N - 1, N - 1, I...> {};
template <size_t... I>
struct MakeIndexList<0, I...> {
  typedef IndexList<I...> Type;
};

class DefaultAllocator {
 public:
  static void* Alloc(Int size) { return size > 0 ? malloc(static_cast<size_t>(size)) : nullptr; }
  static void* AllocClear(Int size) {
    return size > 0 ? calloc(1, static_cast<size_t>(size)) : nullptr;
  }
  static void* Realloc(void* p, Int size) {
    return size > 0 ? realloc(p, static_cast<size_t>(size)) : nullptr;
  }
  static void Free(void* p) { free(p); }

  // Objects live in operator-new memory so that deleting them through a
  // base pointer with a virtual destructor frees the right block.
  template <typename T, typename... ARGS>
  static T* NewObject(bool clear, ARGS&&... args) {
    void* memory = ::operator new(sizeof(T), std::nothrow);
    if (memory == nullptr) return nullptr;
    if (clear) memset(memory, 0, sizeof(T));
    return new (memory) T(std::forward<ARGS>(args)...);
  }

  template <typename T, typename... ARGS>
  static T* NewObjectTerminated(bool clear, ARGS&&... args) {
    return NewFromTuple<T>(clear, std::forward_as_tuple(std::forward<ARGS>(args)...),
                           typename MakeIndexList<sizeof...(ARGS) - 1>::Type());
  }

  template <typename T>
  static void Delete(T* object) {
    delete object;
  }

 private:
  template <typename T, typename TUPLE, size_t... I>
  static T* NewFromTuple(bool clear, TUPLE&& args, IndexList<I...>) {
    return NewObject<T>(clear, std::get<I>(std::forward<TUPLE>(args))...);
  }
};

}  // namespace maxon

#define C4D_NEWOBJ_SPLIT_(clear, T, ...) \
  (::maxon::DefaultAllocator::NewObjectTerminated<T>(clear, __VA_ARGS__))

// NewObj(T, args...) / NewObjClear(T, args...): a new T, or nullptr when out
// of memory. NewObjClear zero-fills the memory before the constructor runs.
#define NewObj(...) C4D_NEWOBJ_SPLIT_(false, __VA_ARGS__, ::maxon::NewObjArgumentsEnd())
#define NewObjClear(...) C4D_NEWOBJ_SPLIT_(true, __VA_ARGS__, ::maxon::NewObjArgumentsEnd())

// Destroys and frees an object made by NewObj or NewObjClear; resets the
// pointer variable. nullptr is allowed.
#define DeleteObj(obj)                      \
  do {                                      \
    ::maxon::DefaultAllocator::Delete(obj); \
    (obj) = nullptr;                        \
  } while (false)

#define DeleteConstPtrObj(obj) ::maxon::DefaultAllocator::Delete(obj)

// Raw memory for cnt items of T, no constructors run.
#define NewMem(T, cnt) \
  (static_cast<T*>(::maxon::DefaultAllocator::Alloc(static_cast<::maxon::Int>(sizeof(T)) * (cnt))))
#define NewMemClear(T, cnt) \
  (static_cast<T*>(         \
      ::maxon::DefaultAllocator::AllocClear(static_cast<::maxon::Int>(sizeof(T)) * (cnt))))
#define DeleteMem(p)                    \
  do {                                  \
    ::maxon::DefaultAllocator::Free(p); \
    (p) = nullptr;                      \
  } while (false)

#endif  // C4D_MISC_MEMORY_DEFAULTALLOCATOR_H__
