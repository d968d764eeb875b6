// A fresh folder under the system's temporary folder, removed at the end:
// the one temporary-folder helper of every test program.
#pragma once

#include <filesystem>
#include <string>

namespace lumidrome_test {

class TempFolder {
 public:
  // prefix names the folder's owner, e.g. "lumipack-test". Throws when no
  // folder can be made, which fails the test that asked.
  explicit TempFolder(const std::string& prefix = "lumidrome-temp");
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }
  // The folder, and a name inside it, in UTF-8 as the platform layer takes
  // them.
  const std::string& Utf8Path() const { return utf8_path_; }
  std::string File(const std::string& name) const;

 private:
  std::string utf8_path_;
  std::filesystem::path path_;
};

}  // namespace lumidrome_test
