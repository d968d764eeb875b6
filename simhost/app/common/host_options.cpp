#include "common/host_options.h"

#include <cctype>
#include <cstdint>
#include <filesystem>
#include <map>
#include <system_error>
#include <utility>
#include <vector>

#include "common/program_style.h"
#include "platform/platform.h"

namespace simhost_app {

namespace {

// A name of the table, in any case, which becomes its number; with
// numbers_too also a number from 0 to 2^20. A usage error lists the names
// ("expected win, osx, unix or a number").
CLI::Validator Named(const std::vector<std::pair<std::string, int32_t>>& names, bool numbers_too) {
  std::vector<std::string> fits;
  for (const auto& [name, number] : names) fits.push_back(name);
  if (numbers_too) fits.push_back("a number");
  const std::string listed = ListedWithOr(fits);
  return CLI::Validator(
      [names, numbers_too, listed](std::string& value) -> std::string {
        for (const auto& [name, number] : names) {
          if (CLI::detail::to_lower(value) == name) {
            value = std::to_string(number);
            return "";
          }
        }
        int32_t number = -1;
        const bool is_number = numbers_too && CLI::detail::lexical_cast(value, number);
        if (is_number && number >= 0 && number <= (1 << 20)) return "";
        return "expected " + listed;
      },
      "");
}

// One of the names, in any case, kept as written in the list.
CLI::Validator OneOfNames(const std::vector<std::string>& names) {
  const std::string listed = ListedWithOr(names);
  return CLI::Validator(
      [names, listed](std::string& value) -> std::string {
        for (const std::string& name : names) {
          if (CLI::detail::to_lower(value) == name) {
            value = name;
            return "";
          }
        }
        return "expected " + listed;
      },
      "");
}

}  // namespace

void AddHostOptions(CLI::App& command, HostOptions* options) {
  command
      .add_option("--host-version", options->interface_version,
                  "the host's version number, e.g. 18011 or 14042")
      ->capture_default_str()
      ->type_name("NUMBER")
      ->check(WholeNumber(1, 999999));
  command
      .add_option("--edition", options->edition,
                  "the host edition: prime, bodypaint, studio, visualize, broadcast or a number")
      ->capture_default_str()
      ->type_name("NAME|NUMBER")
      ->transform(
          Named({{"prime", 0}, {"bodypaint", 1}, {"studio", 2}, {"visualize", 3}, {"broadcast", 4}},
                true));
  command
      .add_option("--os", options->operating_system,
                  "the operating system: win, osx, unix or a number")
      ->capture_default_str()
      ->type_name("NAME|NUMBER")
      ->transform(Named({{"win", 1}, {"osx", 2}, {"unix", 3}}, true));
  command
      .add_option("--user-folder", options->user_folder,
                  "the user folder: plugins/ and prefs/ live in it (default: the folder "
                  "holding plugins/ when the plug-in folder is in one, else a temporary "
                  "folder removed at exit)")
      ->type_name("FOLDER");
  command
      .add_option("--app-folder", options->app_folder,
                  "the application folder (its plugins/ folder is not the user's)")
      ->type_name("FOLDER");
  using simhost::HdriPlugin;
  const std::vector<std::pair<std::string, int32_t>> plugins{
      {"present", static_cast<int32_t>(HdriPlugin::kPresent)},
      {"missing", static_cast<int32_t>(HdriPlugin::kMissing)},
      {"other-type", static_cast<int32_t>(HdriPlugin::kOtherType)}};
  command
      .add_option("--hdri-plugin", options->hdri_plugin,
                  "the HDRI object plug-in: present, missing, or other-type (allocating an HDRI "
                  "object gives an element of another type)")
      ->type_name("NAME")
      ->transform(Named(plugins, false));
  command.add_flag_callback(
      "--no-hdri-plugin", [options] { options->hdri_plugin = simhost::HdriPlugin::kMissing; },
      "the same as --hdri-plugin missing");
  command
      .add_option("--dir-order", options->dir_order,
                  "the order folders list in: native, sorted (as Windows), reverse or shuffle "
                  "(by --seed); default sorted for --os win, else native")
      ->type_name("NAME")
      ->transform(OneOfNames({"native", "sorted", "reverse", "shuffle"}));
}

void AddSeedOption(CLI::App& command, HostOptions* options) {
  AddSeed(command, &options->seed, "seed of the host's random choices");
}

void AddSeed(CLI::App& command, uint32_t* seed, const std::string& description) {
  command.add_option("--seed", *seed, description)
      ->capture_default_str()
      ->type_name("NUMBER")
      ->check(WholeNumber(0, UINT32_MAX));
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
