// One check of the table, alone in a process of its own, and the hidden
// one-check mode of `simhost validate` that runs it on Windows: the request
// names the check and carries the run's settings, so that the child needs
// nothing of the parent's memory.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "validate/checks/validation_settings.h"
#include "validate/runner/check_runner.h"

namespace simhost_app {

// The check that only loads the module, run before all others.
inline constexpr const char* kModuleLoadCheck = "module-load";

nlohmann::json SettingsToJson(const ValidationSettings& settings);
// Throws nlohmann::json::exception for a malformed text.
ValidationSettings SettingsFromJson(const nlohmann::json& json);

// {"name": ..., "settings": ...}
nlohmann::json CheckRequest(const std::string& name, const ValidationSettings& settings);
// The named check of the table (or the module-load check) bound to the
// request's settings; empty when the request names no such check.
IsolatedCheck CheckOfRequest(const nlohmann::json& request);

// Runs the check in a process of its own: a fork on POSIX, this program in
// its one-check mode on Windows.
CheckResult RunCheckAlone(const std::string& name, const ValidationSettings& settings);

}  // namespace simhost_app
