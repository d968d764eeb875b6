// The tests' shared command runner: quoting, exit status and output.
#include "command_runner.h"

#include <gtest/gtest.h>

#include <string>

namespace lumidrome_test {
namespace {

TEST(CommandRunner, QuotedWordsReachTheProgramUnchangedAndStatusComesBack) {
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

}  // namespace
}  // namespace lumidrome_test
