// Checks of start and end as the host runs them: registrations, the banner,
// refused resources and registrations, repeated loading, and the scene hook.
#pragma once

#include "validate/checks/check_result.h"
#include "validate/checks/step_log.h"
#include "validate/checks/validation_settings.h"

namespace simhost_app {

// Command first, then scene hook, with their ids and names, and one banner
// line; builds for R14 also start silently on a host from 17000 on.
CheckResult CheckStart(const ValidationSettings& settings, StepLog& steps);
// The host loads no resource set: message 1 answers -1, the start goes on,
// nothing is released at the end.
CheckResult CheckRefusedResources(const ValidationSettings& settings, StepLog& steps);
// The host refuses the command: the start fails before the scene hook.
CheckResult CheckRefusedCommand(const ValidationSettings& settings, StepLog& steps);
// The host refuses the scene hook: the start fails, the command stays.
CheckResult CheckRefusedSceneHook(const ValidationSettings& settings, StepLog& steps);
// settings.rounds loads and unloads, each one like the first.
CheckResult CheckRepeatedLoading(const ValidationSettings& settings, StepLog& steps);
// Installed in the user folder's plug-ins folder the browser command opens;
// installed in the application's own plug-ins folder it refuses with its
// message, and opens with Shift+Control held.
CheckResult CheckInstallLocation(const ValidationSettings& settings, StepLog& steps);
// The scene hook's answers to document-information messages and others.
CheckResult CheckSceneHook(const ValidationSettings& settings, StepLog& steps);

}  // namespace simhost_app
