// Paths in UTF-8 whatever the system's narrow encoding: std::filesystem
// takes the ANSI code page for narrow text on Windows, so the tests convert
// with these and never with string() or path(std::string).
#pragma once

#include <filesystem>
#include <string>

namespace lumidrome_test {

inline std::string Utf8(const std::filesystem::path& path) { return path.u8string(); }
inline std::filesystem::path PathOf(const std::string& utf8) {
  return std::filesystem::u8path(utf8);
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

}  // namespace lumidrome_test
