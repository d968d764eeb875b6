// String: UTF-32 storage, the byte encodings and number formatting.
#include "c4d_string.h"

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <string>

#include "c4d_misc/memory/defaultallocator.h"

namespace {

typedef std::u32string Text;

const char32_t kReplacement = U'?';
// Bytes that are not valid UTF-8 are kept as U+DC80..U+DCFF.
const char32_t kRawByteBase = 0xDC00;

bool IsRawByte(char32_t c) { return c >= 0xDC80 && c <= 0xDCFF; }

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Length of the well-formed UTF-8 sequence at p (at most available bytes),
// or 0 when the lead byte starts no valid sequence.
size_t Utf8SequenceLength(const unsigned char* p, size_t available) {
  unsigned char b = p[0];
  if (b < 0x80) return 1;
  size_t length = b >= 0xF0 ? 4 : (b >= 0xE0 ? 3 : 2);
  if (b < 0xC2 || b > 0xF4 || length > available) return 0;
  unsigned char low = 0x80, high = 0xBF;
  if (b == 0xE0) low = 0xA0;
  if (b == 0xED) high = 0x9F;  // no UTF-16 surrogates
  if (b == 0xF0) low = 0x90;
  if (b == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  if (p[1] < low || p[1] > high) return 0;
  for (size_t i = 2; i < length; ++i) {
    if (!IsContinuation(p[i])) return 0;
  }
  return length;
}

char32_t DecodeSequence(const unsigned char* p, size_t length) {
  if (length == 1) return p[0];
  char32_t c = p[0] & (0xFF >> (length + 1));
  for (size_t i = 1; i < length; ++i) c = (c << 6) | (p[i] & 0x3F);
  return c;
}

Text DecodeUtf8(const unsigned char* p, size_t size) {
  Text text;
  text.reserve(size);
  size_t i = 0;
  while (i < size) {
    size_t length = Utf8SequenceLength(p + i, size - i);
    if (length == 0) {
      text.push_back(kRawByteBase + p[i]);
      ++i;
    } else {
      text.push_back(DecodeSequence(p + i, length));
      i += length;
    }
  }
  return text;
}

// Appends the UTF-8 form of c; raw bytes turn back into themselves.
void EncodeUtf8(char32_t c, std::string* out) {
  if (IsRawByte(c)) {
    out->push_back(static_cast<char>(c - kRawByteBase));
  } else if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
    out->push_back('?');
  } else if (c < 0x80) {
    out->push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (c >> 6)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (c >> 12)));
    out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (c >> 18)));
    out->push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

void AppendHex(unsigned long value, int digits, std::string* out) {
  char buffer[16];
  snprintf(buffer, sizeof(buffer), "%0*lX", digits, value);
  out->append(buffer);
}

// One character in the given encoding, appended to out.
void EncodeChar(char32_t c, STRINGENCODING type, std::string* out) {
  switch (type) {
    case STRINGENCODING_8BIT:
      // ISO-8859-1; raw bytes from the file system keep their byte.
      if (IsRawByte(c)) c -= kRawByteBase;
      out->push_back(c <= 0xFF ? static_cast<char>(c) : '?');
      return;
    case STRINGENCODING_7BIT:
      out->push_back(c < 0x80 ? static_cast<char>(c) : '?');
      return;
    case STRINGENCODING_7BITHEX:
      if (c < 0x80) {
        out->push_back(static_cast<char>(c));
      } else {
        out->append(c <= 0xFFFF ? "\\u" : "\\U");
        AppendHex(c, c <= 0xFFFF ? 4 : 8, out);
      }
      return;
    case STRINGENCODING_HTML:
      if (c < 0x80) {
        out->push_back(static_cast<char>(c));
      } else {
        out->append("&#" + std::to_string(static_cast<unsigned long>(c)) + ";");
      }
      return;
    case STRINGENCODING_XBIT:
    case STRINGENCODING_UTF8:
    default:
      EncodeUtf8(c, out);
      return;
  }
}

