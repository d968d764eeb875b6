// maxon::BaseArray: a growable array that owns its elements. Allocation
// failure is reported through the results (nullptr / false), never thrown.
// Growing moves the elements to a new block, so element addresses change.
#ifndef C4D_MISC_DATASTRUCTURES_BASEARRAY_H__
#define C4D_MISC_DATASTRUCTURES_BASEARRAY_H__

#include <string.h>

#include <new>
#include <type_traits>
#include <utility>

#include "c4d_misc/general.h"
#include "c4d_misc/memory/defaultallocator.h"

namespace maxon {

enum BASEARRAYFLAGS { BASEARRAYFLAGS_0 = 0, BASEARRAYFLAGS_MOVEANDCOPYOBJECTS = 1 };

enum BASEARRAYRESIZEFLAGS { BASEARRAYRESIZEFLAGS_DEFAULT = 0 };

static const Int BASEARRAY_DEFAULT_CHUNK_SIZE = 16;

// True when T has a member Bool-like CopyFrom(const T&): such elements are
// copied by default construction plus CopyFrom, which may fail. (Written in
// C++11, as plug-ins built against the host's SDK are.)
template <typename>
struct VoidOf {
  typedef void Type;
};
template <typename T, typename = void>
struct TestForCopyFromMember : std::false_type {};
template <typename T>
struct TestForCopyFromMember<
    T, typename VoidOf<decltype(std::declval<T&>().CopyFrom(std::declval<const T&>()))>::Type>
    : std::true_type {};

template <typename T>
Bool ConstructCopyOf(T* memory, const T& src, std::true_type /* through CopyFrom */) {
  T* element = new (memory) T();
  if (element->CopyFrom(src)) return true;
  element->~T();
  return false;
}

template <typename T>
Bool ConstructCopyOf(T* memory, const T& src, std::false_type /* through the copy constructor */) {
  new (memory) T(src);
  return true;
}

// Constructs a copy of src at memory; false (nothing constructed) on failure.
template <typename T>
Bool ConstructCopy(T* memory, const T& src) {
  return ConstructCopyOf(memory, src, TestForCopyFromMember<T>());
}

template <typename T, Int MINCHUNKSIZE = BASEARRAY_DEFAULT_CHUNK_SIZE,
          BASEARRAYFLAGS MEMFLAGS = BASEARRAYFLAGS_0, typename ALLOCATOR = DefaultAllocator>
class BaseArray : protected ALLOCATOR {
 public:
  typedef T* Iterator;
  typedef const T* ConstIterator;

  BaseArray() : ptr_(nullptr), count_(0), capacity_(0) {}
  BaseArray(BaseArray&& src) : ptr_(src.ptr_), count_(src.count_), capacity_(src.capacity_) {
    src.ptr_ = nullptr;
    src.count_ = 0;
    src.capacity_ = 0;
  }
  BaseArray& operator=(BaseArray&& src) {
    if (this != &src) {
      Reset();
      std::swap(ptr_, src.ptr_);
      std::swap(count_, src.count_);
      std::swap(capacity_, src.capacity_);
    }
    return *this;
  }
  ~BaseArray() { Reset(); }

  BaseArray(const BaseArray&) = delete;
  BaseArray& operator=(const BaseArray&) = delete;

  Int GetCount() const { return count_; }
  Int GetCapacityCount() const { return capacity_; }

  const T& operator[](Int idx) const { return ptr_[idx]; }
  T& operator[](Int idx) { return ptr_[idx]; }

  T* GetFirst() { return count_ > 0 ? ptr_ : nullptr; }
  const T* GetFirst() const { return count_ > 0 ? ptr_ : nullptr; }
  T* GetLast() { return count_ > 0 ? ptr_ + count_ - 1 : nullptr; }
  const T* GetLast() const { return count_ > 0 ? ptr_ + count_ - 1 : nullptr; }

  T* Append() { return Insert(count_); }
  T* Append(const T& x) { return Insert(count_, x); }
  T* Append(T&& x) { return Insert(count_, std::move(x)); }

  T* Insert(Int position) {
    T* slot = OpenGap(position, 1, nullptr);
    if (slot == nullptr) return nullptr;
    return new (slot) T();
  }

  T* Insert(Int position, const T& x) {
    T* slot = OpenGap(position, 1, &x);
    if (slot == nullptr) return nullptr;
    return slot;
  }

  T* Insert(Int position, T&& x) {
    T* slot = OpenGap(position, 1, nullptr);
    if (slot == nullptr) return nullptr;
    return new (slot) T(std::move(x));
  }

  T* Insert(Int position, const T* x, Int insertCnt) {
    if (insertCnt <= 0 || x == nullptr) return insertCnt == 0 ? ptr_ + position : nullptr;
    T* first = nullptr;
    for (Int i = 0; i < insertCnt; ++i) {
      T* element = Insert(position + i, x[i]);
      if (element == nullptr) return nullptr;
      if (i == 0) first = element;
    }
    return first;
  }

  T* Erase(Int position, Int eraseCnt = 1) {
    if (position < 0 || eraseCnt < 0 || position > count_ || position + eraseCnt > count_) {
      return nullptr;
    }
    for (Int i = position; i < position + eraseCnt; ++i) ptr_[i].~T();
    ShiftDown(position, eraseCnt);
    count_ -= eraseCnt;
    return ptr_ + position;
  }

