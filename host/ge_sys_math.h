// Global basic types of the plug-in API. R17 builds use the Int32/Float
// names, R14 builds (C4D_API_R14) the LONG/Real names; both share the
// maxon:: types underneath. The global Bool is an int in both.
#ifndef GE_SYS_MATH_H__
#define GE_SYS_MATH_H__

#include <float.h>

#include "c4d_misc/general.h"

typedef int Bool;

#ifdef C4D_API_R14
typedef maxon::Int32 LONG;
typedef maxon::UInt32 ULONG;
typedef maxon::Int64 LLONG;
typedef maxon::UInt64 LULONG;
typedef maxon::Int VLONG;
typedef maxon::UInt VULONG;
typedef maxon::Int16 SWORD;
typedef maxon::UInt16 UWORD;
typedef maxon::Float64 Real;
typedef maxon::Float32 SReal;
typedef maxon::Float64 LReal;
typedef maxon::Char CHAR;
typedef maxon::UChar UCHAR;

#define MAXLONGl 2147483647
#define MINLONGl (-MAXLONGl - 1)
#define MAXREALr DBL_MAX
#define MINREALr DBL_MIN
#else
using maxon::Char;
using maxon::Float;
using maxon::Float32;
using maxon::Float64;
using maxon::Int;
using maxon::Int16;
using maxon::Int32;
using maxon::Int64;
using maxon::UChar;
using maxon::UInt;
using maxon::UInt16;
using maxon::UInt32;
using maxon::UInt64;
using maxon::Utf16Char;
using maxon::Utf32Char;
#endif

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
#ifndef NULL
#define NULL 0
#endif

#define NOTOK (-1)

#define SIZEOF(x) (static_cast<maxon::Int>(sizeof(x)))

// Value limits by type: LIMIT<Int32>::MAX, LIMIT<Float>::Max().
template <typename T>
class LIMIT;

#define C4D_INTEGER_LIMIT_(T, MINV, MAXV) \
  template <>                             \
  class LIMIT<T> {                        \
   public:                                \
    static constexpr T MIN = MINV;        \
    static constexpr T MAX = MAXV;        \
    static T Min() { return MINV; }       \
    static T Max() { return MAXV; }       \
  }

C4D_INTEGER_LIMIT_(maxon::Int64, (-9223372036854775807LL - 1), 9223372036854775807LL);
C4D_INTEGER_LIMIT_(maxon::UInt64, 0ULL, 18446744073709551615ULL);
C4D_INTEGER_LIMIT_(maxon::Int32, (-2147483647 - 1), 2147483647);
C4D_INTEGER_LIMIT_(maxon::UInt32, 0U, 4294967295U);
C4D_INTEGER_LIMIT_(maxon::Int16, -32768, 32767);
C4D_INTEGER_LIMIT_(maxon::UInt16, 0, 65535);
C4D_INTEGER_LIMIT_(maxon::Char, -128, 127);
C4D_INTEGER_LIMIT_(maxon::UChar, 0, 255);
#undef C4D_INTEGER_LIMIT_

template <>
class LIMIT<maxon::Float32> {
 public:
  static maxon::Float32 Min() { return -FLT_MAX; }
  static maxon::Float32 Max() { return FLT_MAX; }
};

template <>
class LIMIT<maxon::Float64> {
 public:
  static maxon::Float64 Min() { return -DBL_MAX; }
  static maxon::Float64 Max() { return DBL_MAX; }
};

template <typename T>
inline T ClampValue(T value, T lowerLimit, T upperLimit) {
  return value < lowerLimit ? lowerLimit : (upperLimit < value ? upperLimit : value);
}

template <typename T>
inline T Min(T a, T b) {
  return b < a ? b : a;
}

template <typename T>
inline T Max(T a, T b) {
  return a < b ? b : a;
}

template <typename T>
inline T Abs(T value) {
  return value < T(0) ? -value : value;
}

template <typename T>
inline void Swap(T& a, T& b) {
  T temporary = a;
  a = b;
  b = temporary;
}

#endif  // GE_SYS_MATH_H__
