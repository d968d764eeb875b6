// Which checks of the table a run shows: --only and --exclude patterns,
// each matched anywhere in a check's name. A selection that runs nothing is
// refused, so that a CI job whose pattern variable is empty cannot pass
// without a check run.
#pragma once

#include <string>
#include <vector>

namespace simhost_app {

struct CheckPatterns {
  std::vector<std::string> only;     // run only checks whose names contain one of these
  std::vector<std::string> exclude;  // and none of these
};

bool Selected(const CheckPatterns& patterns, const std::string& name);

// What is wrong with the patterns for these check names, or empty: a
// pattern that matches no check ("--only nomatch matches no check"), or a
// selection that leaves none ("nothing selected: ...").
std::string SelectionProblem(const CheckPatterns& patterns, const std::vector<std::string>& names);

}  // namespace simhost_app
