// Helpers shared by the core library's unit tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "c4d_function_table.h"
#include "temp_folder.h"

namespace simhost_test {

using lumidrome_test::TempFolder;
// The unit tests' folders hold a non-ASCII letter ("ü"), so that every path
// they hand the host goes through its UTF-8 conversions.
inline const char kTempPrefix[] = "simhost unit \xC3\xBC";

std::vector<uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// Collects text from a c4d_text_sink.
struct TextCatcher {
  std::string text;
  int calls = 0;
  static void Sink(void* ctx, const char* text, int64_t length);
};

// Points at text, which must outlive the value.
c4d_value StringValue(const char* text, int32_t type = C4D_VALUE_STRING);
c4d_value Int32Value(int32_t value);

}  // namespace simhost_test