std::string Encode(const Text& text, STRINGENCODING type) {
  std::string out;
  out.reserve(text.size());
  for (char32_t c : text) EncodeChar(c, type, &out);
  return out;
}

int HexDigit(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Parses `digits` hex digits at p; false when one is missing.
bool ParseHex(const unsigned char* p, size_t available, size_t digits, char32_t* value) {
  if (available < digits) return false;
  char32_t v = 0;
  for (size_t i = 0; i < digits; ++i) {
    int d = HexDigit(p[i]);
    if (d < 0) return false;
    v = v * 16 + static_cast<char32_t>(d);
  }
  *value = v;
  return true;
}

// "\uXXXX" / "\UXXXXXXXX" at p: the escape's length, or 0.
size_t ParseHexEscape(const unsigned char* p, size_t available, char32_t* c) {
  if (available < 2 || p[0] != '\\') return 0;
  size_t digits = p[1] == 'u' ? 4 : (p[1] == 'U' ? 8 : 0);
  if (digits == 0 || !ParseHex(p + 2, available - 2, digits, c)) return 0;
  return 2 + digits;
}

// "&#N;" or "&#xH;" at p: the entity's length, or 0.
size_t ParseHtmlEntity(const unsigned char* p, size_t available, char32_t* c) {
  if (available < 4 || p[0] != '&' || p[1] != '#') return 0;
  bool hex = p[2] == 'x' || p[2] == 'X';
  size_t i = hex ? 3 : 2;
  unsigned long value = 0;
  size_t first = i;
  for (; i < available && i < first + 8; ++i) {
    int d = HexDigit(p[i]);
    if (d < 0 || (!hex && d > 9)) break;
    value = value * (hex ? 16 : 10) + static_cast<unsigned long>(d);
  }
  if (i == first || i >= available || p[i] != ';' || value > 0x10FFFF) return 0;
  *c = static_cast<char32_t>(value);
  return i + 1;
}

Text DecodeEscaped(const unsigned char* p, size_t size, STRINGENCODING type) {
  Text text;
  size_t i = 0;
  while (i < size) {
    char32_t c = 0;
    size_t length = type == STRINGENCODING_HTML ? ParseHtmlEntity(p + i, size - i, &c)
                                                : ParseHexEscape(p + i, size - i, &c);
    if (length == 0) {
      c = p[i] < 0x80 ? p[i] : kReplacement;
      length = 1;
    }
    text.push_back(c);
    i += length;
  }
  return text;
}

Text Decode(const unsigned char* p, size_t size, STRINGENCODING type) {
  switch (type) {
    case STRINGENCODING_8BIT:
      return Text(p, p + size);
    case STRINGENCODING_7BIT: {
      Text text(p, p + size);
      for (char32_t& c : text) {
        if (c >= 0x80) c = kReplacement;
      }
      return text;
    }
    case STRINGENCODING_7BITHEX:
    case STRINGENCODING_HTML:
      return DecodeEscaped(p, size, type);
    case STRINGENCODING_XBIT:
    case STRINGENCODING_UTF8:
    default:
      return DecodeUtf8(p, size);
  }
}

char32_t AsciiUpper(char32_t c) { return (c >= 'a' && c <= 'z') ? c - 32 : c; }
char32_t AsciiLower(char32_t c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; }

// Clamps a start/count pair into [0, size].
void ClampRange(maxon::Int size, maxon::Int* start, maxon::Int* count) {
  if (*start < 0) *start = 0;
  if (*start > size) *start = size;
  if (*count < 0) *count = 0;
  if (*count > size - *start) *count = size - *start;
}

int Sign(maxon::Int value) { return value < 0 ? -1 : (value > 0 ? 1 : 0); }

bool IsDigit(char32_t c) { return c >= '0' && c <= '9'; }

// Compares the digit runs starting at a[i] and b[j] by value and advances
// past them.
int CompareNumberRuns(const Text& a, size_t* i, const Text& b, size_t* j) {
  while (*i < a.size() && a[*i] == '0') ++*i;
  while (*j < b.size() && b[*j] == '0') ++*j;
  size_t startA = *i, startB = *j;
  while (*i < a.size() && IsDigit(a[*i])) ++*i;
  while (*j < b.size() && IsDigit(b[*j])) ++*j;
  size_t lengthA = *i - startA, lengthB = *j - startB;
  if (lengthA != lengthB) return lengthA < lengthB ? -1 : 1;
  for (size_t k = 0; k < lengthA; ++k) {
    if (a[startA + k] != b[startB + k]) return a[startA + k] < b[startB + k] ? -1 : 1;
  }
  return 0;
}

std::string Ascii(const Text& text) {
  std::string out;
  for (char32_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '\x7f');
  return out;
}

// Parses the whole text (spaces around allowed) as a signed integer in
// [low, high].
maxon::Int64 ParseInteger(const Text& text, maxon::Int64 low, maxon::Int64 high, bool* ok) {
  std::string ascii = Ascii(text);
  const char* begin = ascii.c_str();
  char* end = nullptr;
  errno = 0;
  long long value = strtoll(begin, &end, 10);
  while (end != nullptr && *end == ' ') ++end;
  *ok =
      end != begin && end != nullptr && *end == '\0' && errno == 0 && value >= low && value <= high;
  return *ok ? value : 0;
}

maxon::UInt64 ParseUnsigned(const Text& text, maxon::UInt64 high, bool* ok) {
  std::string ascii = Ascii(text);
  const char* begin = ascii.c_str();
  while (*begin == ' ') ++begin;
  char* end = nullptr;
  errno = 0;
  unsigned long long value = *begin == '-' ? 0 : strtoull(begin, &end, 10);
  while (end != nullptr && *end == ' ') ++end;
  *ok = end != nullptr && end != begin && *end == '\0' && errno == 0 && value <= high;
  return *ok ? value : 0;
}

double ParseDouble(const Text& text, bool* ok) {
  std::string ascii = Ascii(text);
  std::replace(ascii.begin(), ascii.end(), ',', '.');
  const char* begin = ascii.c_str();
  char* end = nullptr;
  double value = strtod(begin, &end);
  while (end != nullptr && *end == ' ') ++end;
  *ok = end != begin && end != nullptr && *end == '\0';
  return *ok ? value : 0.0;
}

// Bool and the Int32 error codes are both int: 0 on success, 1 on failure.
void StoreError(bool ok, int* error) {
  if (error != nullptr) *error = ok ? 0 : 1;
}

String FromAscii(const std::string& text) { return String(text.c_str(), STRINGENCODING_UTF8); }

// Fixed-point text with the fewest digits after the point that still give
// the value at 15 significant digits.
std::string ShortestFixed(double v) {
  char buffer[400];
  snprintf(buffer, sizeof(buffer), "%.15g", v);
  double target = strtod(buffer, nullptr);
  for (int precision = 0; precision <= 20; ++precision) {
    snprintf(buffer, sizeof(buffer), "%.*f", precision, v);
    if (strtod(buffer, nullptr) == target) return buffer;
  }
  return buffer;
}

std::string ShortestExponent(double v) {
  char buffer[64];
  for (int precision = 0; precision <= 15; ++precision) {
    snprintf(buffer, sizeof(buffer), "%.*e", precision, v);
    if (strtod(buffer, nullptr) == v) return buffer;
  }
  return buffer;
}

// Pads the digits before the point (or the exponent) to vvk with xchar.
std::string PadIntegerPart(const std::string& number, int vvk, char fill) {
  size_t digitsStart = (!number.empty() && number[0] == '-') ? 1 : 0;
  size_t digitsEnd = number.find_first_of(".eE", digitsStart);
  if (digitsEnd == std::string::npos) digitsEnd = number.size();
  int digits = static_cast<int>(digitsEnd - digitsStart);
  if (vvk <= digits) return number;
  std::string padded = number.substr(0, digitsStart);
  padded.append(static_cast<size_t>(vvk - digits), fill);
  padded.append(number.substr(digitsStart));
  return padded;
}

String FormatFloat(double v, maxon::Int32 vvk, maxon::Int32 nnk, Bool e, char32_t xchar) {
  if (v != v) return String("nan");
  if (v > 1.7976931348623157e308 || v < -1.7976931348623157e308) {
    return String(v < 0 ? "-inf" : "inf");
  }
  std::string number;
  if (nnk >= 0) {
    char buffer[400];
    int precision = std::min<int>(nnk, 40);
    snprintf(buffer, sizeof(buffer), e ? "%.*e" : "%.*f", precision, v);
    number = buffer;
  } else {
    number = e ? ShortestExponent(v) : ShortestFixed(v);
  }
  char fill = xchar < 0x80 ? static_cast<char>(xchar) : '0';
  return FromAscii(PadIntegerPart(number, std::min<int>(vvk, 64), fill));
}

String FormatSigned(long long value) { return FromAscii(std::to_string(value)); }

#ifndef C4D_API_R14
String FormatUnsigned(unsigned long long value) { return FromAscii(std::to_string(value)); }
#endif

}  // namespace

