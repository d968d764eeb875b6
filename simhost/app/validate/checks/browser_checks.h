// Checks of the browser window as the host opens, closes and resizes it.
#pragma once

#include "gui/window_system.h"
#include "validate/checks/check_result.h"
#include "validate/checks/step_log.h"
#include "validate/checks/validation_settings.h"

namespace simhost_app {

// settings.rounds openings, through the command and through a saved
// layout, each closed again; the window is whole every time.
CheckResult CheckOpenClose(const ValidationSettings& settings, StepLog& steps);
// Ten resizes per round with cursor-information messages among them; the
// rebuilt grid fits the final width.
CheckResult CheckResizeStorm(const ValidationSettings& settings, StepLog& steps);

// A resize as a real window gets it while being dragged: `messages` size
// messages through sizes between the old and the new one, the last at the
// new size. Stops when the window closes on the way.
void ResizeInBurst(simhost::WindowSystem& windows, c4d_dialog* dialog, int32_t width,
                   int32_t height, int32_t messages);

// Whether the module registers its command at the settings' host version;
// the browser checks are skipped where it does not.
bool BrowserAvailable(const ValidationSettings& settings);

}  // namespace simhost_app
