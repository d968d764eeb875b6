// One tile of a pack: what a click on it finds, as the browser looks.
#pragma once

#include <string>

#include "packlib/library_model.h"

namespace packlib {

extern const char* const kBrokenAssetMessage;

// Where a pack lies and which of its folders exist.
struct PackPlace {
  std::string library;  // the library folder
  std::string folder;   // the pack folder's name in it
  bool hdris_folder = false;
  bool background_folder = false;
};

// The pack folder's path joined with parts, absolute (library) or relative.
std::string PackPath(const PackPlace& pack, const std::string& sub_folder, const std::string& name);
std::string PackRelativePath(const PackPlace& pack, const std::string& sub_folder,
                             const std::string& name);

// The thumbnail is an entry of the pack's Thumbnails folder that the
// browser made a tile of; `is_folder` when that entry is a folder.
TileCheck CheckTile(const PackPlace& pack, const std::string& thumbnail, bool is_folder,
                    const CheckOptions& options = CheckOptions());

}  // namespace packlib
