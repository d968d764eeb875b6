#include "common/host_options.h"

#include <cctype>
#include <filesystem>
#include <map>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/platform.h"

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
  command.add_option("--app-folder", options->app_folder,
                     "the application folder (its plugins/ folder is not the user's)");
  const std::map<std::string, simhost::HdriPlugin> plugins{
      {"present", simhost::HdriPlugin::kPresent},
      {"missing", simhost::HdriPlugin::kMissing},
      {"other-type", simhost::HdriPlugin::kOtherType}};
  command
      .add_option("--hdri-plugin", options->hdri_plugin,
                  "the HDRI object plug-in: present, missing, or other-type (allocating an HDRI "
                  "object gives an element of another type)")
      ->transform(CLI::CheckedTransformer(plugins, CLI::ignore_case));
  command.add_flag_callback(
      "--no-hdri-plugin", [options] { options->hdri_plugin = simhost::HdriPlugin::kMissing; },
      "the same as --hdri-plugin missing");
  command
      .add_option("--dir-order", options->dir_order,
                  "the order folders list in: native, sorted (as Windows), reverse or shuffle "
                  "(by --seed); default sorted for --os win, else native")
      ->check(CLI::IsMember({"native", "sorted", "reverse", "shuffle"}, CLI::ignore_case));
}

void AddSeedOption(CLI::App& command, HostOptions* options) {
  command.add_option("--seed", options->seed, "seed of the host's random choices")
      ->capture_default_str();
}

std::optional<simhost::DirOrder> DirOrderNamed(const std::string& name) {
  static const std::map<std::string, simhost::DirOrder> orders{
      {"native", simhost::DirOrder::kNative},
      {"sorted", simhost::DirOrder::kSorted},
      {"reverse", simhost::DirOrder::kReverse},
      {"shuffle", simhost::DirOrder::kShuffle}};
  std::string lower = name;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  auto it = orders.find(lower);
  if (it == orders.end()) return std::nullopt;
  return it->second;
}

void ApplyHostOptions(const HostOptions& options, simhost::Host& host) {
  namespace platform = simhost::platform;
  std::error_code error;
  const std::string user = platform::AbsolutePath(options.user_folder);
  std::filesystem::create_directories(platform::PathFromUtf8(user), error);
  host.SetInterfaceVersion(options.interface_version);
  host.SetVersionType(options.edition);
  host.SetOperatingSystem(options.operating_system);
  host.SetUserFolder(user);
  host.SetHdriPlugin(options.hdri_plugin);
  host.SetDirOrder(DirOrderNamed(options.dir_order));
  host.SetSeed(options.seed);
  if (!options.app_folder.empty()) {
    host.SetStartupFolder(platform::AbsolutePath(options.app_folder));
  }
}

}  // namespace simhost_app
