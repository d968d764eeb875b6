#include "directory.h"

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <system_error>

#include "text_util.h"

namespace simhost {

DirIterator::~DirIterator() { CloseDir(); }

void DirIterator::CloseDir() {
  if (dir_ != nullptr) ::closedir(dir_);
  dir_ = nullptr;
}

void DirIterator::Init(const std::string& folder, int32_t /*flags*/) {
  CloseDir();
  folder_ = folder;
  name_.clear();
  has_info_ = false;
  if (!folder.empty()) dir_ = ::opendir(folder.c_str());
}

bool DirIterator::Next() {
  name_.clear();
  has_info_ = false;
  if (dir_ == nullptr) return false;
  while (const dirent* entry = ::readdir(dir_)) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    name_ = entry->d_name;
    has_info_ = ::stat(JoinPath(folder_, name_).c_str(), &info_) == 0;
    return true;
  }
  CloseDir();
  return false;
}

bool DirIterator::IsReadOnly() const {
  return !name_.empty() && ::access(JoinPath(folder_, name_).c_str(), W_OK) != 0;
}

int64_t DirIterator::Size() const {
  return has_info_ && S_ISREG(info_.st_mode) ? static_cast<int64_t>(info_.st_size) : 0;
}

bool PathExists(const std::string& path, bool is_directory) {
  struct stat info;
  if (path.empty() || ::stat(path.c_str(), &info) != 0) return false;
  return is_directory ? S_ISDIR(info.st_mode) : S_ISREG(info.st_mode);
}

bool CreateFolder(const std::string& path) {
  if (path.empty()) return false;
  return ::mkdir(path.c_str(), 0777) == 0 || PathExists(path, true);
}

bool KillPath(const std::string& path, int32_t flags) {
  constexpr int32_t kDirectory = 1;
  constexpr int32_t kRecursive = 2;
  struct stat info;
  if (path.empty() || ::lstat(path.c_str(), &info) != 0) return false;
  if (!S_ISDIR(info.st_mode)) return ::unlink(path.c_str()) == 0;
  if ((flags & kDirectory) == 0) return false;
  if ((flags & kRecursive) == 0) return ::rmdir(path.c_str()) == 0;
  std::error_code error;
  std::filesystem::remove_all(path, error);
  return !error;
}

}  // namespace simhost
