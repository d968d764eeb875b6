#include "validate/validate_command.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <system_error>

#include "validate/validation_run.h"

namespace simhost_app {

void AddValidateCommand(CLI::App& app, int* exit_code) {
  auto request = std::make_shared<ValidationRequest>();
  CLI::App* command = app.add_subcommand(
      "validate",
      "check a built plug-in folder as a careful host would: one line per check, a summary, "
      "and exit status 1 when a check fails");
  AddHostOptions(*command, &request->settings.host);
  command->get_option("--host-version")
      ->description(
          "the host's version number; by default 18011, or 16999 for a build for R14, which "
          "registers nothing on newer hosts")
      ->default_str("");
  command->get_option("--user-folder")
      ->description(
          "where the checks make their temporary user folders (default: the system's "
          "temporary folder)")
      ->default_str("");
  command->add_option("--seed", request->settings.seed, "seed of the random sequences")
      ->capture_default_str();
  command
      ->add_option("--rounds", request->settings.rounds,
                   "loads, openings and random steps per check grow with this")
      ->capture_default_str()
      ->check(CLI::Range(1, 100000));
  command
      ->add_option("--timeout", request->settings.timeout_seconds,
                   "seconds one check may take before it counts as hung")
      ->capture_default_str()
      ->check(CLI::Range(1, 86400));
  command->add_option("--only", request->only, "run only the checks whose names contain this");
  command->add_flag("--keep-files", request->keep_files,
                    "keep the checks' temporary folders and say where they are");
  command->add_option("PLUGIN_FOLDER", request->settings.plugin_folder, "the plug-in folder")
      ->required()
      ->check(CLI::ExistingDirectory);
  command->callback([command, request, exit_code] {
    ValidationRequest run = *request;
    run.version_given = command->count("--host-version") > 0;
    run.settings.scratch_folder =
        command->count("--user-folder") > 0 ? run.settings.host.user_folder : "";
    std::error_code ignored;
    run.settings.plugin_folder =
        std::filesystem::absolute(run.settings.plugin_folder, ignored).lexically_normal().string();
    *exit_code = RunValidation(run, std::cout, std::cerr);
  });
}

}  // namespace simhost_app
