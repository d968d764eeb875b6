// One typed value as the host stores it in containers, parameters and files.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "handles.h"

namespace simhost {

class Container;

class Value {
 public:
  Value();  // nil
  ~Value();
  Value(const Value& other);
  Value& operator=(const Value& other);
  Value(Value&& other) noexcept;
  Value& operator=(Value&& other) noexcept;

  static Value Int32(int32_t value);
  static Value Bool(bool value) { return Int32(value ? 1 : 0); }
  static Value Float(double value);
  static Value Int64(int64_t value);
  static Value String(std::string text);
  static Value Filename(std::string path);
  static Value OfContainer(const Container& container);
  // A link names its element by serial number, so a deleted element reads
  // back as a null link instead of a dangling pointer.
  static Value Link(uint64_t atom_serial);

  int32_t Type() const { return type_; }
  bool IsNil() const { return type_ == C4D_VALUE_NIL; }
  int32_t GetInt32() const { return int32_; }
  int64_t GetInt64() const { return int64_; }
  double GetFloat() const { return float_; }
  const std::string& Text() const { return text_; }
  const Container* GetContainer() const { return container_.get(); }
  Container* GetContainer() { return container_.get(); }
  uint64_t LinkSerial() const { return link_serial_; }

  bool operator==(const Value& other) const;
  bool operator!=(const Value& other) const { return !(*this == other); }

  // Copies a value handed over by the module. False for an unknown kind.
  static bool FromC(const c4d_value& in, Value* out);
  // Fills out; text and container point into this value.
  void ToC(c4d_value* out) const;
  // "Filename \"/a/b\"", "Int32 3", a nested container on one line.
  std::string Describe() const;

 private:
  int32_t type_ = C4D_VALUE_NIL;
  int32_t int32_ = 0;
  int64_t int64_ = 0;
  double float_ = 0.0;
  std::string text_;
  std::unique_ptr<Container> container_;
  uint64_t link_serial_ = 0;
};

// A zeroed c4d_value of kind nil.
c4d_value NilCValue();

}  // namespace simhost