String::String(Pos count, Unit fillch) {
  if (count > 0 && count <= 0x7FFFFFFF) text_.assign(static_cast<size_t>(count), fillch);
}

const String& String::operator=(const String& cs) {
  if (this != &cs) text_ = cs.text_;
  return *this;
}

const String& String::operator=(String&& cs) {
  if (this != &cs) text_ = std::move(cs.text_);
  return *this;
}

Bool String::FindFirst(const String& cs, maxon::Int32* pos, Pos start) const {
  if (start < 0) start = 0;
  size_t found = static_cast<size_t>(start) > text_.size()
                     ? Text::npos
                     : text_.find(cs.text_, static_cast<size_t>(start));
  if (pos != nullptr) *pos = found == Text::npos ? -1 : static_cast<maxon::Int32>(found);
  return found != Text::npos;
}

Bool String::FindFirst(Unit ch, maxon::Int32* pos, Pos start) const {
  return FindFirst(String(1, ch), pos, start);
}

Bool String::FindLast(const String& cs, maxon::Int32* pos, Pos start) const {
  size_t from = start < 0 ? Text::npos : static_cast<size_t>(start);
  size_t found = text_.rfind(cs.text_, from);
  if (pos != nullptr) *pos = found == Text::npos ? -1 : static_cast<maxon::Int32>(found);
  return found != Text::npos;
}

