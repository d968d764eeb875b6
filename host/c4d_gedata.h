// GeData: one typed value (nothing, integer, float, 64-bit integer, text,
// file name, container or link to a scene element).
#ifndef C4D_GEDATA_H__
#define C4D_GEDATA_H__

#include "c4d_file.h"
#include "c4d_string.h"
#include "ge_sys_math.h"

class BaseContainer;
class BaseDocument;
class BaseList2D;

enum {
  DA_NIL = 0,
  DA_VOID = 14,
  DA_LONG = 15,
  DA_REAL = 19,
  DA_TIME = 22,
  DA_VECTOR = 23,
  DA_MATRIX = 25,
  DA_LLONG = 26,
  DA_BYTEARRAY = 128,
  DA_STRING = 130,
  DA_FILENAME = 131,
  DA_CONTAINER = 132,
  DA_ALIASLINK = 133,
  DA_MARKER = 256,
  DA_MISSINGPLUG = 257,
#ifndef C4D_API_R14
  DA_UUID = 258,
#endif
  DA_CUSTOMDATATYPE = 1000000
};

enum DEFAULTVALUETYPE { DEFAULTVALUE };
enum VOIDVALUETYPE { VOIDVALUE };
enum LLONGVALUETYPE { LLONGVALUE };

class GeData {
 public:
  GeData() {}
  GeData(const GeData& n) { CopyFrom(n); }
  GeData(maxon::Int32 n) { SetInt(n); }
  GeData(double n) { SetFloatValue(n); }
  GeData(maxon::Float32 n) { SetFloatValue(n); }
  GeData(const maxon::Char* n) { SetStringValue(String(n)); }
  GeData(const String& n) { SetStringValue(n); }
  GeData(const Filename& n) { SetFilenameValue(n); }
  GeData(const BaseContainer& n) { SetContainerValue(n); }
  GeData(BaseList2D* bl) { SetLinkValue(bl); }
  GeData(maxon::Int64 v, LLONGVALUETYPE) { SetInt64Value(v); }
  // The default value of a DA_ type.
  GeData(maxon::Int32 type, DEFAULTVALUETYPE);
  ~GeData() { Free(); }

  const GeData& operator=(const GeData& n);
  Bool operator==(const GeData& d) const;
  Bool operator!=(const GeData& d) const { return !(*this == d); }

  void Free();
  maxon::Int32 GetType() const { return type_; }

  Bool GetBool() const { return GetInt() != 0; }
  const String& GetString() const;
  const Filename& GetFilename() const;
  // The held container, or nullptr when this holds none.
  BaseContainer* GetContainer() const;
  // The linked element if it is an instance of instanceof (0: any).
  BaseList2D* GetLink(const BaseDocument* doc, maxon::Int32 instanceof = 0) const;

#ifdef C4D_API_R14
  LONG GetLong() const { return GetInt(); }
  Real GetReal() const { return GetFloatValue(); }
  LLONG GetLLong() const { return GetInt64Value(); }
  void SetLong(LONG v) { SetInt(v); }
  void SetReal(Real v) { SetFloatValue(v); }
  void SetLLong(const LLONG& v) { SetInt64Value(v); }
#else
  Int32 GetInt32() const { return GetInt(); }
  Float GetFloat() const { return GetFloatValue(); }
  Int64 GetInt64() const { return GetInt64Value(); }
  void SetInt32(Int32 v) { SetInt(v); }
  void SetFloat(Float v) { SetFloatValue(v); }
  void SetInt64(const Int64& v) { SetInt64Value(v); }
#endif
  void SetString(const String& v) { SetStringValue(v); }
  void SetFilename(const Filename& v) { SetFilenameValue(v); }
  void SetContainer(const BaseContainer& v) { SetContainerValue(v); }
  void SetBaseList2D(BaseList2D* bl) { SetLinkValue(bl); }

 private:
  maxon::Int32 GetInt() const;
  maxon::Float GetFloatValue() const;
  maxon::Int64 GetInt64Value() const;
  void SetInt(maxon::Int32 v);
  void SetFloatValue(maxon::Float v);
  void SetInt64Value(maxon::Int64 v);
  void SetStringValue(const String& v);
  void SetFilenameValue(const Filename& v);
  void SetContainerValue(const BaseContainer& v);
  void SetLinkValue(BaseList2D* bl);
  void CopyFrom(const GeData& n);

  maxon::Int32 type_ = DA_NIL;
  maxon::Int32 int32_ = 0;
  maxon::Int64 int64_ = 0;
  maxon::Float float_ = 0.0;
  // String, Filename or BaseContainer owned by this value; the element of a
  // link (not owned).
  void* object_ = nullptr;
};

#endif  // C4D_GEDATA_H__
