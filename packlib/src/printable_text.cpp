#include "packlib/printable_text.h"

#include <cstdio>

namespace packlib {

namespace {

unsigned char ByteAt(const std::string& bytes, size_t index) {
  return static_cast<unsigned char>(bytes[index]);
}

bool IsContinuation(unsigned char byte) { return byte >= 0x80 && byte <= 0xBF; }

// The sequence length a lead byte announces, with the range its second byte
// must fall in (this rules out overlong forms, surrogates and values above
// U+10FFFF); 0 for a byte that starts no sequence.
size_t AnnouncedLength(unsigned char lead, unsigned char* low, unsigned char* high) {
  *low = 0x80;
  *high = 0xBF;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) {
    if (lead == 0xE0) *low = 0xA0;
    if (lead == 0xED) *high = 0x9F;
    return 3;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    if (lead == 0xF0) *low = 0x90;
    if (lead == 0xF4) *high = 0x8F;
    return 4;
  }
  return 0;
}

// Length of the well-formed character at index, 0 when there is none.
size_t CharacterLength(const std::string& bytes, size_t index) {
  unsigned char low = 0, high = 0;
  size_t length = AnnouncedLength(ByteAt(bytes, index), &low, &high);
  if (length <= 1 || index + length > bytes.size()) return length == 1 ? 1 : 0;
  unsigned char second = ByteAt(bytes, index + 1);
  if (second < low || second > high) return 0;
  for (size_t k = 2; k < length; ++k) {
    if (!IsContinuation(ByteAt(bytes, index + k))) return 0;
  }
  return length;
}

std::string HexEscape(unsigned char byte) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "\\x%02x", byte);
  return buffer;
}

}  // namespace

bool IsValidUtf8(const std::string& bytes) {
  for (size_t i = 0; i < bytes.size();) {
    size_t length = CharacterLength(bytes, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::string EscapedForTerminal(const std::string& bytes) {
  std::string out;
  for (size_t i = 0; i < bytes.size();) {
    unsigned char byte = ByteAt(bytes, i);
    size_t length = CharacterLength(bytes, i);
    if (byte == '\\') {
      out += "\\\\";
    } else if (length == 0 || byte < 0x20 || byte == 0x7f) {
      out += HexEscape(byte);
    } else {
      out.append(bytes, i, length);
    }
    i += length == 0 ? 1 : length;
  }
  return out;
}

std::string WithInvalidUtf8Replaced(const std::string& bytes) {
  std::string out;
  for (size_t i = 0; i < bytes.size();) {
    size_t length = CharacterLength(bytes, i);
    if (length == 0) {
      out += "\xEF\xBF\xBD";
      i += 1;
    } else {
      out.append(bytes, i, length);
      i += length;
    }
  }
  return out;
}

size_t DisplayWidth(const std::string& utf8) {
  size_t width = 0;
  for (unsigned char byte : utf8) {
    if (!IsContinuation(byte)) ++width;
  }
  return width;
}

}  // namespace packlib
