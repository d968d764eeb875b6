#include "temp_folder.h"

#include <unistd.h>

#include <atomic>

namespace lumidrome_test {

namespace fs = std::filesystem;

TempFolder::TempFolder(const std::string& prefix) {
  static std::atomic<int> counter{0};
  path_ = fs::temp_directory_path() /
          (prefix + "-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
  fs::remove_all(path_);
  fs::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

}  // namespace lumidrome_test
