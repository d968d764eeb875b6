// Checks of the module file and of c4d_main's answers, driven by hand.
#pragma once

#include "validate/checks/check_result.h"
#include "validate/checks/step_log.h"
#include "validate/checks/validation_settings.h"

namespace simhost_app {

// The module file exports c4d_main and nothing else.
CheckResult CheckExports(const ValidationSettings& settings, StepLog& steps);
// Action 1 at the interface versions around both builds' minimums, with a
// short table and without a module path; tells the build in facts["build"].
CheckResult CheckInterfaceVersions(const ValidationSettings& settings, StepLog& steps);
// Every action's answer, with values the module must not read made unreadable.
CheckResult CheckActions(const ValidationSettings& settings, StepLog& steps);
// Every message's answer; the resource set is asked for once and released at
// the end.
CheckResult CheckMessages(const ValidationSettings& settings, StepLog& steps);

}  // namespace simhost_app
