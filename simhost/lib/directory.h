// Directory iteration in the order the file system gives, and the plain
// file-system questions of the host.
#pragma once

#include <dirent.h>
#include <sys/stat.h>

#include <cstdint>
#include <string>

#include "handles.h"

namespace simhost {

class DirIterator : public TrackedHandle<c4d_dir> {
 public:
  DirIterator() = default;
  ~DirIterator();
  DirIterator(const DirIterator&) = delete;
  DirIterator& operator=(const DirIterator&) = delete;

  // A folder that cannot be read yields no entries.
  void Init(const std::string& folder, int32_t flags);
  // Moves to the next entry, skipping "." and ".."; false at the end.
  bool Next();
  // The entry's name as the file system's bytes.
  const std::string& Name() const { return name_; }
  bool IsDir() const { return has_info_ && S_ISDIR(info_.st_mode); }
  bool IsHidden() const { return !name_.empty() && name_[0] == '.'; }
  bool IsReadOnly() const;
  int64_t Size() const;

 private:
  void CloseDir();

  DIR* dir_ = nullptr;
  std::string folder_;
  std::string name_;
  struct stat info_ {};
  bool has_info_ = false;
};

inline DirIterator* ToDirIterator(c4d_dir* handle) { return FromHandle<DirIterator>(handle); }

// A regular file (is_directory false) or a directory (true) at path.
bool PathExists(const std::string& path, bool is_directory);
// Creates one folder; true when it now exists.
bool CreateFolder(const std::string& path);
// Deletes a file; a folder only with flag 1, its contents too with flag 2.
bool KillPath(const std::string& path, int32_t flags);

}  // namespace simhost
