#include "session/terminal_input.h"

#if SIMHOST_HAS_READLINE
// clang-format off
#include <cstdio>  // readline needs FILE first
#include <readline/readline.h>
#include <readline/history.h>
// clang-format on

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>

namespace simhost_app {

namespace {

Session* completing = nullptr;              // the session Tab completes for
std::vector<std::string> completion_words;  // the words offered for the word at the cursor
size_t completion_next = 0;

std::string Quoted(const std::string& word) {
  return word.find(' ') == std::string::npos ? word : "\"" + word + "\"";
}

// Words for the word being completed: command names first, then what the
// command offers for its first argument.
std::vector<std::string> CandidateWords(int start) {
  if (start == 0) return completing->commands().Names();
  const std::vector<std::string> words = SplitWords(std::string(rl_line_buffer, start));
  if (words.size() != 1) return {};
  const CommandSpec* command = completing->commands().Find(words[0]);
  if (!command || !command->first_words) return {};
  return command->first_words(*completing);
}

char* NextMatch(const char* text, int state) {
  if (state == 0) completion_next = 0;
  std::string typed = text;
  if (!typed.empty() && typed[0] == '"') typed.erase(0, 1);
  while (completion_next < completion_words.size()) {
    const std::string& word = completion_words[completion_next++];
    if (word.compare(0, typed.size(), typed) == 0) return strdup(Quoted(word).c_str());
  }
  return nullptr;
}

char** Complete(const char* text, int start, int /*end*/) {
  try {
    completion_words = CandidateWords(start);
  } catch (const CommandError&) {
    completion_words.clear();  // an open quote before the cursor
  }
  const bool by_command = start == 0 || !completion_words.empty();
  // Without words of its own a command's argument completes as a file name.
  rl_attempted_completion_over = by_command ? 1 : 0;
  return by_command ? rl_completion_matches(text, NextMatch) : nullptr;
}

}  // namespace

void RunAtTerminal(Session& session) {
  completing = &session;
  rl_readline_name = "simhost";
  rl_attempted_completion_function = Complete;
  rl_basic_word_break_characters = const_cast<char*>(" \t");
  std::cout << "simhost session: help lists the commands, Tab completes, quit or Ctrl+D leaves\n";
  while (!session.Finished()) {
    std::cout.flush();
    std::unique_ptr<char, decltype(&std::free)> line(readline("simhost> "), &std::free);
    if (!line) {
      std::cout << "\n";
      break;
    }
    if (*line.get() != '\0') add_history(line.get());
    session.RunLine(line.get());
  }
  completing = nullptr;
}

}  // namespace simhost_app

#else  // no readline here (Windows): plain line reading

#include <iostream>
#include <string>

namespace simhost_app {

void RunAtTerminal(Session& session) {
  std::cout << "simhost session: help lists the commands, quit or Ctrl+Z then Enter leaves\n";
  std::string line;
  while (!session.Finished()) {
    std::cout << "simhost> " << std::flush;
    if (!std::getline(std::cin, line)) {
      std::cout << "\n";
      break;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    session.RunLine(line);
  }
}

}  // namespace simhost_app

#endif
