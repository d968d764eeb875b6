// One open browser window on a test library of its own, with the choices,
// clicks and window messages a user and the host produce, and readers of
// what the window and the scene show afterwards.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "host.h"
#include "plugin_fixture.h"
#include "test_library.h"
#include "windows/window_system.h"

namespace lumidrome_test {

constexpr int32_t kCommandId = 1035349;
constexpr int32_t kPackChooser = 105;
constexpr int32_t kSizeChooser = 101;
constexpr int32_t kGridGroup = 2001;
constexpr int32_t kAddMoreTile = 109;
constexpr int32_t kFirstTile = 6000;
constexpr int32_t kShowAll = 9002;
constexpr int32_t kChangeDirectory = 9001;
constexpr int32_t kGetMorePacks = 9000;
constexpr int32_t kHdriObjectType = 1035165;
constexpr int32_t kHdriTagType = 1037662;
constexpr int32_t kLibraryChanged = 1037792;
constexpr const char* kBrokenAsset = "Broken asset file, please reinstall Lumidrome.";
// The window is this much wider than its grid's visible area.
constexpr int32_t kWindowFrame = 22;

// A host version each build runs on by default: R17 with the view
// parameter, R14 below the versions its registration refuses.
int32_t DefaultVersion(Build build);
const char* BuildName(Build build);

class BrowserSession {
 public:
  explicit BrowserSession(Build build);
  BrowserSession(Build build, int32_t host_version);

  simhost::Host& host() { return fixture_.host(); }
  simhost::Document& doc() { return host().ActiveDocument(); }
  simhost::WindowSystem& windows() { return host().Windows(); }
  PluginFixture& fixture() { return fixture_; }
  // The installed plug-in's own Packs folder, emptied for the test.
  TestLibrary& library() { return library_; }
  std::filesystem::path Pack(const std::string& folder) const { return library_.root() / folder; }
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
  // Labels of the tiles in grid order, the placeholder tile left out.
  std::vector<std::string> TileLabels();
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

// The file a tile of pack applies, as the plug-in spells file names.
std::string PackFile(const std::filesystem::path& pack, const std::string& folder,
                     const std::string& name);
std::string ReadFileBytes(const std::filesystem::path& file);

}  // namespace lumidrome_test
