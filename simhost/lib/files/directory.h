// Directory iteration in the order the host's file system would give, and
// the plain file-system questions of the host.
#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "handles.h"
#include "platform/platform.h"

namespace simhost {

// The order in which a folder lists its entries. kNative is this file
// system's own (unsorted on Linux); kSorted is what Windows gives (names
// compared case-insensitively by their upper-case form); kReverse is that
// order backwards; kShuffle a new random order for every listing.
enum class DirOrder { kNative, kSorted, kReverse, kShuffle };

// Puts names into the order; random draws the shuffles.
void OrderNames(std::vector<std::string>* names, DirOrder order, std::mt19937* random);

class DirIterator : public TrackedHandle<c4d_dir> {
 public:
  DirIterator() = default;
  ~DirIterator();
  DirIterator(const DirIterator&) = delete;
  DirIterator& operator=(const DirIterator&) = delete;

  // A folder that cannot be read yields no entries. The names are read at
  // once and listed in the order given.
  void Init(const std::string& folder, int32_t flags, DirOrder order = DirOrder::kNative,
            std::mt19937* random = nullptr);
  // Moves to the next entry, skipping "." and ".."; false at the end.
  bool Next();
  // The entry's name as the file system's bytes.
  const std::string& Name() const { return name_; }
  // The entry's kind, access and size, read once when first asked: a module
  // listing names only costs no look-up per file.
  bool IsDir() const { return Info().is_folder; }
  bool IsHidden() const { return !name_.empty() && name_[0] == '.'; }
  bool IsReadOnly() const { return Info().read_only; }
  int64_t Size() const { return Info().size; }

 private:
  const platform::FileInfo& Info() const;

  std::vector<std::string> names_;
  size_t next_ = 0;
  std::string folder_;
  std::string name_;
  mutable std::optional<platform::FileInfo> info_;  // unset until asked
};

inline DirIterator* ToDirIterator(c4d_dir* handle) { return FromHandle<DirIterator>(handle); }

using platform::PathExists;
// Creates one folder; true when it now exists.
bool CreateFolder(const std::string& path);
// Deletes a file; a folder only with flag 1, its contents too with flag 2.
bool KillPath(const std::string& path, int32_t flags);

}  // namespace simhost
