// The plug-in's ids, names and answers that the simhost commands drive and
// hold the module to.
#pragma once

#include <cstdint>

namespace simhost_app {
namespace plugin_ids {

constexpr int32_t kBrowserCommand = 1035349;
constexpr int32_t kSceneHook = 1038218;
constexpr int32_t kHdriObject = 1035165;
constexpr int32_t kHdriTag = 1037662;
constexpr const char* kCommandName = "Lumidrome";
constexpr const char* kCommandHelp = "Open Lumidrome";
constexpr const char* kSceneHookName = "HDRI Scene Hook";
constexpr const char* kWindowTitle = "Lumidrome";

// c4d_main actions and answers.
constexpr int32_t kActionInit = 1;
constexpr int32_t kActionStart = 2;
constexpr int32_t kActionEnd = 3;
constexpr int32_t kActionVersion = 4;
constexpr int32_t kActionMessage = 6;
constexpr int32_t kVersionAnswer = 5;
constexpr int32_t kRefused = -1;
constexpr int32_t kUnusableHost = -3;
constexpr int32_t kMessageBuildMenu = 1001188;
constexpr int32_t kCommandEnabled = 0x40000000;

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
constexpr int32_t kFirstTile = 6000;
constexpr int32_t kLastClickableTile = 9999;
// Tiles from number 4000 on have the ids 1000000000 + number.
constexpr int32_t kFarTileBase = 1000000000;
constexpr int32_t kFirstFarTile = kLastClickableTile - kFirstTile + 1;
constexpr int32_t kShowAll = 9002;
constexpr int32_t kChangeDirectory = 9001;
constexpr int32_t kGetMorePacks = 9000;

// Scene-hook messages.
constexpr int32_t kMsgDocumentInfo = 1001078;
constexpr int32_t kDocInfoObjectInsert = 1010;
constexpr int32_t kHookFlag = 2059;

// A tile's number in the grid from its gadget id; -1 for any other gadget.
constexpr int32_t TileNumber(int32_t id) {
  if (id >= kFirstTile && id <= kLastClickableTile) return id - kFirstTile;
  if (id >= kFarTileBase + kFirstFarTile) return id - kFarTileBase;
  return -1;
}

}  // namespace plugin_ids
}  // namespace simhost_app
