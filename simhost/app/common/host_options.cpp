#include "common/host_options.h"

#include <filesystem>
#include <map>
#include <system_error>

namespace simhost_app {

void AddHostOptions(CLI::App& command, HostOptions* options) {
  command
      .add_option("--host-version", options->interface_version,
                  "the host's version number, e.g. 18011 or 14042")
      ->capture_default_str()
      ->check(CLI::Range(1, 999999));
  const std::map<std::string, int32_t> editions{
      {"prime", 0}, {"bodypaint", 1}, {"studio", 2}, {"visualize", 3}, {"broadcast", 4}};
  command.add_option("--edition", options->edition, "the host edition: a name or its number")
      ->capture_default_str()
      ->transform(CLI::CheckedTransformer(editions, CLI::ignore_case) | CLI::Range(0, 1 << 20));
  const std::map<std::string, int32_t> systems{{"win", 1}, {"osx", 2}, {"unix", 3}};
  command
      .add_option("--os", options->operating_system,
                  "the operating system: win, osx, unix or a number")
      ->capture_default_str()
      ->transform(CLI::CheckedTransformer(systems, CLI::ignore_case) | CLI::Range(0, 1 << 20));
  command
      .add_option("--user-folder", options->user_folder,
                  "the user folder: plugins/ and prefs/ live in it")
      ->capture_default_str();
  command.add_flag("!--no-hdri-plugin", options->hdri_plugin,
                   "run without the HDRI object and tag types installed");
}

void ApplyHostOptions(const HostOptions& options, simhost::Host& host) {
  std::error_code error;
  const std::filesystem::path user =
      std::filesystem::absolute(options.user_folder, error).lexically_normal();
  std::filesystem::create_directories(user, error);
  host.SetInterfaceVersion(options.interface_version);
  host.SetVersionType(options.edition);
  host.SetOperatingSystem(options.operating_system);
  host.SetUserFolder(user.string());
  host.SetHdriPluginInstalled(options.hdri_plugin);
}

}  // namespace simhost_app
