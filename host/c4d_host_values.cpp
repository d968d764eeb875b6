// Text and values across the function table, and the per-module caches.
#include <memory>
#include <new>
#include <string>
#include <unordered_map>
#include <vector>

#include "c4d_host_private.h"

namespace c4dhost {

namespace {

// Deeper host containers are cut off, so a corrupt (cyclic) host container
// cannot exhaust the stack.
const int kMaxContainerDepth = 64;

void ReadHostContainerAt(const c4d_container* source, BaseContainer* target, int depth);

GeData DataFromValueAt(const c4d_value& value, int depth) {
  switch (value.type) {
    case C4D_VALUE_INT32:
      return GeData(static_cast<maxon::Int32>(value.int32_value));
    case C4D_VALUE_FLOAT:
      return GeData(value.float_value);
    case C4D_VALUE_INT64:
      return GeData(static_cast<maxon::Int64>(value.int64_value), LLONGVALUE);
    case C4D_VALUE_STRING:
      return GeData(StringFromUtf8(value.text, value.text_length));
    case C4D_VALUE_FILENAME:
      return GeData(Filename(StringFromUtf8(value.text, value.text_length)));
    case C4D_VALUE_CONTAINER: {
      BaseContainer nested;
      if (depth < kMaxContainerDepth) ReadHostContainerAt(value.container, &nested, depth + 1);
      return GeData(nested);
    }
    case C4D_VALUE_LINK:
      return GeData(reinterpret_cast<BaseList2D*>(value.link));
    default:
      return GeData();
  }
}

void ReadHostContainerAt(const c4d_container* source, BaseContainer* target, int depth) {
  BaseContainer result;
  const c4d_function_table* table = Table();
  if (table != nullptr && source != nullptr) {
    result.SetId(table->container->get_id(source));
    int32_t count = table->container->count(source);
    for (int32_t index = 0; index < count; ++index) {
      int32_t key = table->container->key_at(source, index);
      c4d_value value{};
      if (table->container->get(source, key, &value)) {
        result.InsData(key, DataFromValueAt(value, depth));
      }
    }
  }
  *target = result;
}

std::unordered_map<const c4d_container*, std::unique_ptr<BaseContainer>>& BoundCache() {
  static std::unordered_map<const c4d_container*, std::unique_ptr<BaseContainer>> cache;
  return cache;
}

std::unordered_map<const c4d_atom*, String>& NameCache() {
  static std::unordered_map<const c4d_atom*, String> cache;
  return cache;
}

}  // namespace

std::string Utf8Bytes(const String& text) {
  // Room for the longest encoding of every character, so that the text is
  // encoded once; short texts (a grid's thousands of labels) on the stack.
  const size_t room = static_cast<size_t>(text.GetLength()) * 4 + 1;
  char short_text[256];
  std::vector<char> long_text(room > sizeof short_text ? room : 0);
  char* buffer = long_text.empty() ? short_text : long_text.data();
  maxon::Int32 written =
      text.GetCString(buffer, static_cast<maxon::Int32>(room), STRINGENCODING_UTF8);
  return std::string(buffer, static_cast<size_t>(written));
}

std::string Utf8(const String& text) {
  static const char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD in UTF-8
  std::string bytes = Utf8Bytes(text);
  if (bytes.find('\0') == std::string::npos) return bytes;
  std::string shown;
  for (char c : bytes) {
    if (c == '\0') {
      shown += kReplacement;
    } else {
      shown += c;
    }
  }
  return shown;
}

std::string Utf8(const Filename& path) { return Utf8(path.GetString()); }

bool HoldsNul(const String& text) {
  for (maxon::Int32 i = 0; i < text.GetLength(); ++i) {
    if (text[i] == 0) return true;
  }
  return false;
}

bool HoldsNul(const Filename& path) { return HoldsNul(path.GetString()); }

String StringFromUtf8(const char* text, int64_t length) {
  String result;
  if (text != nullptr && length > 0 && length <= 0x7FFFFFFF) {
    result.SetCString(text, static_cast<maxon::Int32>(length), STRINGENCODING_UTF8);
  }
  return result;
}

void TextReceiver::Sink(void* ctx, const char* text, int64_t length) {
  if (ctx == nullptr || text == nullptr || length <= 0) return;
  static_cast<TextReceiver*>(ctx)->bytes_.assign(text, static_cast<size_t>(length));
}

HostValue::HostValue(const GeData& data) : value_() {
  switch (data.GetType()) {
    case DA_LONG:
      value_.type = C4D_VALUE_INT32;
#ifdef C4D_API_R14
      value_.int32_value = data.GetLong();
#else
      value_.int32_value = data.GetInt32();
#endif
      break;
    case DA_REAL:
      value_.type = C4D_VALUE_FLOAT;
#ifdef C4D_API_R14
      value_.float_value = data.GetReal();
#else
      value_.float_value = data.GetFloat();
#endif
      break;
    case DA_LLONG:
      value_.type = C4D_VALUE_INT64;
#ifdef C4D_API_R14
      value_.int64_value = data.GetLLong();
#else
      value_.int64_value = data.GetInt64();
#endif
      break;
    case DA_STRING:
    case DA_FILENAME:
      value_.type = data.GetType() == DA_STRING ? C4D_VALUE_STRING : C4D_VALUE_FILENAME;
      text_ = Utf8Bytes(data.GetType() == DA_STRING ? data.GetString()
                                                    : data.GetFilename().GetString());
      value_.text = text_.c_str();
      value_.text_length = static_cast<int64_t>(text_.size());
      break;
    case DA_CONTAINER: {
      const c4d_function_table* table = Table();
      nested_ = table != nullptr ? table->container->create(0) : nullptr;
      if (nested_ != nullptr) WriteHostContainer(*data.GetContainer(), nested_);
      value_.type = nested_ != nullptr ? C4D_VALUE_CONTAINER : C4D_VALUE_NIL;
      value_.container = nested_;
      break;
    }
    case DA_ALIASLINK:
      value_.type = C4D_VALUE_LINK;
      value_.link = reinterpret_cast<c4d_atom*>(data.GetLink(nullptr));
      break;
    default:
      value_.type = C4D_VALUE_NIL;
      break;
  }
}

HostValue::~HostValue() {
  const c4d_function_table* table = Table();
  if (nested_ != nullptr && table != nullptr) table->container->destroy(nested_);
}

GeData DataFromValue(const c4d_value& value) { return DataFromValueAt(value, 0); }

ScopedHostContainer::ScopedHostContainer(const BaseContainer& source) {
  const c4d_function_table* table = Table();
  handle_ = table != nullptr ? table->container->create(0) : nullptr;
  if (handle_ != nullptr) WriteHostContainer(source, handle_);
}

ScopedHostContainer::ScopedHostContainer() {
  const c4d_function_table* table = Table();
  handle_ = table != nullptr ? table->container->create(0) : nullptr;
}

ScopedHostContainer::~ScopedHostContainer() {
  const c4d_function_table* table = Table();
  if (handle_ != nullptr && table != nullptr) table->container->destroy(handle_);
}

void ReadHostContainer(const c4d_container* source, BaseContainer* target) {
  if (target != nullptr) ReadHostContainerAt(source, target, 0);
}

void WriteHostContainer(const BaseContainer& source, c4d_container* target) {
  const c4d_function_table* table = Table();
  if (table == nullptr || target == nullptr) return;
  if (ContainerAccess::Handle(source) != nullptr) {
    WriteHostContainer(BaseContainer(source), target);
    return;
  }
  table->container->flush(target);
  table->container->set_id(target, source.GetId());
  ContainerAccess::ForEachEntry(source, [&](maxon::Int32 key, const GeData& value) {
    HostValue hostValue(value);
    table->container->set(target, key, hostValue.Get());
  });
}

BaseContainer ContainerFromHost(const c4d_container* source) {
  BaseContainer result;
  ReadHostContainer(source, &result);
  return result;
}

BaseContainer* BoundContainer(c4d_container* handle) {
  if (handle == nullptr) return nullptr;
  std::unique_ptr<BaseContainer>& slot = BoundCache()[handle];
  if (slot == nullptr) slot.reset(ContainerAccess::NewBound(handle));
  return slot.get();
}

String& NameSlot(const c4d_atom* atom) { return NameCache()[atom]; }

void ClearModuleCaches() {
  BoundCache().clear();
  NameCache().clear();
}

BaseContainer* ContainerAccess::NewBound(c4d_container* handle) {
  BaseContainer* bound = new (std::nothrow) BaseContainer();
  if (bound != nullptr) bound->bound_ = handle;
  return bound;
}

}  // namespace c4dhost
