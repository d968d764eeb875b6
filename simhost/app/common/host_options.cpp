#include "common/host_options.h"

#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

namespace simhost_app {

namespace {

// A name of the table, in any case, or a number from 0 to 2^20; a usage
// error lists the names ("expected win, osx, unix or a number").
CLI::Validator NameOrNumber(const std::vector<std::pair<std::string, int32_t>>& names) {
  std::string expected = "expected ";
  for (const auto& [name, number] : names) expected += name + ", ";
  expected.replace(expected.size() - 2, 2, " or a number");
  return CLI::Validator(
      [names, expected](std::string& value) -> std::string {
        for (const auto& [name, number] : names) {
          if (CLI::detail::to_lower(value) == name) {
            value = std::to_string(number);
            return "";
          }
        }
        int32_t number = -1;
        const bool is_number = CLI::detail::lexical_cast(value, number);
        return is_number && number >= 0 && number <= (1 << 20) ? "" : expected;
      },
      "NAME|NUMBER");
}

}  // namespace

void AddHostOptions(CLI::App& command, HostOptions* options) {
  command
      .add_option("--host-version", options->interface_version,
                  "the host's version number, e.g. 18011 or 14042")
      ->capture_default_str()
      ->check(CLI::Range(1, 999999));
  command
      .add_option("--edition", options->edition,
                  "the host edition: prime, bodypaint, studio, visualize, broadcast or a number")
      ->capture_default_str()
      ->transform(NameOrNumber(
          {{"prime", 0}, {"bodypaint", 1}, {"studio", 2}, {"visualize", 3}, {"broadcast", 4}}));
  command
      .add_option("--os", options->operating_system,
                  "the operating system: win, osx, unix or a number")
      ->capture_default_str()
      ->transform(NameOrNumber({{"win", 1}, {"osx", 2}, {"unix", 3}}));
  command.add_option("--user-folder", options->user_folder,
                     "the user folder: plugins/ and prefs/ live in it (default: the folder "
                     "holding plugins/ when the plug-in folder is in one, else a temporary "
                     "folder removed at exit)");
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
