// Writes the demo HDRI library into the plug-in's Packs folder and the
// placeholder tile and icon into its res folder. Deterministic: the same
// sources and font always give the same bytes, so the outputs can be kept
// under version control and regenerated at will.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "demo_library.h"

namespace {

struct Options {
  std::filesystem::path packs = std::filesystem::path(DEMO_LIBRARY_REPO_ROOT) / "Packs";
  std::filesystem::path res = std::filesystem::path(DEMO_LIBRARY_REPO_ROOT) / "res";
  std::string font = DEMO_LIBRARY_FONT;
};

void PrintUsage(std::FILE* out) {
  std::fprintf(out,
               "usage: make_demo_library [--packs DIR] [--res DIR] [--font FILE]\n"
               "  --packs DIR  where the pack folders go (default %s/Packs)\n"
               "  --res DIR    where AddMoreHDRIs*.jpg and icon.png go (default %s/res)\n"
               "  --font FILE  TrueType font for the lettering (default %s)\n",
               DEMO_LIBRARY_REPO_ROOT, DEMO_LIBRARY_REPO_ROOT, DEMO_LIBRARY_FONT);
}

// Returns 0 to go on, otherwise the exit status.
int ParseArguments(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string flag = argv[i];
    if (flag == "--help" || flag == "-h") {
      PrintUsage(stdout);
      return 1;
    }
    const bool known = flag == "--packs" || flag == "--res" || flag == "--font";
    if (!known || i + 1 >= argc || std::strlen(argv[i + 1]) == 0) {
      PrintUsage(stderr);
      return 2;
    }
    const char* value = argv[++i];
    if (flag == "--packs") options.packs = value;
    if (flag == "--res") options.res = value;
    if (flag == "--font") options.font = value;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (const int status = ParseArguments(argc, argv, options); status != 0) {
    return status == 1 ? 0 : status;
  }
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
              options.packs.string().c_str(), options.res.string().c_str());
  return 0;
}
