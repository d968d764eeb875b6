// lumipack build: a folder of HDRIs into a pack folder the browser reads.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "image_builder.h"

namespace lumipack {

struct BuildOptions {
  std::string library;               // the library folder, DIR
  std::string pack;                  // the pack folder's name, NAME
  std::vector<std::string> sources;  // files, or folders of them
  BuildSettings settings;
  int jobs = 0;  // 0: one per core
  bool force = false;
  bool create_library = false;  // else a missing library folder is an error
  bool check = true;            // run the library check on the result
  bool progress_line = false;   // a live progress line (on a terminal)
  // Called after each source is done; lets a test interrupt a run.
  std::function<void()> after_each;
};

// Exit statuses: 0 every source built and the pack checks fine, 1 some
// source failed or the check finds a broken tile, 2 a usage error, 130
// stopped by SIGINT or SIGTERM.
constexpr int kBuildFailed = 1;
constexpr int kUsageError = 2;
constexpr int kInterrupted = 130;

// SIGINT and SIGTERM during RunBuild stop it after the files in progress.

int RunBuild(const BuildOptions& options, std::ostream& out, std::ostream& err);

}  // namespace lumipack
