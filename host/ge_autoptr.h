// AutoAlloc and AutoFree: own one host object and free it at scope end.
#ifndef GE_AUTOPTR_H__
#define GE_AUTOPTR_H__

#include "ge_sys_math.h"

// Allocates with TYPE::Alloc and frees with TYPE::Free(TYPE*&).
template <class TYPE>
class AutoAlloc {
 public:
  AutoAlloc() : ptr(TYPE::Alloc()) {}
  explicit AutoAlloc(maxon::Int32 id) : ptr(TYPE::Alloc(id)) {}
  AutoAlloc(maxon::Int32 p1, maxon::Int32 p2) : ptr(TYPE::Alloc(p1, p2)) {}
  // Takes over initptr.
  explicit AutoAlloc(TYPE* initptr) : ptr(initptr) {}
  AutoAlloc(AutoAlloc&& src) : ptr(src.ptr) { src.ptr = nullptr; }
  AutoAlloc& operator=(AutoAlloc&& src) {
    if (this != &src) {
      Free();
      ptr = src.ptr;
      src.ptr = nullptr;
    }
    return *this;
  }
  ~AutoAlloc() { Free(); }

  operator TYPE*() const { return ptr; }
  operator TYPE&() const { return *ptr; }
  TYPE* operator->() const { return ptr; }
  TYPE* const* operator&() const { return &ptr; }

  // Gives up ownership.
  TYPE* Release() {
    TYPE* released = ptr;
    ptr = nullptr;
    return released;
  }
  void Free() {
    if (ptr != nullptr) TYPE::Free(ptr);
    ptr = nullptr;
  }
  // Replaces the pointer without freeing the old one.
  void Assign(TYPE* p) { ptr = p; }

 private:
  AutoAlloc(const AutoAlloc&);
  AutoAlloc& operator=(const AutoAlloc&);

  TYPE* ptr;
};

// Frees with TYPE::Free(TYPE*&) an object it was given.
template <class TYPE>
class AutoFree {
 public:
  AutoFree() : ptr(nullptr) {}
  explicit AutoFree(TYPE* p) : ptr(p) {}
  ~AutoFree() { Free(); }

  void Set(TYPE* p) {
    Free();
    ptr = p;
  }
  operator TYPE*() const { return ptr; }
  operator TYPE&() const { return *ptr; }
  TYPE* operator->() const { return ptr; }
  TYPE* const* operator&() const { return &ptr; }
  TYPE* Release() {
    TYPE* released = ptr;
    ptr = nullptr;
    return released;
  }
  void Free() {
    if (ptr != nullptr) TYPE::Free(ptr);
    ptr = nullptr;
  }
  void Assign(TYPE* p) { ptr = p; }

 private:
  AutoFree(const AutoFree&);
  AutoFree& operator=(const AutoFree&);

  TYPE* ptr;
};

#endif  // GE_AUTOPTR_H__
