#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/platform.h"

namespace simhost_test {

namespace platform = simhost::platform;

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(platform::PathFromUtf8(path), std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(platform::PathFromUtf8(path), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

void TextCatcher::Sink(void* ctx, const char* text, int64_t length) {
  auto* catcher = static_cast<TextCatcher*>(ctx);
  catcher->text.assign(text, static_cast<size_t>(length));
  ++catcher->calls;
}

c4d_value StringValue(const char* text, int32_t type) {
  c4d_value value;
  std::memset(&value, 0, sizeof value);
  value.type = type;
  value.text = text;
  value.text_length = static_cast<int64_t>(std::strlen(text));
  return value;
}

c4d_value Int32Value(int32_t number) {
  c4d_value value;
  std::memset(&value, 0, sizeof value);
  value.type = C4D_VALUE_INT32;
  value.int32_value = number;
  return value;
}

}  // namespace simhost_test
