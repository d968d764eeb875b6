// GeData: the value kinds that cross the function table.
#include "c4d_gedata.h"

#include <new>

#include "c4d_basecontainer.h"
#include "c4d_host_private.h"

namespace {

const String& EmptyString() {
  static const String empty;
  return empty;
}

const Filename& EmptyFilename() {
  static const Filename empty;
  return empty;
}

}  // namespace

GeData::GeData(maxon::Int32 type, DEFAULTVALUETYPE) {
  switch (type) {
    case DA_LONG:
      SetInt(0);
      break;
    case DA_REAL:
      SetFloatValue(0.0);
      break;
    case DA_LLONG:
      SetInt64Value(0);
      break;
    case DA_STRING:
      SetStringValue(String());
      break;
    case DA_FILENAME:
      SetFilenameValue(Filename());
      break;
    case DA_CONTAINER:
      SetContainerValue(BaseContainer());
      break;
    case DA_ALIASLINK:
      SetLinkValue(nullptr);
      break;
    default:
      break;
  }
}

const GeData& GeData::operator=(const GeData& n) {
  if (this != &n) {
    Free();
    CopyFrom(n);
  }
  return *this;
}

Bool GeData::operator==(const GeData& d) const {
  if (type_ != d.type_) return false;
  switch (type_) {
    case DA_LONG:
      return int32_ == d.int32_;
    case DA_REAL:
      return float_ == d.float_;
    case DA_LLONG:
      return int64_ == d.int64_;
    case DA_STRING:
      return GetString() == d.GetString();
    case DA_FILENAME:
      return GetFilename() == d.GetFilename();
    case DA_CONTAINER:
      return *GetContainer() == *d.GetContainer();
    case DA_ALIASLINK:
      return object_ == d.object_;
    default:
      return true;
  }
}

void GeData::Free() {
  switch (type_) {
    case DA_STRING:
      delete static_cast<String*>(object_);
      break;
    case DA_FILENAME:
      delete static_cast<Filename*>(object_);
      break;
    case DA_CONTAINER:
      delete static_cast<BaseContainer*>(object_);
      break;
    default:
      break;
  }
  type_ = DA_NIL;
  int32_ = 0;
  int64_ = 0;
  float_ = 0.0;
  object_ = nullptr;
}

const String& GeData::GetString() const {
  return type_ == DA_STRING ? *static_cast<const String*>(object_) : EmptyString();
}

const Filename& GeData::GetFilename() const {
  return type_ == DA_FILENAME ? *static_cast<const Filename*>(object_) : EmptyFilename();
}

BaseContainer* GeData::GetContainer() const {
  return type_ == DA_CONTAINER ? static_cast<BaseContainer*>(object_) : nullptr;
}

BaseList2D* GeData::GetLink(const BaseDocument* doc, maxon::Int32 instanceof) const {
  (void)doc;
  if (type_ != DA_ALIASLINK || object_ == nullptr) return nullptr;
  BaseList2D* link = static_cast<BaseList2D*>(object_);
  if (instanceof == 0) return link;
  const c4d_function_table* table = c4dhost::Table();
  const c4d_atom* atom = reinterpret_cast<const c4d_atom*>(link);
  return table != nullptr && table->scene->is_instance_of(atom, instanceof) ? link : nullptr;
}

// Integer reads convert the numeric kinds, as the host does.
maxon::Int32 GeData::GetInt() const {
  switch (type_) {
    case DA_LONG:
      return int32_;
    case DA_LLONG:
      return static_cast<maxon::Int32>(int64_);
    case DA_REAL:
      return float_ >= 2147483647.0 ? 2147483647
                                    : (float_ <= -2147483648.0 ? (-2147483647 - 1)
                                                               : static_cast<maxon::Int32>(float_));
    default:
      return 0;
  }
}

maxon::Float GeData::GetFloatValue() const {
  switch (type_) {
    case DA_REAL:
      return float_;
    case DA_LONG:
      return int32_;
    case DA_LLONG:
      return static_cast<maxon::Float>(int64_);
    default:
      return 0.0;
  }
}

maxon::Int64 GeData::GetInt64Value() const {
  switch (type_) {
    case DA_LLONG:
      return int64_;
    case DA_LONG:
      return int32_;
    default:
      return 0;
  }
}

void GeData::SetInt(maxon::Int32 v) {
  Free();
  type_ = DA_LONG;
  int32_ = v;
}

void GeData::SetFloatValue(maxon::Float v) {
  Free();
  type_ = DA_REAL;
  float_ = v;
}

void GeData::SetInt64Value(maxon::Int64 v) {
  Free();
  type_ = DA_LLONG;
  int64_ = v;
}

// Heap values: when out of memory the value stays DA_NIL.
void GeData::SetStringValue(const String& v) {
  String* copy = new (std::nothrow) String(v);
  Free();
  if (copy == nullptr) return;
  type_ = DA_STRING;
  object_ = copy;
}

void GeData::SetFilenameValue(const Filename& v) {
  Filename* copy = new (std::nothrow) Filename(v);
  Free();
  if (copy == nullptr) return;
  type_ = DA_FILENAME;
  object_ = copy;
}

void GeData::SetContainerValue(const BaseContainer& v) {
  BaseContainer* copy = new (std::nothrow) BaseContainer(v);
  Free();
  if (copy == nullptr) return;
  type_ = DA_CONTAINER;
  object_ = copy;
}

void GeData::SetLinkValue(BaseList2D* bl) {
  Free();
  type_ = DA_ALIASLINK;
  object_ = bl;
}

void GeData::CopyFrom(const GeData& n) {
  switch (n.type_) {
    case DA_STRING:
      SetStringValue(n.GetString());
      break;
    case DA_FILENAME:
      SetFilenameValue(n.GetFilename());
      break;
    case DA_CONTAINER:
      SetContainerValue(*n.GetContainer());
      break;
    default:
      type_ = n.type_;
      int32_ = n.int32_;
      int64_ = n.int64_;
      float_ = n.float_;
      object_ = n.object_;
      break;
  }
}
