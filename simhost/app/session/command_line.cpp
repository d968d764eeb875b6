#include "session/command_line.h"

#include <cctype>
#include <charconv>

namespace simhost_app {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Reads a quoted word from just after its opening quote; returns the
// position after the closing quote. Only \" and \\ are escapes: other
// backslashes stay, as in the Windows path "C:\Users\me\Packs".
size_t ReadQuoted(const std::string& line, size_t at, std::string* word) {
  while (at < line.size() && line[at] != '"') {
    if (line[at] == '\\' && at + 1 < line.size() && (line[at + 1] == '"' || line[at + 1] == '\\')) {
      ++at;
    }
    *word += line[at++];
  }
  if (at >= line.size()) throw CommandError("unterminated quote");
  return at + 1;
}

}  // namespace

std::vector<std::string> SplitWords(const std::string& line) {
  std::vector<std::string> words;
  size_t at = 0;
  while (true) {
    while (at < line.size() && IsBlank(line[at])) ++at;
    if (at >= line.size() || line[at] == '#') break;
    std::string word;
    while (at < line.size() && !IsBlank(line[at])) {
      if (line[at] == '"') {
        at = ReadQuoted(line, at + 1, &word);
      } else {
        word += line[at++];
      }
    }
    words.push_back(word);
  }
  return words;
}

std::string Arguments::Get(size_t i, const std::string& fallback) const {
  return i < words_.size() ? words_[i] : fallback;
}

std::string Arguments::Rest(size_t i) const {
  std::string text;
  for (size_t k = i; k < words_.size(); ++k) text += (k > i ? " " : "") + words_[k];
  return text;
}

void Arguments::ExpectCount(size_t min, size_t max, const std::string& usage) const {
  if (words_.size() < min || words_.size() > max) throw CommandError("usage: " + usage);
}

bool ParseInt32(const std::string& word, int32_t* value) {
  const char* first = word.data();
  const char* last = word.data() + word.size();
  auto [end, error] = std::from_chars(first, last, *value);
  return error == std::errc() && end == last && first != last;
}

int32_t ExpectInt32(const std::string& word, const std::string& what) {
  int32_t value = 0;
  if (!ParseInt32(word, &value)) throw CommandError("expected " + what + ", got \"" + word + "\"");
  return value;
}

bool SameText(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

}  // namespace simhost_app
