#include "temp_folder.h"

#include <stdlib.h>

#include <stdexcept>

namespace lumidrome_test {

namespace fs = std::filesystem;

// mkdtemp makes a name no other helper of the tests can hold at the same time.
TempFolder::TempFolder(const std::string& prefix) {
  std::string pattern = (fs::temp_directory_path() / (prefix + "-XXXXXX")).string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("cannot make a temporary folder " + pattern);
  }
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

}  // namespace lumidrome_test
