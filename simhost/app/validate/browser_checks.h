// Checks of the browser window as the host opens, closes and resizes it.
#pragma once

#include "validate/check_result.h"
#include "validate/check_runner.h"
#include "validate/validation_settings.h"

namespace simhost_app {

// settings.rounds openings, through the command and through a saved
// layout, each closed again; the window is whole every time.
CheckResult CheckOpenClose(const ValidationSettings& settings, StepLog& steps);
// Ten resizes per round with cursor-information messages among them; the
// rebuilt grid fits the final width.
CheckResult CheckResizeStorm(const ValidationSettings& settings, StepLog& steps);

// Whether the module registers its command at the settings' host version;
// the browser checks are skipped where it does not.
bool BrowserAvailable(const ValidationSettings& settings);

}  // namespace simhost_app
