// lumipack: turns HDRI files into a pack of the browser's library.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <iostream>

#include "build_command.h"

namespace {

void AddBuildCommand(CLI::App& app, lumipack::BuildOptions* options, int* exit_code) {
  CLI::App* build = app.add_subcommand(
      "build",
      "creates or updates the pack folder DIR/NAME from HDRI files (.hdr, .exr) or folders of "
      "them: thumbnails, the original, a small HDRI and a background for each. Exit status 0 "
      "when all were built and the pack checks fine, 1 when some failed, 2 for a usage error");
  build->add_option("--library", options->library, "the library folder that holds the packs")
      ->required();
  build->add_option("--pack", options->pack, "the pack folder's name, e.g. 05_My_Skies")
      ->required();
  build->add_option("SOURCE", options->sources, "HDRI files, or folders of them")->required();
  build->add_option("--exposure", options->settings.exposure_ev,
                    "exposure in EV, added to the one chosen from each image");
  std::map<std::string, lumipack::ToneCurve> curves{{"filmic", lumipack::ToneCurve::kFilmic},
                                                    {"clip", lumipack::ToneCurve::kClip}};
  build->add_option("--tonemap", options->settings.curve, "highlights: filmic (rolled off) or clip")
      ->transform(CLI::CheckedTransformer(curves, CLI::ignore_case));
  build->add_option("--jobs,-j", options->jobs, "threads to use (default: one per core)")
      ->check(CLI::Range(1, 256));
  build->add_flag("--force", options->force, "rebuild outputs that are newer than their source");
  build->add_flag("!--no-check", options->check, "skip the library check at the end");
  build->callback([options, exit_code] {
    options->progress_line = ::isatty(STDOUT_FILENO) == 1;
    *exit_code = lumipack::RunBuild(*options, std::cout, std::cerr);
  });
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app("lumipack: turns HDRI files into a pack of the browser's library");
  app.require_subcommand(1);
  lumipack::BuildOptions options;
  int exit_code = 0;
  AddBuildCommand(app, &options, &exit_code);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    int status = app.exit(error);
    return status == 0 ? 0 : lumipack::kUsageError;
  }
  return exit_code;
}
