#include "directory.h"

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "text_util.h"

namespace simhost {

namespace {

std::string UpperCase(const std::string& name) {
  std::string upper = name;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

// Windows compares names by their upper-case form; names alike in that form
// keep a fixed order by their bytes.
bool WindowsBefore(const std::string& a, const std::string& b) {
  const std::string upper_a = UpperCase(a);
  const std::string upper_b = UpperCase(b);
  return upper_a != upper_b ? upper_a < upper_b : a < b;
}

std::vector<std::string> ReadNames(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = folder.empty() ? nullptr : ::opendir(folder.c_str());
  if (dir == nullptr) return names;
  while (const dirent* entry = ::readdir(dir)) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    names.emplace_back(entry->d_name);
  }
  ::closedir(dir);
  return names;
}

}  // namespace

void OrderNames(std::vector<std::string>* names, DirOrder order, std::mt19937* random) {
  switch (order) {
    case DirOrder::kNative:
      return;
    case DirOrder::kSorted:
      std::sort(names->begin(), names->end(), WindowsBefore);
      return;
    case DirOrder::kReverse:
      std::sort(names->begin(), names->end(), WindowsBefore);
      std::reverse(names->begin(), names->end());
      return;
    case DirOrder::kShuffle:
      // Drawn from the engine's raw output, whose numbers the standard fixes
      // (std::shuffle's use of them it does not), so a seed gives the same
      // order with every standard library.
      for (size_t i = names->size(); random != nullptr && i > 1; --i) {
        std::swap((*names)[i - 1], (*names)[(*random)() % i]);
      }
      return;
  }
}

DirIterator::~DirIterator() = default;

void DirIterator::Init(const std::string& folder, int32_t /*flags*/, DirOrder order,
                       std::mt19937* random) {
  folder_ = folder;
  name_.clear();
  has_info_ = false;
  names_ = ReadNames(folder);
  next_ = 0;
  OrderNames(&names_, order, random);
}

bool DirIterator::Next() {
  name_.clear();
  has_info_ = false;
  if (next_ >= names_.size()) return false;
  name_ = names_[next_++];
  has_info_ = ::stat(JoinPath(folder_, name_).c_str(), &info_) == 0;
  return true;
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
