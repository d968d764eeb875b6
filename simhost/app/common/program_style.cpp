#include "common/program_style.h"

#include <charconv>
#include <memory>
#include <sstream>

#include "platform/platform.h"

namespace simhost_app {

namespace {

std::string CommandPath(const CLI::App& app) {
  std::string path = "simhost";
  for (const CLI::App* command : app.get_subcommands()) path += " " + command->get_name();
  return path;
}

std::string CommandNames(const CLI::App& app) {
  std::vector<std::string> names;
  for (const CLI::App* command : app.get_subcommands([](const CLI::App*) { return true; })) {
    names.push_back(command->get_name());
  }
  return ListedWithOr(names);
}

// "--jsn is not expected here: ..." for CLI11's "The following argument was
// not expected: --jsn"; empty for other errors.
std::string UnexpectedArguments(const std::string& what) {
  for (const std::string start : {"The following argument was not expected: ",
                                  "The following arguments were not expected: "}) {
    if (what.rfind(start, 0) != 0) continue;
    const bool several = start.find("arguments") != std::string::npos;
    // CLI11 lists them last first.
    std::istringstream words(what.substr(start.size()));
    std::string listed;
    for (std::string word; words >> word;) listed = word + (listed.empty() ? "" : " ") + listed;
    return listed + (several ? " are" : " is") +
           " not expected here: no such option, or an argument too many";
  }
  return "";
}

// "--rounds: a NUMBER is needed after it" for CLI11's "--rounds: 1 required
// NUMBER missing"; empty for other errors.
std::string MissingValue(const std::string& what) {
  const size_t colon = what.find(": 1 required ");
  const std::string end = " missing";
  if (colon == std::string::npos || what.size() < end.size() ||
      what.compare(what.size() - end.size(), end.size(), end) != 0) {
    return "";
  }
  const size_t type = colon + std::string(": 1 required ").size();
  return what.substr(0, colon) + ": a " + what.substr(type, what.size() - end.size() - type) +
         " is needed after it";
}

// CLI11's wording, or ours where its own names its internals.
std::string Problem(const CLI::App& app, const CLI::ParseError& error) {
  const std::string what = error.what();
  if (app.get_subcommands().empty() && what.find("subcommand") != std::string::npos) {
    return "a command is needed: " + CommandNames(app);
  }
  for (const std::string& ours : {UnexpectedArguments(what), MissingValue(what)}) {
    if (!ours.empty()) return ours;
  }
  return what;
}

}  // namespace

std::string VersionText() {
  return "simhost " LUMIDROME_VERSION
         " (stand-in host; host versions up to 18011, interface releases R14 and R17)";
}

void AddVersionFlags(CLI::App& app) {
  app.set_version_flag("--version", VersionText());
  for (CLI::App* command : app.get_subcommands([](CLI::App*) { return true; })) {
    command->set_version_flag("--version", VersionText());
  }
}

void AddHelpCommand(CLI::App& app) {
  auto topic = std::make_shared<std::string>();
  CLI::App* help = app.add_subcommand("help", "show the options of simhost or of one command");
  help->add_option("COMMAND", *topic, "the command to explain");
  help->callback([&app, topic] {
    if (topic->empty()) {
      // app.help() would explain the help command itself, which is the one chosen.
      std::cout << app.get_formatter()->make_help(&app, app.get_name(), CLI::AppFormatMode::Normal);
      return;
    }
    for (CLI::App* command : app.get_subcommands([](CLI::App*) { return true; })) {
      if (command->get_name() == *topic && *topic != "help") {
        std::cout << command->get_formatter()->make_help(command, "simhost " + *topic,
                                                         CLI::AppFormatMode::Normal);
        return;
      }
    }
    throw CLI::ValidationError("no command " + *topic + "; the commands are " + CommandNames(app));
  });
}

int AnswerParseError(const CLI::App& app, const CLI::ParseError& error, std::ostream& out,
                     std::ostream& err) {
  if (error.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) {
    // --help and --version: CLI11 prints the answer itself.
    return app.exit(error, out, err) == 0 ? 0 : kUsageExit;
  }
  const std::string path = CommandPath(app);
  err << path << ": " << Problem(app, error) << "\n"
      << "Run " << path << " --help for the options.\n";
  return kUsageExit;
}

CLI::Validator WholeNumber(int64_t low, int64_t high) {
  const std::string fits =
      "expected a whole number from " + std::to_string(low) + " to " + std::to_string(high);
  CLI::Validator validator(
      [low, high, fits](std::string& value) -> std::string {
        int64_t number = 0;
        const char* end = value.data() + value.size();
        const auto [stop, error] = std::from_chars(value.data(), end, number);
        if (value.empty() || error == std::errc::invalid_argument || stop != end) {
          return "\"" + value + "\" is not a number: " + fits;
        }
        if (error == std::errc::result_out_of_range || number < low || number > high) {
          return value + " is out of range: " + fits;
        }
        return std::string();
      },
      "");
  return validator;
}

std::string ListedWithOr(const std::vector<std::string>& names) {
  std::string text;
  for (size_t i = 0; i < names.size(); ++i) {
    text += (i == 0 ? "" : i + 1 == names.size() ? " or " : ", ") + names[i];
  }
  return text;
}

CLI::Validator ExistingFolder() {
  return CLI::Validator(
      [](std::string& name) -> std::string {
        const simhost::platform::FileInfo info = simhost::platform::Stat(name);
        if (!info.exists) return "no folder " + name + ": check the path";
        if (!info.is_folder) return name + " is a file: expected a folder";
        return std::string();
      },
      "", "EXISTING_FOLDER");
}

}  // namespace simhost_app
