// Running sessions against a fixture's plug-in, in this process or through
// the simhost program, and reading the pictures they save.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "command_runner.h"
#include "plugin_fixture.h"

namespace session_test {

// The transcript of a script run in a session on the fixture's host; the
// number of failed commands lands in *failures.
std::string RunScript(lumidrome_test::PluginFixture& fixture, const std::string& script,
                      int* failures = nullptr);

using ProgramRun = lumidrome_test::CommandRun;

// Runs `simhost session ARGUMENTS` in the fixture's temporary folder with
// standard input from the text; standard error joins the output.
ProgramRun RunProgram(const lumidrome_test::PluginFixture& fixture,
                      const std::vector<std::string>& arguments, const std::string& input);

// The text as one word of a session script: quoted, its backslashes and
// quotes escaped.
std::string ScriptWord(const std::string& text);
// The text as the transcript prints it between quotes.
std::string Printed(const std::string& text);

// A file of the fixture's temporary folder (beside the user folder).
std::filesystem::path TempFile(const lumidrome_test::PluginFixture& fixture,
                               const std::string& name);
void WriteText(const std::filesystem::path& file, const std::string& text);

struct Rgb {
  int r = 0, g = 0, b = 0;
};

// An 8-bit RGB PNG; width 0 when it cannot be read.
struct Png {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;
  Rgb At(int x, int y) const;
};
Png ReadPng(const std::filesystem::path& file);

// Each channel within tolerance.
bool Near(Rgb a, Rgb b, int tolerance);

}  // namespace session_test
