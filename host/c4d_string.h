// String: Unicode text. Positions and lengths count characters (code
// points). Text from the file system that is not valid UTF-8 keeps its
// bytes: each invalid byte becomes U+DC80 + byte and turns back into that
// byte when encoded as UTF-8 again.
#ifndef C4D_STRING_H__
#define C4D_STRING_H__

#include <string>

#include "c4d_misc/datastructures/basearray.h"
#include "ge_prepass.h"
#include "ge_sys_math.h"

class String {
#ifdef C4D_API_R14
  typedef maxon::Int32 Pos;
  typedef maxon::UInt16 Unit;
#else
  typedef maxon::Int Pos;
  typedef maxon::Utf32Char Unit;
#endif

 public:
  // One character of a String, readable and assignable.
  class PChar {
   public:
    PChar(String* str, Pos pos) : str_(str), pos_(pos) {}
    operator Unit() const { return static_cast<Unit>(str_->CharAt(pos_)); }
    PChar& operator=(Unit ch) {
      str_->SetCharAt(pos_, ch);
      return *this;
    }
    PChar& operator=(const PChar& other) { return *this = static_cast<Unit>(other); }

   private:
    String* str_;
    Pos pos_;
  };

  String() {}
  String(const String& cs) : text_(cs.text_) {}
  String(String&& cs) : text_(std::move(cs.text_)) {}
  String(const maxon::Char* cstr, STRINGENCODING type = STRINGENCODING_XBIT) {
    SetCString(cstr, -1, type);
  }
  String(Pos count, Unit fillch);
#ifndef C4D_API_R14
  explicit String(const maxon::Utf16Char* s, maxon::Int count = -1) { SetUtf16(s, count); }
  explicit String(const maxon::Utf32Char* s, maxon::Int count = -1) { SetUtf32(s, count); }
#endif
  ~String() {}

  const String& operator=(const String& cs);
  const String& operator=(String&& cs);

  maxon::Int32 GetLength() const { return static_cast<maxon::Int32>(text_.size()); }
  Bool Content() const { return !text_.empty(); }

  Bool FindFirst(const String& cs, maxon::Int32* pos, Pos start = 0) const;
  Bool FindFirst(Unit ch, maxon::Int32* pos, Pos start = 0) const;
  Bool FindLast(const String& cs, maxon::Int32* pos, Pos start = -1) const;
  Bool FindLast(Unit ch, maxon::Int32* pos, Pos start = -1) const;
  // findupper must already be upper case; the comparison ignores ASCII case.
  Bool FindFirstUpper(const String& findupper, maxon::Int32* pos, Pos start) const;
  Bool FindLastUpper(const String& findupper, maxon::Int32* pos, Pos start) const;

  void Delete(Pos pos, Pos count);
  // Inserts the characters start to end (exclusive) of cs; -1 means its
  // beginning and its end.
  void Insert(Pos pos, const String& cs, Pos start = -1, Pos end = -1);
  void Insert(Pos pos, Unit ch);
  String SubStr(Pos start, Pos count) const;
  String Left(Pos count) const { return SubStr(0, count); }
  String Right(Pos count) const;

  friend const String operator+(const String& str1, const String& str2);
  const String& operator+=(const String& str);

  Bool operator==(const String& str) const { return text_ == str.text_; }
  Bool operator!=(const String& str) const { return text_ != str.text_; }
  Bool operator==(const maxon::Char* str) const { return *this == String(str); }
  Bool operator!=(const maxon::Char* str) const { return *this != String(str); }
  Bool operator<(const String& str) const { return Compare(str) < 0; }
  Bool operator>(const String& str) const { return Compare(str) > 0; }
  Bool operator<=(const String& str) const { return Compare(str) <= 0; }
  Bool operator>=(const String& str) const { return Compare(str) >= 0; }

  // -1, 0 or 1. Compare orders by character code, LexCompare ignores ASCII
  // case, RelCompare also compares runs of digits by their value.
  maxon::Int Compare(const String& cs) const;
  maxon::Int LexCompare(const String& cs) const;
  maxon::Int RelCompare(const String& cs) const;

