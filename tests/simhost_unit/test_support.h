// Helpers shared by the core library's unit tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "c4d_function_table.h"

namespace simhost_test {

// A fresh folder below the system's temporary folder, removed with the object.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

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
