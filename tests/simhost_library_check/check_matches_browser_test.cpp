// The library check against the real plug-in: the packs it lists, the tile
// numbers it gives and what it says a click finds must be what the browser
// shows and does.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/plugin_ids.h"
#include "gui/window_system.h"
#include "library_check_support.h"
#include "packlib/library_scan.h"
#include "packlib/tile_check.h"
#include "plugin_fixture.h"
#include "utf8_path.h"

namespace lumidrome_test {
namespace {

namespace fs = std::filesystem;
using packlib::LibraryCheck;
using packlib::Severity;
using packlib::TileCheck;

using simhost_app::plugin_ids::kFirstTile;
using simhost_app::plugin_ids::kHdriObject;
using simhost_app::plugin_ids::kPackChooser;
using simhost_app::plugin_ids::kShowAll;
const int32_t kCommand = simhost_app::plugin_ids::kBrowserCommand;
const int32_t kSmallMode = simhost_app::plugin_ids::kHdriTagModeSmall;
const int32_t kObjectFile = simhost_app::plugin_ids::kHdriObjectFile;
const int32_t kObjectBackground = simhost_app::plugin_ids::kHdriObjectBackground;

bool EndsWith(const std::string& text, const std::string& ending) {
  return text.size() >= ending.size() &&
         text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

class CheckMatchesBrowser : public testing::Test {
 protected:
  CheckMatchesBrowser() : fixture_(Build::R17) {
    fs::path packs = fixture_.plugin_folder() / "Packs";
    fs::remove_all(packs);
    WriteFaultyLibrary(packs);
    check_ = packlib::CheckLibrary(packs.u8string());
  }
  simhost::Host& host() { return fixture_.host(); }

  // A selected HDRI object carrying a selected HDRI tag in small mode.
  void OpenBrowserOnSelection() {
    ASSERT_TRUE(host().Load(fixture_.plugin_folder().u8string()));
    simhost::Document& doc = host().ActiveDocument();
    object_ = doc.AddObject(kHdriObject, "Target");
    doc.SelectObjects({object_});
    doc.SelectTags({doc.AddHdriTag(object_, kSmallMode, "Small")});
    host().ExecuteCommand(kCommand, &doc);
    browser_ = host().Windows().FindOpenDialog(kCommand);
    ASSERT_NE(browser_, nullptr);
  }

  void ExpectClickOutcome(const std::string& pack, const TileCheck& tile) {
    std::string before = object_->Data().GetText(kObjectFile);
    host().ClearRecords();
    ASSERT_TRUE(host().Windows().SendInput(browser_, kFirstTile + tile.number,
                                           simhost::InputEvent::Click()));
    Severity severity = packlib::TileSeverity(tile);
    size_t messages = severity == Severity::kBroken || severity == Severity::kBrokenInSmallMode;
    ASSERT_EQ(host().Messages().size(), messages);
    if (messages == 1) {
      EXPECT_EQ(host().Messages()[0], packlib::kBrokenAssetMessage);
    }
    std::string file = object_->Data().GetText(kObjectFile);
    if (severity == Severity::kBroken) {
      EXPECT_EQ(file, before);
      return;
    }
    EXPECT_TRUE(EndsWith(file, Native("/" + pack + "/HDRIs/") + tile.hdri.name)) << file;
    std::string background = object_->Data().GetText(kObjectBackground);
    if (tile.background.exists) {
      EXPECT_TRUE(EndsWith(background, Native("/" + pack + "/Background/") + tile.background.name));
    } else {
      EXPECT_EQ(background, "");
    }
  }

  PluginFixture fixture_;
  LibraryCheck check_;
  simhost::Atom* object_ = nullptr;
  c4d_dialog* browser_ = nullptr;
};

TEST_F(CheckMatchesBrowser, PackChooserListsThePacksInTheCheckedOrder) {
  OpenBrowserOnSelection();
  simhost::GadgetInfo chooser = host().Windows().QueryGadget(browser_, kPackChooser);
  ASSERT_GE(chooser.entries.size(), check_.packs.size());
  for (const packlib::PackCheck& pack : check_.packs) {
    EXPECT_EQ(chooser.entries[pack.index], std::make_pair(pack.index, pack.display_name));
  }
}

TEST_F(CheckMatchesBrowser, EveryShowAllClickEndsAsTheCheckSays) {
  OpenBrowserOnSelection();
  ASSERT_TRUE(host().Windows().ChooseComboValue(browser_, kPackChooser, kShowAll));
  int clicked = 0;
  for (const packlib::PackCheck& pack : check_.packs) {
    for (const TileCheck& tile : pack.tiles) {
      SCOPED_TRACE(pack.folder + "/" + tile.file);
      ExpectClickOutcome(pack.folder, tile);
      ++clicked;
    }
  }
  EXPECT_EQ(clicked, 10);
}

}  // namespace
}  // namespace lumidrome_test