  PChar operator[](Pos pos) { return PChar(this, pos); }
  const PChar operator[](Pos pos) const { return PChar(const_cast<String*>(this), pos); }

#ifdef C4D_API_R14
  LONG ToLong(Bool* error = nullptr) const;
  LLONG ToLLong(Bool* error = nullptr) const;
  ULONG ToULong(Bool* error = nullptr) const;
  Real ToReal(Bool* error = nullptr) const;
  Real ParseToReal(LONG* error = nullptr, LONG unit = 0, LONG angletype = 0, LONG base = 10) const;
  LONG ParseToLong(LONG* error = nullptr) const;
#else
  static String IntToString(Int32 l);
  static String IntToString(Int64 l);
  static String UIntToString(UInt32 l);
  static String UIntToString(UInt64 l);
  // vvk: digits before the point, nnk: digits after it (-1: as needed), e:
  // exponent form, xchar: fill character of the vvk digits.
  static String FloatToString(Float32 v, Int32 vvk = -1, Int32 nnk = -1, Bool e = false,
                              Utf32Char xchar = '0');
  static String FloatToString(Float64 v, Int32 vvk = -1, Int32 nnk = -1, Bool e = false,
                              Utf32Char xchar = '0');
  static String HexToString(UInt32 v, Bool prefix0x = true);
  static String HexToString(UInt64 v, Bool prefix0x = true);
  static String MemoryToString(Int64 mem);

  Float ParseToFloat(Int32* error = nullptr, Int unit = 0, Int angletype = 0, Int base = 10) const;
  Int32 ParseToInt32(Int32* error = nullptr) const;
  Int32 ToInt32(Bool* error = nullptr) const;
  Int64 ToInt64(Bool* error = nullptr) const;
  UInt32 ToUInt32(Bool* error = nullptr) const;
  UInt64 ToUInt64(Bool* error = nullptr) const;
  Float ToFloat(Bool* error = nullptr) const;
  Int ToInt(Bool* error = nullptr) const;
  UInt ToUInt(Bool* error = nullptr) const;
#endif

  // Upper or lower case of the ASCII letters; other characters unchanged.
  String ToUpper() const;
  String ToLower() const;

  // Encoded byte length, without a terminator. STRINGENCODING_XBIT is UTF-8;
  // STRINGENCODING_8BIT is ISO-8859-1, other characters become '?'.
  maxon::Int32 GetCStringLen(STRINGENCODING type = STRINGENCODING_XBIT) const;
  // Writes at most max - 1 bytes (whole characters only) and a terminating
  // zero; returns the bytes written before the zero.
  maxon::Int32 GetCString(maxon::Char* scstr, Pos max,
                          STRINGENCODING type = STRINGENCODING_XBIT) const;
  // Heap copy with terminator; free it with DeleteMem. nullptr when out of
  // memory.
  maxon::Char* GetCStringCopy(STRINGENCODING type = STRINGENCODING_XBIT) const;
  // count -1: up to the terminating zero.
  void SetCString(const maxon::Char* cstr, Pos count = -1,
                  STRINGENCODING type = STRINGENCODING_XBIT);

#ifndef C4D_API_R14
  Bool SetUtf16(const Utf16Char* ubc, Int count);
  Bool SetUtf32(const Utf32Char* ubc, Int count);
  Bool GetUtf16(maxon::BaseArray<Utf16Char>& dst);
  Bool GetUtf32(maxon::BaseArray<Utf32Char>& dst);
#endif

  void CopyTo(String* str) const {
    if (str != nullptr) *str = *this;
  }

 private:
  maxon::Utf32Char CharAt(Pos pos) const;
  void SetCharAt(Pos pos, maxon::Utf32Char ch);

  std::u32string text_;
};

#ifdef C4D_API_R14
String LongToString(LONG l);
String LLongToString(LLONG l);
String RealToString(Real v, LONG vvk = -1, LONG nnk = -1, Bool e = false, UWORD xchar = '0');
#endif

#endif  // C4D_STRING_H__