  Bool Pop(T* dst = nullptr) {
    if (count_ == 0) return false;
    T* last = ptr_ + count_ - 1;
    if (dst != nullptr) *dst = std::move(*last);
    last->~T();
    --count_;
    return true;
  }

  void Flush() {
    for (Int i = 0; i < count_; ++i) ptr_[i].~T();
    count_ = 0;
  }

  void Reset() {
    Flush();
    ALLOCATOR::Free(ptr_);
    ptr_ = nullptr;
    capacity_ = 0;
  }

  Bool EnsureCapacity(Int requestedCapacity) {
    if (requestedCapacity <= capacity_) return true;
    return Grow(requestedCapacity, nullptr, 0, 0);
  }

  Bool Resize(Int newCnt, BASEARRAYRESIZEFLAGS resizeFlags = BASEARRAYRESIZEFLAGS_DEFAULT) {
    (void)resizeFlags;
    if (newCnt < 0) return false;
    if (newCnt < count_) return Erase(newCnt, count_ - newCnt) != nullptr;
    if (!EnsureCapacity(newCnt)) return false;
    while (count_ < newCnt) {
      new (ptr_ + count_) T();
      ++count_;
    }
    return true;
  }

  Int GetIndex(const T& x) const {
    if (count_ == 0 || &x < ptr_ || &x >= ptr_ + count_) return -1;
    return static_cast<Int>(&x - ptr_);
  }

  template <typename SourceArray>
  Bool CopyFrom(const SourceArray& src, Bool fitToSize = true) {
    (void)fitToSize;
    if (static_cast<const void*>(&src) == static_cast<const void*>(this)) return true;
    Flush();
    if (!EnsureCapacity(src.GetCount())) return false;
    for (Int i = 0; i < src.GetCount(); ++i) {
      if (Append(src[i]) == nullptr) {
        Flush();
        return false;
      }
    }
    return true;
  }
  Bool CopyFrom(const BaseArray& src, Bool fitToSize) {
    return CopyFrom<BaseArray>(src, fitToSize);
  }
  Bool CopyFrom(const BaseArray& src) { return CopyFrom<BaseArray>(src, true); }

  Iterator Begin() { return ptr_; }
  Iterator End() { return ptr_ + count_; }
  ConstIterator Begin() const { return ptr_; }
  ConstIterator End() const { return ptr_ + count_; }
  Iterator begin() { return Begin(); }
  Iterator end() { return End(); }
  ConstIterator begin() const { return Begin(); }
  ConstIterator end() const { return End(); }

 private:
  // Makes room for gapCnt elements at position and returns the first slot,
  // unconstructed; with copySource, constructs a copy of it in the first slot
  // (before old elements move, so the source may live in this array).
  T* OpenGap(Int position, Int gapCnt, const T* copySource) {
    if (position < 0 || position > count_) return nullptr;
    if (count_ + gapCnt > capacity_) {
      if (!Grow(NextCapacity(count_ + gapCnt), copySource, position, gapCnt)) return nullptr;
      count_ += gapCnt;
      return ptr_ + position;
    }
    if (copySource != nullptr) {
      // Copy before shifting: the source may be one of the elements that move.
      alignas(T) unsigned char buffer[sizeof(T)];
      T* temporary = reinterpret_cast<T*>(buffer);
      if (!ConstructCopy(temporary, *copySource)) return nullptr;
      ShiftUp(position, gapCnt);
      new (ptr_ + position) T(std::move(*temporary));
      temporary->~T();
    } else {
      ShiftUp(position, gapCnt);
    }
    count_ += gapCnt;
    return ptr_ + position;
  }

  Int NextCapacity(Int needed) const {
    Int capacity = capacity_ < MINCHUNKSIZE ? MINCHUNKSIZE : capacity_;
    while (capacity < needed) capacity += capacity / 2 + 1;
    return capacity;
  }

  // Moves the elements into a new block of newCapacity, leaving a gap of
  // gapCnt at gapPosition (copy-constructing copySource into its first slot).
  Bool Grow(Int newCapacity, const T* copySource, Int gapPosition, Int gapCnt) {
    if (newCapacity <= 0 || static_cast<UInt>(newCapacity) > static_cast<UInt>(-1) / sizeof(T)) {
      return false;
    }
    T* block = static_cast<T*>(ALLOCATOR::Alloc(newCapacity * static_cast<Int>(sizeof(T))));
    if (block == nullptr) return false;
    if (copySource != nullptr && !ConstructCopy(block + gapPosition, *copySource)) {
      ALLOCATOR::Free(block);
      return false;
    }
    for (Int i = 0; i < count_; ++i) {
      Int target = i < gapPosition ? i : i + gapCnt;
      new (block + target) T(std::move(ptr_[i]));
      ptr_[i].~T();
    }
    ALLOCATOR::Free(ptr_);
    ptr_ = block;
    capacity_ = newCapacity;
    return true;
  }

  void ShiftUp(Int position, Int gapCnt) {
    for (Int i = count_ - 1; i >= position; --i) {
      new (ptr_ + i + gapCnt) T(std::move(ptr_[i]));
      ptr_[i].~T();
    }
  }

  void ShiftDown(Int position, Int gapCnt) {
    for (Int i = position + gapCnt; i < count_; ++i) {
      new (ptr_ + i - gapCnt) T(std::move(ptr_[i]));
      ptr_[i].~T();
    }
  }

  T* ptr_;
  Int count_;
  Int capacity_;
};

}  // namespace maxon

#endif  // C4D_MISC_DATASTRUCTURES_BASEARRAY_H__
