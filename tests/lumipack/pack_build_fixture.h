// A library in a temporary folder and builds into its pack 05_My_Skies,
// with what they printed.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "build_command.h"
#include "hdri_samples.h"

namespace lumipack_test {

namespace fs = std::filesystem;

struct BuildRun {
  int status = -1;
  std::string out, err;
};

inline bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class PackBuild : public testing::Test {
 protected:
  fs::path Sources() const { return folder_.path() / "sources"; }
  fs::path Library() const { return folder_.path() / "library"; }
  fs::path Pack() const { return Library() / "05_My_Skies"; }
  fs::path Source(const std::string& name) const {
    fs::create_directories(Sources());
    return Sources() / name;
  }
  BuildRun Build(std::vector<std::string> sources, lumipack::BuildOptions options = {}) {
    options.library = Library().string();
    options.create_library = true;
    options.pack = "05_My_Skies";
    options.sources = std::move(sources);
    if (options.jobs == 0) options.jobs = 2;
    std::ostringstream out, err;
    BuildRun run;
    run.status = lumipack::RunBuild(options, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
  }
  TempFolder folder_;
};

inline std::string Bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace lumipack_test
