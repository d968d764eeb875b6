#include "directory.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "text/text_util.h"

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
  info_.reset();
  names_ = platform::ListFolder(folder);
  next_ = 0;
  OrderNames(&names_, order, random);
}

bool DirIterator::Next() {
  name_.clear();
  info_.reset();
  if (next_ >= names_.size()) return false;
  name_ = names_[next_++];
  return true;
}

// Before the first entry and after the last, every question answers as for
// nothing: no folder, not read-only, size 0.
const platform::FileInfo& DirIterator::Info() const {
  if (!info_)
    info_ = name_.empty() ? platform::FileInfo() : platform::Stat(JoinPath(folder_, name_));
  return *info_;
}

bool CreateFolder(const std::string& path) {
  if (path.empty()) return false;
  return platform::MakeFolder(path) || PathExists(path, true);
}

bool KillPath(const std::string& path, int32_t flags) {
  constexpr int32_t kDirectory = 1;
  constexpr int32_t kRecursive = 2;
  const platform::FileInfo info = platform::LinkStat(path);
  if (!info.exists) return false;
  if (!info.is_folder) return platform::RemoveFile(path);
  if ((flags & kDirectory) == 0) return false;
  if ((flags & kRecursive) == 0) return platform::RemoveFolder(path);
  std::error_code error;
  std::filesystem::remove_all(platform::PathFromUtf8(path), error);
  return !error;
}

}  // namespace simhost
