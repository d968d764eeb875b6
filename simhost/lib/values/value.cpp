#include "value.h"

#include <cstdio>
#include <cstring>
#include <sstream>

#include "container.h"
#include "scene/atom.h"
#include "text/text_util.h"

namespace simhost {

Value::Value() = default;
Value::~Value() = default;

Value::Value(const Value& other)
    : type_(other.type_),
      int32_(other.int32_),
      int64_(other.int64_),
      float_(other.float_),
      text_(other.text_),
      container_(other.container_ ? std::make_unique<Container>(*other.container_) : nullptr),
      link_serial_(other.link_serial_) {}

Value& Value::operator=(const Value& other) {
  if (this != &other) {
    Value copy(other);
    *this = std::move(copy);
  }
  return *this;
}

Value::Value(Value&& other) noexcept = default;
Value& Value::operator=(Value&& other) noexcept = default;

Value Value::Int32(int32_t value) {
  Value v;
  v.type_ = C4D_VALUE_INT32;
  v.int32_ = value;
  return v;
}

Value Value::Float(double value) {
  Value v;
  v.type_ = C4D_VALUE_FLOAT;
  v.float_ = value;
  return v;
}

Value Value::Int64(int64_t value) {
  Value v;
  v.type_ = C4D_VALUE_INT64;
  v.int64_ = value;
  return v;
}

Value Value::String(std::string text) {
  Value v;
  v.type_ = C4D_VALUE_STRING;
  v.text_ = std::move(text);
  return v;
}

Value Value::Filename(std::string path) {
  Value v;
  v.type_ = C4D_VALUE_FILENAME;
  v.text_ = std::move(path);
  return v;
}

Value Value::OfContainer(const Container& container) {
  Value v;
  v.type_ = C4D_VALUE_CONTAINER;
  v.container_ = std::make_unique<Container>(container);
  return v;
}

Value Value::Link(uint64_t atom_serial) {
  Value v;
  v.type_ = C4D_VALUE_LINK;
  v.link_serial_ = atom_serial;
  return v;
}

bool Value::operator==(const Value& other) const {
  if (type_ != other.type_) return false;
  switch (type_) {
    case C4D_VALUE_INT32:
      return int32_ == other.int32_;
    case C4D_VALUE_FLOAT:
      return float_ == other.float_;
    case C4D_VALUE_INT64:
      return int64_ == other.int64_;
    case C4D_VALUE_STRING:
    case C4D_VALUE_FILENAME:
      return text_ == other.text_;
    case C4D_VALUE_CONTAINER:
      return *container_ == *other.container_;
    case C4D_VALUE_LINK:
      return link_serial_ == other.link_serial_;
    default:
      return true;
  }
}

namespace {

std::string TextFromC(const c4d_value& in) {
  if (in.text == nullptr || in.text_length == 0) return std::string();
  // A negative length means the text is zero-terminated.
  if (in.text_length < 0) return std::string(in.text);
  return std::string(in.text, static_cast<size_t>(in.text_length));
}

}  // namespace

bool Value::FromC(const c4d_value& in, Value* out) {
  switch (in.type) {
    case C4D_VALUE_NIL:
      *out = Value();
      return true;
    case C4D_VALUE_INT32:
      *out = Int32(in.int32_value);
      return true;
    case C4D_VALUE_FLOAT:
      *out = Float(in.float_value);
      return true;
    case C4D_VALUE_INT64:
      *out = Int64(in.int64_value);
      return true;
    case C4D_VALUE_STRING:
      *out = String(TextFromC(in));
      return true;
    case C4D_VALUE_FILENAME:
      *out = Filename(TextFromC(in));
      return true;
    case C4D_VALUE_CONTAINER: {
      const Container* source = ToContainer(in.container);
      // Copy before assigning: the source may live inside *out.
      Value copy = OfContainer(source != nullptr ? *source : Container());
      *out = std::move(copy);
      return in.container == nullptr || source != nullptr;
    }
    case C4D_VALUE_LINK: {
      const Atom* atom = ToAtom(in.link);
      *out = Link(atom != nullptr ? atom->Serial() : 0);
      return in.link == nullptr || atom != nullptr;
    }
    default:
      return false;
  }
}

c4d_value NilCValue() {
  c4d_value value;
  std::memset(&value, 0, sizeof value);
  value.type = C4D_VALUE_NIL;
  return value;
}

void Value::ToC(c4d_value* out) const {
  *out = NilCValue();
  out->type = type_;
  out->int32_value = int32_;
  out->int64_value = int64_;
  out->float_value = float_;
  if (type_ == C4D_VALUE_STRING || type_ == C4D_VALUE_FILENAME) {
    out->text = text_.c_str();
    out->text_length = static_cast<int64_t>(text_.size());
  }
  if (type_ == C4D_VALUE_CONTAINER) out->container = container_.get();
  if (type_ == C4D_VALUE_LINK) out->link = FindAtom(link_serial_);
}

std::string Value::Describe() const {
  switch (type_) {
    case C4D_VALUE_NIL:
      return "Nil";
    case C4D_VALUE_INT32:
      return "Int32 " + std::to_string(int32_);
    case C4D_VALUE_FLOAT: {
      char buffer[64];
      std::snprintf(buffer, sizeof buffer, "Float %.17g", float_);
      return buffer;
    }
    case C4D_VALUE_INT64:
      return "Int64 " + std::to_string(int64_);
    case C4D_VALUE_STRING:
      return "String " + QuoteText(text_);
    case C4D_VALUE_FILENAME:
      return "Filename " + QuoteText(text_);
    case C4D_VALUE_CONTAINER:
      return "Container id " + std::to_string(container_->Id()) + ", " +
             std::to_string(container_->Count()) +
             (container_->Count() == 1 ? " entry" : " entries");
    case C4D_VALUE_LINK: {
      const Atom* atom = FindAtom(link_serial_);
      return atom != nullptr ? "Link to " + atom->Label() : std::string("Link (none)");
    }
    default:
      return "Kind " + std::to_string(type_);
  }
}

}  // namespace simhost
