#include "temp_folder.h"

#include <stdexcept>

#include "platform/platform.h"

namespace lumidrome_test {

namespace fs = std::filesystem;
namespace platform = simhost::platform;

// A uniquely made folder: no other helper of the tests can hold the name at
// the same time.
TempFolder::TempFolder(const std::string& prefix) {
  std::string reason;
  const std::string folder = platform::MakeUniqueFolder("", prefix + "-", &reason);
  if (folder.empty()) {
    throw std::runtime_error("cannot make a temporary folder " + prefix + " in " +
                             platform::TempFolder() + ": " + reason);
  }
  path_ = platform::PathFromUtf8(folder);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

}  // namespace lumidrome_test