Bool String::FindLast(Unit ch, maxon::Int32* pos, Pos start) const {
  return FindLast(String(1, ch), pos, start);
}

Bool String::FindFirstUpper(const String& findupper, maxon::Int32* pos, Pos start) const {
  return ToUpper().FindFirst(findupper, pos, start);
}

Bool String::FindLastUpper(const String& findupper, maxon::Int32* pos, Pos start) const {
  return ToUpper().FindLast(findupper, pos, start);
}

void String::Delete(Pos pos, Pos count) {
  maxon::Int start = pos, length = count;
  ClampRange(static_cast<maxon::Int>(text_.size()), &start, &length);
  text_.erase(static_cast<size_t>(start), static_cast<size_t>(length));
}

void String::Insert(Pos pos, const String& cs, Pos start, Pos end) {
  maxon::Int size = static_cast<maxon::Int>(cs.text_.size());
  maxon::Int first = start < 0 ? 0 : start;
  maxon::Int last = end < 0 ? size : end;
  maxon::Int count = last - first;
  ClampRange(size, &first, &count);
  maxon::Int at = std::min(std::max<maxon::Int>(pos, 0), static_cast<maxon::Int>(text_.size()));
  // Built anew rather than with insert(): GCC 12 at -O3 reports a false
  // -Wrestrict inside the string's own replace().
  std::u32string joined;
  joined.reserve(text_.size() + static_cast<size_t>(count));
  joined.append(text_, 0, static_cast<size_t>(at));
  joined.append(cs.text_, static_cast<size_t>(first), static_cast<size_t>(count));
  joined.append(text_, static_cast<size_t>(at), std::u32string::npos);
  text_ = std::move(joined);
}

