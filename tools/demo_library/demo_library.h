// The demo HDRI library that ships in the plug-in's Packs folder, and the
// plug-in's placeholder tile and icon in its res folder.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "scenes.h"

namespace demo {

struct DemoImage {
  std::string name;  // base name of all its files; "_" shows as a space
  Scene scene;
};

struct DemoPack {
  std::string folder;  // numeric prefix, "_", then the display name
  std::vector<DemoImage> images;
};

const std::vector<DemoPack>& DemoPacks();

// Pixel sizes of the files written for each image.
struct LibrarySizes {
  static constexpr int kThumbWidth = 400;
  static constexpr int kThumbHeight = 200;
  static constexpr int kMediumWidth = 240;
  static constexpr int kMediumHeight = 120;
  static constexpr int kSmallWidth = 160;
  static constexpr int kSmallHeight = 80;
  static constexpr int kBackgroundWidth = 800;
  static constexpr int kBackgroundHeight = 400;
  static constexpr int kHdrWidth = 128;
  static constexpr int kHdrHeight = 64;
  static constexpr int kSmallHdrWidth = 32;
  static constexpr int kSmallHdrHeight = 16;
  static constexpr int kIconSize = 64;
  static constexpr int kJpegQuality = 75;
};

struct GenerateResult {
  bool ok = false;
  std::string error;                         // set when !ok
  std::vector<std::filesystem::path> files;  // every file written, in order
};

// Writes the packs into `packsDir` and the placeholder tile (with its
// medium and small variants) and icon into `resDir`, creating folders as
// needed. Existing files of the same names are replaced; nothing else in
// the folders is touched. The same font gives the same bytes every run.
GenerateResult GenerateDemoLibrary(const std::filesystem::path& packsDir,
                                   const std::filesystem::path& resDir,
                                   const std::string& fontFile);

}  // namespace demo
