#include "validate/runner/check_selection.h"

#include <algorithm>
#include <utility>

namespace simhost_app {

namespace {

bool MatchesAny(const std::vector<std::string>& patterns, const std::string& name) {
  return std::any_of(patterns.begin(), patterns.end(), [&](const std::string& pattern) {
    return name.find(pattern) != std::string::npos;
  });
}

// The patterns as given on the command line, quoted so that an empty one shows.
std::string Shown(const char* option, const std::vector<std::string>& patterns) {
  std::string text = std::string(option) + " \"";
  for (size_t i = 0; i < patterns.size(); ++i) text += (i == 0 ? "" : ",") + patterns[i];
  return text + "\"";
}

std::string UnmatchedPattern(const CheckPatterns& patterns, const std::vector<std::string>& names) {
  for (const auto& [option, list] :
       {std::pair{"--only", &patterns.only}, std::pair{"--exclude", &patterns.exclude}}) {
    for (const std::string& pattern : *list) {
      const auto contains = [&](const std::string& name) {
        return name.find(pattern) != std::string::npos;
      };
      if (std::none_of(names.begin(), names.end(), contains)) {
        return std::string(option) + " " + pattern + " matches no check";
      }
    }
  }
  return "";
}

}  // namespace

bool Selected(const CheckPatterns& patterns, const std::string& name) {
  return (patterns.only.empty() || MatchesAny(patterns.only, name)) &&
         !MatchesAny(patterns.exclude, name);
}

std::string SelectionProblem(const CheckPatterns& patterns, const std::vector<std::string>& names) {
  const std::string unmatched = UnmatchedPattern(patterns, names);
  if (!unmatched.empty()) return unmatched;
  const bool any = std::any_of(names.begin(), names.end(),
                               [&](const std::string& name) { return Selected(patterns, name); });
  if (any) return "";
  const std::string excluded = Shown("--exclude", patterns.exclude);
  return "nothing selected: " + (patterns.only.empty()
                                     ? excluded + " leaves out every check"
                                     : excluded + " leaves out every check that " +
                                           Shown("--only", patterns.only) + " picks");
}

}  // namespace simhost_app
