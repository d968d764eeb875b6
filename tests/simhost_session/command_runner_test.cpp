// The tests' shared command runner: arguments, input, folder, exit status
// and output, on every system.
#include "command_runner.h"

#include <gtest/gtest.h>

#include <string>

#include "temp_folder.h"
#include "test_library.h"
#include "utf8_path.h"

namespace lumidrome_test {
namespace {

// Words that a careless quoting splits, joins or changes: spaces, quotes,
// backslashes before quotes and at the end, the shell's and cmd's special
// characters, non-ASCII letters and an empty word.
const std::vector<std::string> kAwkwardWords = {"it's a \"test\"",
                                                "C:\\Program Files\\",
                                                "a\\\\\"b",
                                                "$HOME `x` ; | * %PATH% ^ &",
                                                "",
                                                "Pr\xC3\xBC"
                                                "fung \xE2\x98\x80",  // "Prüfung ☀"
                                                "tab\there"};

TEST(CommandRunner, ArgumentsReachTheProgramUnchangedAndStatusComesBack) {
  std::vector<std::string> command = {ARGUMENT_ECHO_PROGRAM, "3"};
  command.insert(command.end(), kAwkwardWords.begin(), kAwkwardWords.end());
  const CommandRun run = RunProgram(command);
  EXPECT_EQ(run.exit_status, 3);
  std::string expected = "[3]\n";
  for (const std::string& word : kAwkwardWords) expected += "[" + word + "]\n";
  EXPECT_EQ(run.output.substr(0, expected.size()), expected);
  EXPECT_EQ(run.output.find("to standard error"), std::string::npos) << run.output;
}

TEST(CommandRunner, InputFolderAndErrorsAreTheCallersChoice) {
  TempFolder folder("command runner \xC3\xBC");  // "ü"
  const std::filesystem::path input = folder.path() / "input.txt";
  WriteBytes(input, "line one\nline two\n");
  ProgramStart start;
  start.input_file = Utf8(input);
  start.folder = Utf8(folder.path());
  start.with_errors = true;
  const CommandRun run = RunProgram({ARGUMENT_ECHO_PROGRAM, "0"}, start);
  EXPECT_EQ(run.exit_status, 0);
  const std::string canonical = Utf8(std::filesystem::canonical(folder.path()));
  EXPECT_EQ(run.output, "[0]\nfolder " + canonical + "\nline one\nline two\nto standard error\n");
}

TEST(CommandRunner, AMissingProgramIsNoSuccess) {
  EXPECT_NE(RunProgram({"lumidrome-no-such-program"}).exit_status, 0);
}

TEST(CommandRunner, AProgramOfTheBuildRuns) {
  const CommandRun run = RunProgram({SIMHOST_PROGRAM, "--version"});
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_NE(run.output.find("simhost"), std::string::npos) << run.output;
}

#ifndef _WIN32
TEST(CommandRunner, ShellWordsReachTheProgramUnchangedAndStatusComesBack) {
  const std::string awkward = "it's a \"test\" $HOME `x` \\ ; | *";
  const CommandRun echoed = RunCommand("printf %s " + ShellQuoted(awkward));
  EXPECT_EQ(echoed.exit_status, 0);
  EXPECT_EQ(echoed.output, awkward);
  EXPECT_EQ(RunCommand("printf 'a\\nb'; exit 3").exit_status, 3);
  EXPECT_EQ(RunCommand("printf 'a\\nb'; exit 3").output, "a\nb");
  EXPECT_EQ(RunCommand("kill -9 $$").exit_status, -1);  // did not exit on its own
}

TEST(CommandRunner, AProgramCommandRunsTheProgram) {
  const CommandRun run = RunCommand(ProgramCommand(SIMHOST_PROGRAM) + " --version");
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_NE(run.output.find("simhost"), std::string::npos) << run.output;
}
#endif

}  // namespace
}  // namespace lumidrome_test
