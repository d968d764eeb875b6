// Paths in UTF-8 whatever the system's narrow encoding: std::filesystem
// takes the ANSI code page for narrow text on Windows, so the tests convert
// with these and never with string() or path(std::string).
#pragma once

#include <filesystem>
#include <string>

#include "platform/platform.h"

namespace lumidrome_test {

inline std::string Utf8(const std::filesystem::path& path) {
  return simhost::platform::Utf8FromPath(path);
}
inline std::filesystem::path PathOf(const std::string& utf8) {
  return simhost::platform::PathFromUtf8(utf8);
}

// A path written with '/' as this system writes it (with '\\' on Windows),
// as the host and the plug-in compose paths.
inline std::string Native(std::string path) {
#ifdef _WIN32
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
#endif
  return path;
}

// UTF-8 text made of Latin-1 letters in the 8-bit character set, as the
// older interface's builds write texts.
inline std::string Latin1Of(const std::string& utf8) {
  std::string latin1;
  for (size_t at = 0; at < utf8.size(); ++at) {
    const unsigned char c = static_cast<unsigned char>(utf8[at]);
    if (c < 0x80 || at + 1 == utf8.size()) {
      latin1 += static_cast<char>(c);
    } else {
      latin1 += static_cast<char>(((c & 0x03) << 6) | (utf8[++at] & 0x3F));
    }
  }
  return latin1;
}

}  // namespace lumidrome_test
