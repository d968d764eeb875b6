// The browser's command and gadget ids, as the session drives them.
#pragma once

#include <cstdint>

namespace simhost_app {

constexpr int32_t kBrowserCommand = 1035349;
constexpr int32_t kSizeChooser = 101;
constexpr int32_t kPackChooser = 105;
constexpr int32_t kAddMoreTile = 109;
constexpr int32_t kScrollGroup = 2000;
constexpr int32_t kGridGroup = 2001;
constexpr int32_t kFirstTile = 6000;
constexpr int32_t kLastTile = 9999;

}  // namespace simhost_app