void String::Insert(Pos pos, Unit ch) { Insert(pos, String(1, ch)); }

String String::SubStr(Pos start, Pos count) const {
  maxon::Int first = start, length = count;
  ClampRange(static_cast<maxon::Int>(text_.size()), &first, &length);
  String result;
  result.text_ = text_.substr(static_cast<size_t>(first), static_cast<size_t>(length));
  return result;
}

String String::Right(Pos count) const {
  maxon::Int size = static_cast<maxon::Int>(text_.size());
  maxon::Int length = std::min(std::max<maxon::Int>(count, 0), size);
  return SubStr(size - length, length);
}

const String operator+(const String& str1, const String& str2) {
  String result(str1);
  result += str2;
  return result;
}

const String& String::operator+=(const String& str) {
  text_ += str.text_;
  return *this;
}

maxon::Int String::Compare(const String& cs) const { return Sign(text_.compare(cs.text_)); }

maxon::Int String::LexCompare(const String& cs) const { return ToUpper().Compare(cs.ToUpper()); }

maxon::Int String::RelCompare(const String& cs) const {
  const Text a = ToUpper().text_;
  const Text b = cs.ToUpper().text_;
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      int order = CompareNumberRuns(a, &i, b, &j);
      if (order != 0) return order;
      continue;
    }
    if (a[i] != b[j]) return a[i] < b[j] ? -1 : 1;
    ++i;
    ++j;
  }
  return Sign(static_cast<maxon::Int>(a.size() - i) - static_cast<maxon::Int>(b.size() - j));
}

String String::ToUpper() const {
  String result(*this);
  std::transform(result.text_.begin(), result.text_.end(), result.text_.begin(), AsciiUpper);
  return result;
}

String String::ToLower() const {
  String result(*this);
  std::transform(result.text_.begin(), result.text_.end(), result.text_.begin(), AsciiLower);
  return result;
}

maxon::Int32 String::GetCStringLen(STRINGENCODING type) const {
  size_t length = Encode(text_, type).size();
  return length > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<maxon::Int32>(length);
}

maxon::Int32 String::GetCString(maxon::Char* scstr, Pos max, STRINGENCODING type) const {
  if (scstr == nullptr || max <= 0) return 0;
  size_t capacity = static_cast<size_t>(max) - 1;
  // Straight into the caller's buffer: one character's encoding is short
  // enough never to leave the string's own storage.
  size_t used = 0;
  std::string one;
  for (char32_t c : text_) {
    one.clear();
    EncodeChar(c, type, &one);
    if (used + one.size() > capacity) break;  // whole characters only
    memcpy(scstr + used, one.data(), one.size());
    used += one.size();
  }
  scstr[used] = '\0';
  return static_cast<maxon::Int32>(used);
}

maxon::Char* String::GetCStringCopy(STRINGENCODING type) const {
  std::string encoded = Encode(text_, type);
  maxon::Char* copy = NewMem(maxon::Char, static_cast<maxon::Int>(encoded.size()) + 1);
  if (copy == nullptr) return nullptr;
  memcpy(copy, encoded.c_str(), encoded.size() + 1);
  return copy;
}

void String::SetCString(const maxon::Char* cstr, Pos count, STRINGENCODING type) {
  if (cstr == nullptr) {
    text_.clear();
    return;
  }
  size_t size = count < 0 ? strlen(cstr) : static_cast<size_t>(count);
  text_ = Decode(reinterpret_cast<const unsigned char*>(cstr), size, type);
}

