#include "validate/runner/one_check_mode.h"

#include "modules/plugin_module.h"
#include "validate/checks/check_table.h"
#include "validate/runner/child_process.h"

namespace simhost_app {

namespace {

CheckResult CheckModuleLoads(const ValidationSettings& settings, StepLog& steps) {
  steps.Step("loading the module");
  CheckResult result;
  std::string error;
  if (!simhost::PluginModule::Open(settings.plugin_folder, &error)) {
    result.status = CheckStatus::kFail;
    result.detail = error;
  }
  return result;
}

CheckFunction FindCheck(const std::string& name, int rounds) {
  if (name == kModuleLoadCheck) return CheckModuleLoads;
  for (const CheckEntry& entry : CheckTable(rounds)) {
    if (entry.name == name) return entry.run;
  }
  return nullptr;
}

nlohmann::json HostToJson(const HostOptions& host) {
  return {{"interface_version", host.interface_version},
          {"edition", host.edition},
          {"operating_system", host.operating_system},
          {"user_folder", host.user_folder},
          {"app_folder", host.app_folder},
          {"hdri_plugin", static_cast<int>(host.hdri_plugin)},
          {"dir_order", host.dir_order},
          {"seed", host.seed}};
}

HostOptions HostFromJson(const nlohmann::json& json) {
  HostOptions host;
  json.at("interface_version").get_to(host.interface_version);
  json.at("edition").get_to(host.edition);
  json.at("operating_system").get_to(host.operating_system);
  json.at("user_folder").get_to(host.user_folder);
  json.at("app_folder").get_to(host.app_folder);
  host.hdri_plugin = static_cast<simhost::HdriPlugin>(json.at("hdri_plugin").get<int>());
  json.at("dir_order").get_to(host.dir_order);
  json.at("seed").get_to(host.seed);
  return host;
}

}  // namespace

nlohmann::json SettingsToJson(const ValidationSettings& settings) {
  return {{"plugin_folder", settings.plugin_folder},
          {"scratch_folder", settings.scratch_folder},
          {"host", HostToJson(settings.host)},
          {"seed", settings.seed},
          {"rounds", settings.rounds},
          {"timeout_seconds", settings.timeout_seconds},
          {"build", settings.build}};
}

ValidationSettings SettingsFromJson(const nlohmann::json& json) {
  ValidationSettings settings;
  json.at("plugin_folder").get_to(settings.plugin_folder);
  json.at("scratch_folder").get_to(settings.scratch_folder);
  settings.host = HostFromJson(json.at("host"));
  json.at("seed").get_to(settings.seed);
  json.at("rounds").get_to(settings.rounds);
  json.at("timeout_seconds").get_to(settings.timeout_seconds);
  json.at("build").get_to(settings.build);
  return settings;
}

nlohmann::json CheckRequest(const std::string& name, const ValidationSettings& settings) {
  return {{"name", name}, {"settings", SettingsToJson(settings)}};
}

IsolatedCheck CheckOfRequest(const nlohmann::json& request) {
  try {
    const ValidationSettings settings = SettingsFromJson(request.at("settings"));
    const CheckFunction check = FindCheck(request.at("name").get<std::string>(), settings.rounds);
    if (!check) return nullptr;
    return [check, settings](StepLog& steps) { return check(settings, steps); };
  } catch (const nlohmann::json::exception&) {
    return nullptr;
  }
}

CheckResult RunCheckAlone(const std::string& name, const ValidationSettings& settings) {
  const nlohmann::json request = CheckRequest(name, settings);
#ifdef _WIN32
  return RunInChildProcess({OwnProgramPath(), "validate", "--one-check"}, request,
                           settings.scratch_folder, settings.timeout_seconds);
#else
  // Through the request all the same, so that what the Windows child reads
  // is what every POSIX run uses.
  const IsolatedCheck check = CheckOfRequest(request);
  if (!check) {
    CheckResult unknown;
    unknown.status = CheckStatus::kFail;
    unknown.detail = "no check named " + name;
    return unknown;
  }
  return RunIsolated(check, settings.timeout_seconds);
#endif
}

}  // namespace simhost_app
