// The browser opened through the stand-in host with a library of the test's
// own making, for both builds, and readings of what its window shows.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "plugin_fixture.h"
#include "test_library.h"
#include "windows/window_system.h"

namespace lumidrome_test {

constexpr int32_t kCommand = 1035349;
constexpr int32_t kHdriObject = 1035165;
constexpr int32_t kHdriObjectFile = 2002;
constexpr int32_t kPackChooser = 105;
constexpr int32_t kSizeChooser = 101;
constexpr int32_t kScrollGroup = 2000;
constexpr int32_t kGridGroup = 2001;
constexpr int32_t kAddMoreTile = 109;
constexpr int32_t kAddMoreGroup = 110;
constexpr int32_t kFirstTile = 6000;
constexpr int32_t kFirstTileGroup = 10001;
constexpr int32_t kShowAll = 9002;
constexpr int32_t kChangeDirectory = 9001;
enum { kSmall = 1, kMedium = 2, kLarge = 3 };

using ComboEntries = std::vector<std::pair<int32_t, std::string>>;

// The six entries that follow the packs in the pack chooser.
ComboEntries FixedPackEntries();

// One cell of the grid: its user area and the label below it.
struct GridCell {
  int32_t area_id = 0;
  bool attached = false;
  int32_t width = 0;
  int32_t height = 0;
  std::string label;
};

// Entry names of a folder in the order the file system lists them, which is
// the order the browser shows packs and tiles in.
std::vector<std::string> ListingOrder(const std::filesystem::path& folder);
// The pack folders of a library in listing order, as the browser finds them.
std::vector<std::string> PackFolderOrder(const std::filesystem::path& library);

// The label the grid shows under a thumbnail of that name (no suffix).
std::string LabelOf(std::string stem);
std::vector<std::string> LabelsOf(const std::vector<std::string>& stems);

std::string BuildName(const testing::TestParamInfo<Build>& info);

class BrowserTest : public testing::TestWithParam<Build> {
 protected:
  BrowserTest();

  simhost::Host& host() { return fixture_.host(); }
  simhost::WindowSystem& windows() { return fixture_.host().Windows(); }
  bool R17() const { return GetParam() == Build::R17; }
  const std::filesystem::path& plugin_folder() const { return fixture_.plugin_folder(); }
  std::filesystem::path res_folder() const { return fixture_.plugin_folder() / "res"; }
  // A folder of the test's own beside the user folder.
  std::filesystem::path scratch() const { return fixture_.user_folder().parent_path() / "scratch"; }
  // The installed plug-in's Packs folder, emptied of the demo packs.
  TestLibrary& packs() { return packs_; }

  // Starts the module on a host of the build's release.
  void Load();
  // Runs the browser command; the open browser window or null.
  c4d_dialog* Open();
  void Close(c4d_dialog* dialog);
  // A resize to the same size and the next cursor message: the dialog
  // rebuilds its chooser and grid from the library directory.
  void Rebuild(c4d_dialog* dialog);
  void Choose(c4d_dialog* dialog, int32_t chooser, int32_t value);
  // "Change Directory" answered with folder.
  void ChangeDirectory(c4d_dialog* dialog, const std::filesystem::path& folder);

  ComboEntries Entries(c4d_dialog* dialog, int32_t chooser);
  int32_t Value(c4d_dialog* dialog, int32_t gadget);
  std::vector<GridCell> Grid(c4d_dialog* dialog);
  // Labels of the tile cells, the add-more cell left out.
  std::vector<std::string> TileLabels(c4d_dialog* dialog);
  int32_t GridColumns(c4d_dialog* dialog);

  // An HDRI object alone in the scene, which a click on a tile fills in.
  simhost::Atom* AddSky();
  // The file part of what the object holds as its HDRI.
  static std::string HdriFileOf(simhost::Atom* sky);

 private:
  PluginFixture fixture_;
  TestLibrary packs_;
};

}  // namespace lumidrome_test
