// One line of a session split into words, and the checks every command
// makes on its words.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace simhost_app {

// What a command throws for a bad argument or a request the host could not
// carry out; the session prints it as one line and goes on.
class CommandError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Splits on blanks; "double quotes" keep blanks and take \" and \\; a word
// starting with # starts a comment. Throws CommandError on an open quote.
std::vector<std::string> SplitWords(const std::string& line);

// The words after the command name.
class Arguments {
 public:
  explicit Arguments(std::vector<std::string> words) : words_(std::move(words)) {}
  size_t Count() const { return words_.size(); }
  const std::string& operator[](size_t i) const { return words_.at(i); }
  // The word, or fallback when there are fewer words.
  std::string Get(size_t i, const std::string& fallback = "") const;
  // The words from i on, joined by single blanks.
  std::string Rest(size_t i) const;
  // Throws unless min <= Count() <= max; usage goes into the message.
  void ExpectCount(size_t min, size_t max, const std::string& usage) const;

 private:
  std::vector<std::string> words_;
};

// The whole word as a decimal integer, if it is one.
bool ParseInt32(const std::string& word, int32_t* value);
// The whole word as an integer; throws CommandError naming what it is.
int32_t ExpectInt32(const std::string& word, const std::string& what);
// Compares ignoring ASCII case.
bool SameText(const std::string& a, const std::string& b);

}  // namespace simhost_app
