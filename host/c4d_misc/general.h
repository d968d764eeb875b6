// Basic types and helper macros of the maxon namespace, shared by both
// interface releases.
#ifndef C4D_MISC_GENERAL_H__
#define C4D_MISC_GENERAL_H__

#include <stddef.h>

#include <new>

namespace maxon {

typedef signed char Int8;
typedef unsigned char UInt8;
typedef short Int16;
typedef unsigned short UInt16;
typedef int Int32;
typedef unsigned int UInt32;
typedef long long Int64;
typedef unsigned long long UInt64;
#if defined(__LP64__) || defined(_WIN64)
#define MAXON_TARGET_64BIT
typedef Int64 Int;
typedef UInt64 UInt;
#else
typedef Int32 Int;
typedef UInt32 UInt;
#endif
typedef float Float32;
typedef double Float64;
typedef Float64 Float;
typedef char Char;
typedef unsigned char UChar;
typedef bool Bool;
typedef char16_t Utf16Char;
typedef char32_t Utf32Char;

}  // namespace maxon

#if defined(_WIN32) || defined(_MSC_VER)
#define MAXON_TARGET_WINDOWS
#elif defined(__APPLE__)
#define MAXON_TARGET_OSX
#elif defined(__GNUC__)
#define MAXON_TARGET_LINUX
#endif

#if !defined(NDEBUG) && (defined(_DEBUG) || (!defined(_WIN32) && defined(DEBUG) && DEBUG == 1))
#define MAXON_TARGET_DEBUG
#else
#define MAXON_TARGET_RELEASE
#endif

#define MAXON_IMPLICIT
#define MAXON_WARN_UNUSED
#define MAXON_SWITCH_FALLTHROUGH

// Declares, without defining, the copy operations of T.
#define MAXON_DISALLOW_COPY_AND_ASSIGN(T) \
 private:                                 \
  T(const T&);                            \
  void operator=(const T&);               \
                                          \
 public:

// Move assignment built from the move constructor.
#define MAXON_OPERATOR_MOVE_ASSIGNMENT(T)  \
  T& operator=(T&& src) {                  \
    if (this != &src) {                    \
      this->~T();                          \
      new (this) T(static_cast<T&&>(src)); \
    }                                      \
    return *this;                          \
  }

// Pointer and Bool checks of the classic API; no declarations inside.
#define iferr(...) if (!(__VA_ARGS__))
#define ifnoerr(...) if ((__VA_ARGS__) != 0)

#endif  // C4D_MISC_GENERAL_H__
