// Counts as a person reads them: "1 tile", "2 tiles". Shared by the stand-in
// host, its commands and the pack tools.
#pragma once

#include <string>

namespace lumidrome {

inline std::string Counted(long long count, const std::string& singular,
                           const std::string& plural) {
  return std::to_string(count) + " " + (count == 1 ? singular : plural);
}

}  // namespace lumidrome
