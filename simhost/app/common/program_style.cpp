#include "common/program_style.h"

#include <memory>

#include "platform/platform.h"

namespace simhost_app {

namespace {

std::string CommandPath(const CLI::App& app) {
  std::string path = "simhost";
  for (const CLI::App* command : app.get_subcommands()) path += " " + command->get_name();
  return path;
}

std::string CommandNames(const CLI::App& app) {
  std::string names;
  const auto commands = app.get_subcommands([](const CLI::App*) { return true; });
  for (size_t i = 0; i < commands.size(); ++i) {
    names += (i == 0 ? "" : i + 1 == commands.size() ? " or " : ", ") + commands[i]->get_name();
  }
  return names;
}

// CLI11's wording, or ours where its own names its internals.
std::string Problem(const CLI::App& app, const CLI::ParseError& error) {
  const std::string what = error.what();
  if (app.get_subcommands().empty() && what.find("subcommand") != std::string::npos) {
    return "a command is needed: " + CommandNames(app);
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

CLI::Validator ExistingFolder() {
  return CLI::Validator(
      [](std::string& name) -> std::string {
        const simhost::platform::FileInfo info = simhost::platform::Stat(name);
        if (!info.exists) return "Directory does not exist: " + name;
        if (!info.is_folder) return "Directory is actually a file: " + name;
        return std::string();
      },
      "DIR", "EXISTING_FOLDER");
}

}  // namespace simhost_app