maxon::Utf32Char String::CharAt(Pos pos) const {
  if (pos < 0 || static_cast<size_t>(pos) >= text_.size()) return 0;
  return text_[static_cast<size_t>(pos)];
}

void String::SetCharAt(Pos pos, maxon::Utf32Char ch) {
  if (pos >= 0 && static_cast<size_t>(pos) < text_.size()) text_[static_cast<size_t>(pos)] = ch;
}

#ifdef C4D_API_R14

LONG String::ToLong(Bool* error) const {
  bool ok = false;
  LONG value = static_cast<LONG>(ParseInteger(text_, MINLONGl, MAXLONGl, &ok));
  StoreError(ok, error);
  return value;
}

LLONG String::ToLLong(Bool* error) const {
  bool ok = false;
  LLONG value = ParseInteger(text_, LIMIT<LLONG>::MIN, LIMIT<LLONG>::MAX, &ok);
  StoreError(ok, error);
  return value;
}

ULONG String::ToULong(Bool* error) const {
  bool ok = false;
  ULONG value = static_cast<ULONG>(ParseUnsigned(text_, LIMIT<ULONG>::MAX, &ok));
  StoreError(ok, error);
  return value;
}

Real String::ToReal(Bool* error) const {
  bool ok = false;
  Real value = ParseDouble(text_, &ok);
  StoreError(ok, error);
  return value;
}

Real String::ParseToReal(LONG* error, LONG unit, LONG angletype, LONG base) const {
  (void)unit;
  (void)angletype;
  (void)base;
  bool ok = false;
  Real value = ParseDouble(text_, &ok);
  StoreError(ok, error);
  return value;
}

LONG String::ParseToLong(LONG* error) const {
  bool ok = false;
  LONG value = static_cast<LONG>(ParseInteger(text_, MINLONGl, MAXLONGl, &ok));
  StoreError(ok, error);
  return value;
}

String LongToString(LONG l) { return FormatSigned(l); }

String LLongToString(LLONG l) { return FormatSigned(l); }

String RealToString(Real v, LONG vvk, LONG nnk, Bool e, UWORD xchar) {
  return FormatFloat(v, vvk, nnk, e, xchar);
}

#else

String String::IntToString(Int32 l) { return FormatSigned(l); }

String String::IntToString(Int64 l) { return FormatSigned(l); }

String String::UIntToString(UInt32 l) { return FormatUnsigned(l); }

String String::UIntToString(UInt64 l) { return FormatUnsigned(l); }

String String::FloatToString(Float32 v, Int32 vvk, Int32 nnk, Bool e, Utf32Char xchar) {
  // Shortest digits of the single-precision value, not of its double form.
  char buffer[64];
  snprintf(buffer, sizeof(buffer), "%.7g", static_cast<double>(v));
  return FormatFloat(strtod(buffer, nullptr), vvk, nnk, e, xchar);
}

String String::FloatToString(Float64 v, Int32 vvk, Int32 nnk, Bool e, Utf32Char xchar) {
  return FormatFloat(v, vvk, nnk, e, xchar);
}

String String::HexToString(UInt32 v, Bool prefix0x) {
  return HexToString(static_cast<UInt64>(v), prefix0x);
}

String String::HexToString(UInt64 v, Bool prefix0x) {
  char buffer[32];
  snprintf(buffer, sizeof(buffer), prefix0x ? "0x%llX" : "%llX",
           static_cast<unsigned long long>(v));
  return FromAscii(buffer);
}

String String::MemoryToString(Int64 mem) {
  static const char* const kUnits[] = {"KB", "MB", "GB", "TB", "PB"};
  if (mem < 1024 && mem > -1024) return FormatSigned(mem) + " Bytes";
  double value = static_cast<double>(mem);
  int unit = -1;
  while ((value >= 1024.0 || value <= -1024.0) && unit < 4) {
    value /= 1024.0;
    ++unit;
  }
  char buffer[64];
  snprintf(buffer, sizeof(buffer), "%.1f %s", value, kUnits[unit]);
  return FromAscii(buffer);
}

