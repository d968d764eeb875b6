// The browser opened through the stand-in host on a library of the test's
// own making, for both builds: the choices, clicks and window messages a
// user and the host produce, and readings of what the window shows.
// BrowserSession is one open browser; BrowserTest is a test fixture over
// both builds that hands dialogs around explicitly.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "common/plugin_ids.h"
#include "gui/window_system.h"
#include "host.h"
#include "plugin_fixture.h"
#include "test_library.h"

namespace lumidrome_test {

// The plug-in's ids from the checking side's own list.
using simhost_app::plugin_ids::kAddMoreGroup;
using simhost_app::plugin_ids::kAddMoreTile;
using simhost_app::plugin_ids::kBrowserCommand;
using simhost_app::plugin_ids::kChangeDirectory;
using simhost_app::plugin_ids::kFirstTile;
using simhost_app::plugin_ids::kFirstTileGroup;
using simhost_app::plugin_ids::kGetMorePacks;
using simhost_app::plugin_ids::kGridGroup;
using simhost_app::plugin_ids::kHdriObject;
using simhost_app::plugin_ids::kHdriObjectBackground;
using simhost_app::plugin_ids::kHdriObjectFile;
using simhost_app::plugin_ids::kHdriTag;
using simhost_app::plugin_ids::kHdriTagFile;
using simhost_app::plugin_ids::kHdriTagMode;
using simhost_app::plugin_ids::kHdriTagOtherVariantExists;
using simhost_app::plugin_ids::kLibraryChanged;
using simhost_app::plugin_ids::kPackChooser;
using simhost_app::plugin_ids::kScrollGroup;
using simhost_app::plugin_ids::kShowAll;
using simhost_app::plugin_ids::kSizeChooser;
using simhost_app::plugin_ids::kSizeLarge;
using simhost_app::plugin_ids::kSizeMedium;
using simhost_app::plugin_ids::kSizeSmall;

constexpr const char* kBrokenAsset = "Broken asset file, please reinstall Lumidrome.";
// The window is this much wider than its grid's visible area.
constexpr int32_t kWindowFrame = 22;

using ComboEntries = std::vector<std::pair<int32_t, std::string>>;
using GridCell = simhost::GridCellInfo;

// A host version each build runs on by default: R17 with the view
// parameter, R14 below the versions its registration refuses.
int32_t DefaultVersion(Build build);
const char* BuildName(Build build);
// The name of a test instance for one build.
std::string BuildParamName(const testing::TestParamInfo<Build>& info);

// The six entries that follow the packs in the pack chooser.
ComboEntries FixedPackEntries();

// Entry names of a folder in the order the file system lists them, which is
// the order the browser shows packs and tiles in.
std::vector<std::string> ListingOrder(const std::filesystem::path& folder);
// The pack folders of a library in listing order, as the browser finds them.
std::vector<std::string> PackFolderOrder(const std::filesystem::path& library);

// The label the grid shows under a thumbnail of that name (no suffix).
std::string LabelOf(std::string stem);
std::vector<std::string> LabelsOf(const std::vector<std::string>& stems);

// The cells of the browser's grid in grid order, as the host lays them out.
std::vector<GridCell> GridCells(simhost::WindowSystem& windows, c4d_dialog* dialog);
// Labels of the tiles in grid order, the add-more tile left out.
std::vector<std::string> TileLabels(simhost::WindowSystem& windows, c4d_dialog* dialog);

// The file a tile of pack applies, as the plug-in spells file names.
std::string PackFile(const std::filesystem::path& pack, const std::string& folder,
                     const std::string& name);
std::string ReadFileBytes(const std::filesystem::path& file);

class BrowserSession {
 public:
  explicit BrowserSession(Build build);
  BrowserSession(Build build, int32_t host_version);

  simhost::Host& host() { return fixture_.host(); }
  simhost::Document& doc() { return host().ActiveDocument(); }
  simhost::WindowSystem& windows() { return host().Windows(); }
  PluginFixture& fixture() { return fixture_; }
  const PluginFixture& fixture() const { return fixture_; }
  // The installed plug-in's own Packs folder, emptied for the test.
  TestLibrary& library() { return library_; }
  std::filesystem::path Pack(const std::string& folder) const {
    return library_.root() / PathOf(folder);
  }
  std::filesystem::path SettingsFile(const std::string& suffix) const;

  // Loads the plug-in on first use and runs the browser command; null when
  // no window opened.
  c4d_dialog* Open();
  c4d_dialog* dialog() const { return dialog_; }
  // The user closes the window with its close box.
  void Close();

  // The pack chooser's pack entries (value 0 to n-1) in order.
  std::vector<std::string> PackNames();
  // The chooser value of the pack with that display name; -1 when unlisted.
  int32_t PackValue(const std::string& name);
  int32_t Value(int32_t gadget_id);
  bool Choose(int32_t value) { return windows().ChooseComboValue(dialog_, kPackChooser, value); }
  bool ChoosePack(const std::string& name) { return Choose(PackValue(name)); }
  bool ChooseSize(int32_t size) { return windows().ChooseComboValue(dialog_, kSizeChooser, size); }

  int32_t GridColumns();
  // Labels of the tiles in grid order, the add-more tile left out.
  std::vector<std::string> TileLabels() { return lumidrome_test::TileLabels(windows(), dialog_); }
  // The tile number of the tile with that label; -1 when not in the grid.
  int32_t TileNumber(const std::string& label);
  bool ClickTile(int32_t number);
  bool ClickLabel(const std::string& label) { return ClickTile(TileNumber(label)); }
  std::pair<int32_t, int32_t> TileMinSize(int32_t number);

  // Resizes the window so that the grid's visible width is visible_width,
  // without the cursor-information message that follows in the host.
  void ResizeOnly(int32_t visible_width);
  // A resize and the next cursor-information message: a rebuild.
  void Rebuild(int32_t visible_width);
  int32_t CursorInfo() { return windows().SendCursorInfo(dialog_, 10, 10); }

 private:
  PluginFixture fixture_;
  TestLibrary library_;
  c4d_dialog* dialog_ = nullptr;
  int32_t height_ = 500;
};

class BrowserTest : public testing::TestWithParam<Build> {
 protected:
  BrowserTest();

  simhost::Host& host() { return session_.host(); }
  simhost::WindowSystem& windows() { return session_.windows(); }
  bool R17() const { return GetParam() == Build::R17; }
  const std::filesystem::path& plugin_folder() const { return session_.fixture().plugin_folder(); }
  std::filesystem::path res_folder() const { return plugin_folder() / "res"; }
  // A folder of the test's own beside the user folder.
  std::filesystem::path scratch() const {
    return session_.fixture().user_folder().parent_path() / "scratch";
  }
  // The installed plug-in's Packs folder, emptied of the demo packs.
  TestLibrary& packs() { return session_.library(); }

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
  std::vector<GridCell> Grid(c4d_dialog* dialog) { return GridCells(windows(), dialog); }
  std::vector<std::string> TileLabels(c4d_dialog* dialog) {
    return lumidrome_test::TileLabels(windows(), dialog);
  }
  int32_t GridColumns(c4d_dialog* dialog);

  // An HDRI object alone in the scene, which a click on a tile fills in.
  simhost::Atom* AddSky();
  // The file part of what the object holds as its HDRI.
  static std::string HdriFileOf(simhost::Atom* sky);

 private:
  BrowserSession session_;
};

}  // namespace lumidrome_test
