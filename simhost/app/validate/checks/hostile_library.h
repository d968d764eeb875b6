// A pack library built to trip the browser up: empty packs, packs without
// Thumbnails or HDRIs, broken and zero-byte pictures, odd and non-UTF-8
// names, suffixes in other cases, dangling and looping links, and one pack
// of a few hundred tiles.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace simhost_app {

struct HostileLibrary {
  std::filesystem::path root;
  // The pack folders made, for changing the library during a run.
  std::vector<std::filesystem::path> packs;
  // What this system would not let the library hold (links without the
  // privilege to make them, names it forbids), for the check to say so.
  std::vector<std::string> left_out;
};

// Builds the library at root (which must not exist yet); many_tiles is the
// size of the big pack.
HostileLibrary BuildHostileLibrary(const std::filesystem::path& root, int many_tiles);

// Bytes of a JPEG whose header claims a picture far too large to load.
std::string OversizedJpeg();

}  // namespace simhost_app
