#include "session/session_command.h"

#include <filesystem>
#include <memory>

#include "common/program_style.h"
#include "platform/platform.h"
#include "session/session_program.h"

namespace simhost_app {

namespace {

// A plug-in folder installed as <user folder>/plugins/<name> names its user
// folder too.
void TakeUserFolderFromPlugin(SessionRun& run) {
  namespace platform = simhost::platform;
  const std::filesystem::path folder = platform::PathFromUtf8(run.plugin_folder).lexically_normal();
  const std::filesystem::path plugins =
      (folder.has_filename() ? folder : folder.parent_path()).parent_path();
  if (plugins.filename() == "plugins" && plugins.has_parent_path()) {
    run.host.user_folder = platform::Utf8FromPath(plugins.parent_path());
  }
}

}  // namespace

void AddSessionCommand(CLI::App& app, int* exit_code) {
  auto run = std::make_shared<SessionRun>();
  CLI::App* command = app.add_subcommand(
      "session",
      "load a plug-in folder and drive it with commands from scripts or the terminal "
      "(run it and type help)");
  AddHostOptions(*command, &run->host);
  AddSeedOption(*command, &run->host);
  command->add_option("PLUGIN_FOLDER", run->plugin_folder, "the installed plug-in folder")
      ->required()
      ->check(ExistingFolder());
  command->add_option("SCRIPT", run->scripts,
                      "files of commands, run in order; - reads standard input");
  command->add_flag("-i,--interactive", run->interactive,
                    "after the scripts, go on at the terminal (when there is one)");
  command->add_flag("-v,--verbose", run->verbose,
                    "also print resource sets, sleeps and event adds");
  command->add_flag("--install-in-app", run->install_in_app,
                    "copy the plug-in folder into the application's own plugins/ folder "
                    "(--app-folder, default a temporary folder removed at exit) and load it from "
                    "there, where the "
                    "browser command refuses to open without Shift+Ctrl");
  command->callback([command, run, exit_code] {
    if (command->count("--user-folder") == 0 && !run->install_in_app) {
      TakeUserFolderFromPlugin(*run);
    }
    *exit_code = RunSessionProgram(*run);
  });
}

}  // namespace simhost_app
