#include "text_util.h"

#include <cstdio>
#include <filesystem>

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

std::string NormalFolder(const std::string& path) {
  if (path.empty()) return path;
  std::string normal = std::filesystem::path(path).lexically_normal().string();
  while (normal.size() > 1 && normal.back() == '/') normal.pop_back();
  return normal;
}

std::string ParentFolder(const std::string& path) {
  std::string trimmed = path;
  while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
  size_t slash = trimmed.rfind('/');
  if (slash == std::string::npos) return "";
  if (slash == 0) return trimmed.size() > 1 ? "/" : "";
  return trimmed.substr(0, slash);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

std::string FourCc(int32_t code) {
  uint32_t bits = static_cast<uint32_t>(code);
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) text += static_cast<char>((bits >> shift) & 0xff);
  return text;
}

}  // namespace simhost
