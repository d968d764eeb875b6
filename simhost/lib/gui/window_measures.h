// Measures of the host's windows, in pixels.
#pragma once

#include <cstdint>

namespace simhost {

// A window's size includes its title bar; its gadgets are laid out in the
// client area below it, inside a margin. A scroll group that fills the
// window, as the browser's does, thus sees the window's width less two
// margins and its vertical scroll bar: 768 pixels of a 790-pixel window.
constexpr int32_t kTitleBarHeight = 24;
constexpr int32_t kWindowMargin = 4;
constexpr int32_t kScrollbarSize = 14;

}  // namespace simhost
