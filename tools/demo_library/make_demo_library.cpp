// Writes the demo HDRI library into the plug-in's Packs folder and the
// placeholder tile and icon into its res folder. Deterministic: the same
// sources and font always give the same bytes, so the outputs can be kept
// under version control and regenerated at will.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "demo_library.h"

namespace {

// The defaults are relative to the current folder, meant to be the
// repository's root, so no build machine's path is baked in.
struct Options {
  std::string packs = "Packs";
  std::string res = "res";
  std::string font = DEMO_LIBRARY_FONT;
};

constexpr int kUsageExit = 2;

// Returns -1 to go on, otherwise the exit status: 0 after --help, 2 for a
// usage error ("make_demo_library: what is wrong" and a hint).
int ParseArguments(int argc, char** argv, Options& options) {
  CLI::App app{
      "make_demo_library: writes the demo HDRI library and the placeholder pictures; run it "
      "from the repository's root to refresh Packs/ and res/"};
  app.add_option("--packs", options.packs, "where the pack folders go")
      ->capture_default_str()
      ->check(CLI::Validator(
          [](std::string& value) { return value.empty() ? "expected a folder" : ""; }, "DIR"));
  app.add_option("--res", options.res, "where AddMoreHDRIs*.jpg and icon.png go")
      ->capture_default_str()
      ->check(CLI::Validator(
          [](std::string& value) { return value.empty() ? "expected a folder" : ""; }, "DIR"));
  app.add_option("--font", options.font, "TrueType font for the lettering")
      ->capture_default_str()
      ->check(CLI::ExistingFile);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    if (error.get_exit_code() == 0) return app.exit(error);
    std::fprintf(stderr, "make_demo_library: %s\nRun make_demo_library --help for the options.\n",
                 error.what());
    return kUsageExit;
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (const int status = ParseArguments(argc, argv, options); status >= 0) return status;
  const demo::GenerateResult result =
      demo::GenerateDemoLibrary(options.packs, options.res, options.font);
  if (!result.ok) {
    std::fprintf(stderr, "make_demo_library: %s\n", result.error.c_str());
    return 1;
  }
  std::uintmax_t bytes = 0;
  for (const auto& file : result.files) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (!error) bytes += size;
  }
  std::printf("wrote %zu files, %ju bytes, into %s and %s\n", result.files.size(), bytes,
              options.packs.c_str(), options.res.c_str());
  return 0;
}
