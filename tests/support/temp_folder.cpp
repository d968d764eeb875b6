#include "temp_folder.h"

#include <stdexcept>

#include "platform/platform.h"

namespace lumidrome_test {

namespace fs = std::filesystem;
namespace platform = lumidrome::platform;

// A uniquely made folder: no other helper of the tests can hold the name at
// the same time.
TempFolder::TempFolder(const std::string& prefix) {
  std::string reason;
  utf8_path_ = platform::MakeUniqueFolder("", prefix + "-", &reason);
  if (utf8_path_.empty()) {
    throw std::runtime_error("cannot make a temporary folder " + prefix + " in " +
                             platform::TempFolder() + ": " + reason);
  }
  path_ = platform::PathFromUtf8(utf8_path_);
}

std::string TempFolder::File(const std::string& name) const {
  return platform::JoinPath(utf8_path_, name);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

}  // namespace lumidrome_test
