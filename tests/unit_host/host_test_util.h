// Helpers shared by the host-layer unit tests.
#pragma once

#include <string>

#include "c4d_file.h"
#include "c4d_string.h"

namespace host_test {

// The UTF-8 bytes of a String.
inline std::string Text(const String& text, STRINGENCODING type = STRINGENCODING_UTF8) {
  std::string bytes(static_cast<size_t>(text.GetCStringLen(type)) + 1, '\0');
  maxon::Int32 written = text.GetCString(&bytes[0], static_cast<maxon::Int32>(bytes.size()), type);
  bytes.resize(static_cast<size_t>(written));
  return bytes;
}

inline std::string Text(const Filename& path) { return Text(path.GetString()); }

}  // namespace host_test
