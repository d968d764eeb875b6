#include "library_check/check_library_command.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <system_error>

#include "packlib/hdri_check.h"
#include "packlib/human_report.h"
#include "packlib/json_report.h"
#include "packlib/library_scan.h"
#include "packlib/printable_text.h"
#include "platform/platform.h"
#include "text/text_util.h"

namespace simhost_app {

using packlib::CanListFolder;
using packlib::CheckExitStatus;
using packlib::CheckLibrary;
using packlib::EscapedForTerminal;
using packlib::LibraryCheck;
using packlib::Summarize;

namespace {

const int kUsageError = 2;

int UsageError(const std::string& problem, std::ostream& err) {
  err << "simhost check-library: " << problem << "\n"
      << "Run simhost check-library --help for its options.\n";
  return kUsageError;
}

std::string AbsoluteFolder(const std::string& folder) {
  return simhost::NormalFolder(simhost::platform::AbsolutePath(folder));
}

std::string DeepHelp() {
  std::string help =
      "decode every pixel of each HDRI and small HDRI, not only its header and the size the "
      "header asks of the file";
  if (!packlib::DecodesExrFully()) help += " (this build decodes Radiance files only)";
  return help;
}

void WriteReport(const LibraryCheck& library, bool as_json, std::ostream& out) {
  if (as_json) {
    out << packlib::LibraryCheckJson(library).dump(2) << '\n';
  } else {
    packlib::WriteHumanReport(library, out);
  }
}

}  // namespace

int RunCheckLibrary(const CheckLibraryOptions& options, const std::vector<std::string>& extras,
                    std::ostream& out, std::ostream& err) {
  if (!extras.empty()) {
    return UsageError("unexpected argument " + EscapedForTerminal(extras.front()), err);
  }
  if (options.folder.empty()) return UsageError("DIR, the library folder, is required", err);
  std::string folder = AbsoluteFolder(options.folder);
  std::string reason;
  if (!CanListFolder(folder, &reason)) {
    err << "simhost check-library: cannot read the library folder " << EscapedForTerminal(folder)
        << ": " << reason << "\n";
    return kUsageError;
  }
  packlib::CheckOptions check;
  check.deep = options.deep;
  LibraryCheck library = CheckLibrary(folder, check);
  WriteReport(library, options.json, out);
  out.flush();
  return CheckExitStatus(Summarize(library));
}

void AddCheckLibraryCommand(CLI::App& app, int* exit_code) {
  auto options = std::make_shared<CheckLibraryOptions>();
  CLI::App* command = app.add_subcommand(
      "check-library",
      "tells a pack author what the browser will make of a library: its packs and tiles in "
      "browsing order, what a click on each tile finds, and what will fail or fall back. "
      "Exit status 0 when every click finds its files, 1 when a click can show the "
      "broken-asset message or hand the scene an HDRI that does not load, or when DIR holds no "
      "packs or is a pack rather than a library, 2 for a usage error or an unreadable DIR");
  command->add_option("DIR", options->folder, "the library folder, holding one folder per pack")
      ->required();
  command->add_flag("--json", options->json, "write the report as JSON instead of text");
  command->add_flag("--deep", options->deep, DeepHelp());
  command->callback(
      [options, exit_code] { *exit_code = RunCheckLibrary(*options, {}, std::cout, std::cerr); });
}

}  // namespace simhost_app