Float String::ParseToFloat(Int32* error, Int unit, Int angletype, Int base) const {
  (void)unit;
  (void)angletype;
  (void)base;
  bool ok = false;
  Float value = ParseDouble(text_, &ok);
  StoreError(ok, error);
  return value;
}

Int32 String::ParseToInt32(Int32* error) const {
  bool ok = false;
  Int32 value = static_cast<Int32>(ParseInteger(text_, LIMIT<Int32>::MIN, LIMIT<Int32>::MAX, &ok));
  StoreError(ok, error);
  return value;
}

Int32 String::ToInt32(Bool* error) const {
  bool ok = false;
  Int32 value = static_cast<Int32>(ParseInteger(text_, LIMIT<Int32>::MIN, LIMIT<Int32>::MAX, &ok));
  StoreError(ok, error);
  return value;
}

Int64 String::ToInt64(Bool* error) const {
  bool ok = false;
  Int64 value = ParseInteger(text_, LIMIT<Int64>::MIN, LIMIT<Int64>::MAX, &ok);
  StoreError(ok, error);
  return value;
}

UInt32 String::ToUInt32(Bool* error) const {
  bool ok = false;
  UInt32 value = static_cast<UInt32>(ParseUnsigned(text_, LIMIT<UInt32>::MAX, &ok));
  StoreError(ok, error);
  return value;
}

UInt64 String::ToUInt64(Bool* error) const {
  bool ok = false;
  UInt64 value = ParseUnsigned(text_, LIMIT<UInt64>::MAX, &ok);
  StoreError(ok, error);
  return value;
}

Float String::ToFloat(Bool* error) const {
  bool ok = false;
  Float value = ParseDouble(text_, &ok);
  StoreError(ok, error);
  return value;
}

Int String::ToInt(Bool* error) const { return ToInt64(error); }

UInt String::ToUInt(Bool* error) const { return ToUInt64(error); }

Bool String::SetUtf16(const Utf16Char* ubc, Int count) {
  text_.clear();
  if (ubc == nullptr) return count <= 0;
  if (count < 0) {
    count = 0;
    while (ubc[count] != 0) ++count;
  }
  for (Int i = 0; i < count; ++i) {
    char32_t c = ubc[i];
    bool highSurrogate = c >= 0xD800 && c <= 0xDBFF;
    if (highSurrogate && i + 1 < count && ubc[i + 1] >= 0xDC00 && ubc[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (ubc[i + 1] - 0xDC00);
      ++i;
    }
    text_.push_back(c);
  }
  return true;
}

Bool String::SetUtf32(const Utf32Char* ubc, Int count) {
  text_.clear();
  if (ubc == nullptr) return count <= 0;
  if (count < 0) {
    count = 0;
    while (ubc[count] != 0) ++count;
  }
  text_.assign(ubc, static_cast<size_t>(count));
  return true;
}

Bool String::GetUtf16(maxon::BaseArray<Utf16Char>& dst) {
  dst.Flush();
  for (char32_t c : text_) {
    if (c >= 0x10000 && c <= 0x10FFFF) {
      if (dst.Append(static_cast<Utf16Char>(0xD800 + ((c - 0x10000) >> 10))) == nullptr ||
          dst.Append(static_cast<Utf16Char>(0xDC00 + ((c - 0x10000) & 0x3FF))) == nullptr) {
        return false;
      }
    } else if (dst.Append(static_cast<Utf16Char>(c > 0xFFFF ? U'?' : c)) == nullptr) {
      return false;
    }
  }
  return true;
}

Bool String::GetUtf32(maxon::BaseArray<Utf32Char>& dst) {
  dst.Flush();
  for (char32_t c : text_) {
    if (dst.Append(c) == nullptr) return false;
  }
  return true;
}

#endif
