// The plug-in's ids, names and values as the checking side knows them: the
// simhost commands and the tests drive the module and hold it to this list.
// It is kept apart from the plug-in's own sources (source/gui/) on purpose:
// a number changed there by mistake must make the checks fail, not follow
// along. The numbers of the interface itself (c4d_main's actions and
// answers, host messages, dialog messages and keys) are in abi/.
#pragma once

#include <cstdint>

namespace simhost_app {
namespace plugin_ids {

// What the plug-in registers.
constexpr int32_t kBrowserCommand = 1035349;  // also the key of its saved layout record
constexpr int32_t kSceneHook = 1038218;
constexpr const char* kCommandName = "Lumidrome";
constexpr const char* kCommandHelp = "Open Lumidrome";
constexpr const char* kSceneHookName = "HDRI Scene Hook";
constexpr const char* kWindowTitle = "Lumidrome";

// The HDRI plug-in's element types and the parameters the browser writes.
constexpr int32_t kHdriObject = 1035165;
constexpr int32_t kHdriTag = 1037662;
constexpr int32_t kHdriObjectFile = 2002;
constexpr int32_t kHdriObjectBackground = 2037;
constexpr int32_t kHdriTagFile = 2001;
constexpr int32_t kHdriTagMode = 3000;
constexpr int32_t kHdriTagOtherVariantExists = 3001;
constexpr int32_t kHdriTagModeSmall = 2;  // the tag uses the small variant
// Sent to every HDRI object and tag after "Change Directory".
constexpr int32_t kLibraryChanged = 1037792;
// The scene hook marks an HDRI object it was told about with this setting.
constexpr int32_t kHookFlag = 2059;

// Interface versions: the lowest each build accepts, and the first host on
// which builds for R14 register nothing.
constexpr int32_t kMinimumR14 = 14000;
constexpr int32_t kMinimumR17 = 17030;
constexpr int32_t kFirstNewHost = 17000;

// Gadgets of the browser window.
constexpr int32_t kPackChooser = 105;
constexpr int32_t kSizeChooser = 101;
constexpr int32_t kScrollGroup = 2000;
constexpr int32_t kGridGroup = 2001;
constexpr int32_t kAddMoreTile = 109;
constexpr int32_t kAddMoreGroup = 110;
constexpr int32_t kFirstTile = 6000;
constexpr int32_t kFirstTileGroup = 10001;  // tile k sits in group 10001 + k
constexpr int32_t kLastClickableTile = 9999;
// Tiles from number 4000 on have the ids 1000000000 + number.
constexpr int32_t kFarTileBase = 1000000000;
constexpr int32_t kFirstFarTile = kLastClickableTile - kFirstTile + 1;

// Values of the pack chooser beyond the packs (0 to n-1), and of the size
// chooser.
constexpr int32_t kShowAll = 9002;
constexpr int32_t kChangeDirectory = 9001;
constexpr int32_t kGetMorePacks = 9000;
constexpr int32_t kSizeSmall = 1;
constexpr int32_t kSizeMedium = 2;
constexpr int32_t kSizeLarge = 3;

// A tile's gadget id from its number in the grid, and back (-1 for any
// other gadget).
constexpr int32_t TileId(int32_t number) {
  return number < kFirstFarTile ? kFirstTile + number : kFarTileBase + number;
}
constexpr int32_t TileNumber(int32_t id) {
  if (id >= kFirstTile && id <= kLastClickableTile) return id - kFirstTile;
  if (id >= kFarTileBase + kFirstFarTile) return id - kFarTileBase;
  return -1;
}

}  // namespace plugin_ids
}  // namespace simhost_app
