#include "text_util.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "platform/platform.h"

namespace simhost {

std::string QuoteText(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7f) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\x%02x", c);
      out += buffer;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

void SendText(c4d_text_sink sink, void* ctx, const std::string& text) {
  if (sink != nullptr) sink(ctx, text.data(), static_cast<int64_t>(text.size()));
}

std::string FromCText(const char* text) { return text != nullptr ? std::string(text) : ""; }

namespace {

using platform::IsSeparator;

// The length of the root that keeps its separator: "/", or "C:\" on Windows.
size_t RootLength(const std::string& path) {
#ifdef _WIN32
  if (path.size() >= 3 && path[1] == ':' && IsSeparator(path[2])) return 3;
#endif
  return !path.empty() && IsSeparator(path[0]) ? 1 : 0;
}

std::string WithoutTrailingSeparators(std::string path) {
  const size_t root = std::max<size_t>(RootLength(path), 1);
  while (path.size() > root && IsSeparator(path.back())) path.pop_back();
  return path;
}

}  // namespace

std::string NormalFolder(const std::string& path) {
  if (path.empty()) return path;
  return WithoutTrailingSeparators(
      platform::Utf8FromPath(platform::PathFromUtf8(path).lexically_normal()));
}

std::string ParentFolder(const std::string& path) {
  const std::string trimmed = WithoutTrailingSeparators(path);
  const size_t slash = trimmed.find_last_of(platform::kPathSeparators);
  if (slash == std::string::npos) return "";
  const size_t root = RootLength(trimmed);
  if (slash < root) return trimmed.size() > root ? trimmed.substr(0, root) : "";
  return trimmed.substr(0, slash);
}

std::string FourCc(int32_t code) {
  uint32_t bits = static_cast<uint32_t>(code);
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) text += static_cast<char>((bits >> shift) & 0xff);
  return text;
}

}  // namespace simhost
