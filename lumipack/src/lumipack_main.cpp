// lumipack: turns HDRI files into a pack of the browser's library.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cctype>
#include <iostream>
#include <map>
#include <memory>

#include "build_command.h"
#include "build_record.h"

namespace {

std::string VersionText() { return "lumipack " + lumipack::LumipackVersion(); }

// One of a few words, any case, for an enum option; the error names the
// words rather than the parser's table.
template <typename Enum>
CLI::Validator OneOf(const std::map<std::string, Enum>& words) {
  return CLI::Validator(
      [words](std::string& value) -> std::string {
        std::string word = value;
        for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        auto found = words.find(word);
        if (found != words.end()) {
          value = std::to_string(static_cast<int>(found->second));
          return "";
        }
        std::string names;
        for (const auto& entry : words) names += (names.empty() ? "" : " or ") + entry.first;
        return "\"" + value + "\" is not " + names;
      },
      "");
}

void AddShapingOptions(CLI::App* build, lumipack::BuildSettings* settings) {
  build
      ->add_option("--exposure", settings->exposure_ev,
                   "exposure in EV, added to the one chosen from each image")
      ->type_name("EV");
  std::map<std::string, lumipack::ExposureMode> modes{{"image", lumipack::ExposureMode::kImage},
                                                      {"pack", lumipack::ExposureMode::kPack}};
  build
      ->add_option("--exposure-mode", settings->exposure_mode,
                   "image: an exposure chosen for each image (night stays darker than day); "
                   "pack: one exposure for the whole pack, so the images keep their relative "
                   "brightness")
      ->transform(OneOf(modes))
      ->type_name("image|pack");
  std::map<std::string, lumipack::ToneCurve> curves{{"filmic", lumipack::ToneCurve::kFilmic},
                                                    {"clip", lumipack::ToneCurve::kClip}};
  build->add_option("--tonemap", settings->curve, "highlights: filmic (rolled off) or clip")
      ->transform(OneOf(curves))
      ->type_name("filmic|clip");
  build
      ->add_option("--layer", settings->layer,
                   "the OpenEXR layer to read (e.g. diffuse for diffuse.R, .G, .B) when a file "
                   "has several")
      ->type_name("NAME");
}

void AddBuildCommand(CLI::App& app, lumipack::BuildOptions* options, int* exit_code) {
  auto no_check = std::make_shared<bool>(false);
  CLI::App* build = app.add_subcommand(
      "build",
      "creates or updates the pack folder DIR/NAME from HDRI files (.hdr, .exr) or folders of "
      "them: thumbnails, the original, a small HDRI and a background for each. Exit status 0 "
      "when all were built and the pack checks fine, 1 when some failed, 2 for a usage error, "
      "130 when interrupted");
  build->add_option("--library", options->library, "the library folder that holds the packs")
      ->required()
      ->type_name("DIR");
  build->add_flag("--create-library", options->create_library,
                  "create the library folder when it does not exist");
  build->add_option("--pack", options->pack, "the pack folder's name, e.g. 05_My_Skies")
      ->required()
      ->type_name("NAME");
  build->add_option("SOURCE", options->sources, "HDRI files, or folders of them")
      ->required()
      ->type_name("");
  AddShapingOptions(build, &options->settings);
  build->add_option("--jobs,-j", options->jobs, "threads to use, 1 to 256 (default: one per core)")
      ->check(CLI::Range(1, 256).description(""))
      ->type_name("N");
  build->add_flag("--force", options->force,
                  "rebuild every source, even those whose outputs are up to date");
  build->add_flag("--no-check", *no_check, "skip the library check at the end");
  build->set_version_flag("--version", VersionText());
  build->callback([options, exit_code, no_check] {
    options->check = !*no_check;
    options->progress_line = ::isatty(STDOUT_FILENO) == 1;
    *exit_code = lumipack::RunBuild(*options, std::cout, std::cerr);
  });
}

std::string CommandPath(const CLI::App& app) {
  std::string path = "lumipack";
  for (const CLI::App* command : app.get_subcommands()) path += " " + command->get_name();
  return path;
}

// Help and version go to stdout with 0; any other problem is one line
// naming the command, and a hint, with 2.
int AnswerParseError(const CLI::App& app, const CLI::ParseError& error) {
  if (error.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) {
    return app.exit(error) == 0 ? 0 : lumipack::kUsageError;
  }
  std::string problem = error.what();
  if (app.get_subcommands().empty() && problem.find("subcommand") != std::string::npos) {
    problem = "a command is needed: build";
  }
  const std::string path = CommandPath(app);
  std::cerr << path << ": " << problem << "\nRun " << path << " --help for the options.\n";
  return lumipack::kUsageError;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app("lumipack: turns HDRI files into a pack of the browser's library", "lumipack");
  app.require_subcommand(1);
  app.set_version_flag("--version", VersionText());
  lumipack::BuildOptions options;
  int exit_code = 0;
  AddBuildCommand(app, &options, &exit_code);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return AnswerParseError(app, error);
  }
  return exit_code;
}
