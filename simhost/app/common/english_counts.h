// Counts as a person reads them: "1 tile", "2 tiles".
#pragma once

#include <string>

namespace simhost_app {

inline std::string Counted(long long count, const std::string& singular,
                           const std::string& plural) {
  return std::to_string(count) + " " + (count == 1 ? singular : plural);
}

}  // namespace simhost_app
