// A fresh folder under the system's temporary folder, removed at the end.
#pragma once

#include <filesystem>
#include <string>

namespace lumidrome_test {

class TempFolder {
 public:
  // prefix names the folder's owner, e.g. "lumipack-test".
  explicit TempFolder(const std::string& prefix = "lumidrome-temp");
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace lumidrome_test
