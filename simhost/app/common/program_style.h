// What every simhost command shares on the command line: --version, the
// help command, and one style for usage errors ("simhost COMMAND: what is
// wrong", a hint, exit status 2).
#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace simhost_app {

constexpr int kUsageExit = 2;

// "simhost <project version> (stand-in host ...)".
std::string VersionText();

// --version on the program and on each of its commands added so far.
void AddVersionFlags(CLI::App& app);

// `simhost help [COMMAND]`.
void AddHelpCommand(CLI::App& app);

// An existing folder, its UTF-8 name checked through the platform layer
// (CLI11's own check takes the ANSI code page on Windows).
CLI::Validator ExistingFolder();

// A whole number from low to high, shown in help as NUMBER. Its usage error
// says what was given and what fits: `--rounds: "abc" is not a number:
// expected a whole number from 1 to 100000`.
CLI::Validator WholeNumber(int64_t low, int64_t high);

// "a, b or c", for usage errors that list what fits.
std::string ListedWithOr(const std::vector<std::string>& names);

// Help and version answers go to out and give 0; every other parse error is
// one line naming the command, plus a hint, on err, and gives 2.
int AnswerParseError(const CLI::App& app, const CLI::ParseError& error, std::ostream& out,
                     std::ostream& err);

}  // namespace simhost_app
