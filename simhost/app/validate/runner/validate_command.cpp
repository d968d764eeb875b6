#include "validate/runner/validate_command.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <system_error>
#include <utility>

#include "common/program_style.h"
#include "platform/platform.h"
#include "validate/runner/one_check_mode.h"
#include "validate/runner/report_files.h"
#include "validate/runner/validation_run.h"

namespace simhost_app {

namespace {

struct ValidateOptions {
  ValidationRequest request;
  bool list = false;
  bool one_check = false;  // the child of a Windows run: one check, told on standard input
};

void AddSelectionOptions(CLI::App& command, ValidateOptions* options) {
  command.add_flag("--list", options->list,
                   "print every check with a one-line description and exit (also as JSON to "
                   "the file of --json; only as JSON with --json -)");
  command
      .add_option("--only", options->request.selection.only,
                  "run only the checks whose names contain one of these patterns")
      ->delimiter(',')
      ->allow_extra_args(false)  // the plug-in folder after it is no pattern
      ->type_name("PATTERN[,PATTERN...]");
  command
      .add_option("--exclude", options->request.selection.exclude,
                  "leave out the checks whose names contain one of these patterns")
      ->delimiter(',')
      ->allow_extra_args(false)  // the plug-in folder after it is no pattern
      ->type_name("PATTERN[,PATTERN...]");
  command
      .add_option("--junit", options->request.junit_file,
                  "also write the results as JUnit XML to this file")
      ->type_name("FILE");
  command
      .add_option("--json", options->request.json_file,
                  "also write the results as JSON to this file, or to standard output for "
                  "-, the text lines then going to standard error")
      ->type_name("FILE");
}

void AddRunOptions(CLI::App& command, ValidationSettings* settings) {
  AddSeed(command, &settings->seed, "seed of the random sequences");
  command
      .add_option("--rounds", settings->rounds,
                  "loads, openings and random steps per check grow with this (1 to 100000)")
      ->capture_default_str()
      ->type_name("NUMBER")
      ->check(WholeNumber(1, 100000));
  command
      .add_option("--timeout", settings->timeout_seconds,
                  "seconds one check may take before it counts as timed out (1 to 86400)")
      ->capture_default_str()
      ->type_name("SECONDS")
      ->check(WholeNumber(1, 86400));
}

// Each report file given is tried before any check runs.
void CheckReportFiles(const CLI::App& command, const ValidationRequest& request) {
  for (const auto& [option, path] :
       {std::pair{"--junit", &request.junit_file}, std::pair{"--json", &request.json_file}}) {
    if (command.count(option) == 0) continue;
    const std::string problem = ReportFileProblem(*path);
    if (!problem.empty()) throw CLI::ValidationError(std::string(option) + ": " + problem);
  }
}

void List(const CLI::App& command, const ValidationRequest& request, int* exit_code) {
  if (command.count("--junit") > 0) {
    throw CLI::ValidationError(
        "--junit: --list runs no check, so there is nothing to write; "
        "leave out one of them");
  }
  CheckReportFiles(command, request);
  const int rounds = request.settings.rounds;
  if (request.json_file == "-") {
    std::cout << CheckListJson(rounds);
    return;
  }
  PrintCheckList(rounds, std::cout);
  if (!request.json_file.empty() &&
      !WriteReportFile(request.json_file, CheckListJson(rounds), std::cout, std::cerr)) {
    *exit_code = 1;
  }
}

void Run(CLI::App& command, const ValidateOptions& options, int* exit_code) {
  if (options.one_check) RunOneCheck(std::cin, CheckOfRequest);
  if (options.list) return List(command, options.request, exit_code);
  ValidationRequest run = options.request;
  if (run.settings.plugin_folder.empty()) {
    throw CLI::ValidationError("PLUGIN_FOLDER is required (or --list)");
  }
  const std::string selection_problem = SelectionProblem(run);
  if (!selection_problem.empty()) {
    throw CLI::ValidationError(selection_problem + "; simhost validate --list shows the checks");
  }
  CheckReportFiles(command, run);
  run.version_given = command.count("--host-version") > 0;
  run.settings.scratch_folder =
      command.count("--user-folder") > 0 ? run.settings.host.user_folder : "";
  run.settings.plugin_folder = simhost::platform::AbsolutePath(run.settings.plugin_folder);
  // With the JSON on standard output, the text lines move aside to standard error.
  std::ostream& text = run.json_file == "-" ? std::cerr : std::cout;
  *exit_code = RunValidation(run, text, std::cerr);
}

}  // namespace

void AddValidateCommand(CLI::App& app, int* exit_code) {
  auto options = std::make_shared<ValidateOptions>();
  CLI::App* command = app.add_subcommand(
      "validate",
      "check a built plug-in folder as a careful host would: one line per check, a summary, "
      "and exit status 1 when a check fails, crashes or times out");
  ValidationSettings& settings = options->request.settings;
  AddHostOptions(*command, &settings.host);
  command->get_option("--host-version")
      ->description(
          "the host's version number; by default 18011, or 16999 for a build for R14, which "
          "registers nothing on newer hosts; below the module's minimum, the checks that need "
          "a started module are skipped")
      ->default_str("");
  command->get_option("--user-folder")
      ->description(
          "where the checks make their temporary user folders (default: the system's "
          "temporary folder)")
      ->default_str("");
  AddRunOptions(*command, &settings);
  AddSelectionOptions(*command, options.get());
  // Hidden: how a Windows run starts each check's process.
  command->add_flag("--one-check", options->one_check)->group("");
  command->add_flag("--keep-files", options->request.keep_files,
                    "keep the checks' temporary folders and say where they are");
  command->add_option("PLUGIN_FOLDER", settings.plugin_folder, "the plug-in folder")
      ->type_name("FOLDER")
      ->check(ExistingFolder());
  command->callback([command, options, exit_code] { Run(*command, *options, exit_code); });
}

}  // namespace simhost_app
