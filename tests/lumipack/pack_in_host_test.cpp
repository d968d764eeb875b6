// A built pack in the stand-in host: the browser lists it, draws its tiles
// and a click puts its HDRI and background into the scene; and the program
// itself, run as a user would.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "build_command.h"
#include "command_runner.h"
#include "hdri_samples.h"
#include "plugin_fixture.h"
#include "radiance_format.h"
#include "session/session.h"

namespace lumipack_test {
namespace {

namespace fs = std::filesystem;

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(PackInHost, TheBrowserShowsAndAppliesABuiltPack) {
  lumidrome_test::PluginFixture fixture(lumidrome_test::Build::R17);
  TempFolder folder;
  fs::create_directories(folder.path() / "in");
  lumipack::WriteRadiance(Sky(256, 128), (folder.path() / "in" / "Open Field.hdr").string());
  WriteSampleExr(Sky(256, 128), folder.path() / "in" / "Harbour.exr", {});
  lumipack::BuildOptions options;
  options.library = (folder.path() / "library").string();
  options.create_library = true;
  options.pack = "05_My_Skies";
  options.sources = {(folder.path() / "in").string()};
  std::ostringstream build_out, build_err;
  ASSERT_EQ(lumipack::RunBuild(options, build_out, build_err), 0)
      << build_out.str() << build_err.str();

  std::ostringstream out;
  simhost_app::Session session(fixture.host(), fixture.plugin_folder().string(), out);
  ASSERT_TRUE(session.Start()) << out.str();
  std::istringstream script("open\nanswer folder " + options.library +
                            "\npack \"Change Directory\"\nsize Small\nclick \"Open Field\"\n");
  session.RunScript(script);
  EXPECT_EQ(session.Failures(), 0) << out.str();
  EXPECT_TRUE(Has(out.str(), "browser: pack \"My_Skies\" (0), size \"Small\" (1), 2 tiles"))
      << out.str();
  EXPECT_TRUE(Has(out.str(), "the scene changed (one undo step)")) << out.str();
  simhost::Atom* hdri = fixture.host().ActiveDocument().AllObjects().at(0);
  const std::string pack = options.library + "/05_My_Skies";
  EXPECT_EQ(hdri->Data().GetText(2002), pack + "/HDRIs/Open_Field.hdr");
  EXPECT_EQ(hdri->Data().GetText(2037), pack + "/Background/Open_Field.jpg");
}

lumidrome_test::CommandRun RunLumipack(const std::string& arguments) {
  return lumidrome_test::RunCommand(lumidrome_test::ProgramCommand(LUMIPACK_PROGRAM) + " " +
                                    arguments + " 2>&1");
}

TEST(LumipackProgram, BuildsReportsAndExitsAsDocumented) {
  TempFolder folder;
  const fs::path source = folder.path() / "Dawn.hdr";
  lumipack::WriteRadiance(Sky(128, 64), source.string());
  const std::string library = "'" + (folder.path() / "lib").string() + "'";
  lumidrome_test::CommandRun built =
      RunLumipack("build --library " + library + " --create-library --pack 01_Mine --jobs 2 '" +
                  source.string() + "'");
  EXPECT_EQ(built.exit_status, 0) << built.output;
  EXPECT_TRUE(Has(built.output, "[1/1] built Dawn from ")) << built.output;
  EXPECT_TRUE(Has(built.output, "Summary: 1 pack, 1 tile: 1 fine")) << built.output;

  std::FILE* bad = std::fopen((folder.path() / "Bad.hdr").c_str(), "wb");
  std::fputs("#?RADIANCE\n\n-Y 4 +X 4\n", bad);
  std::fclose(bad);
  lumidrome_test::CommandRun failed =
      RunLumipack("build --library " + library + " --pack 01_Mine '" +
                  (folder.path() / "Bad.hdr").string() + "'");
  EXPECT_EQ(failed.exit_status, 1) << failed.output;
  EXPECT_TRUE(Has(failed.output, "Bad.hdr: truncated")) << failed.output;

  EXPECT_EQ(RunLumipack("build --library " + library + " --pack 01_Mine").exit_status, 2);
  EXPECT_EQ(RunLumipack("build --pack 01_Mine x.hdr").exit_status, 2);
  EXPECT_EQ(RunLumipack("build --library " + library + " --pack 01_Mine --tonemap soft x.hdr")
                .exit_status,
            2);
  EXPECT_EQ(RunLumipack("--help").exit_status, 0);
}

TEST(LumipackProgram, SpeaksLikeTheOtherToolsAndHelpsWithoutParserTalk) {
  lumidrome_test::CommandRun version = RunLumipack("--version");
  EXPECT_EQ(version.exit_status, 0);
  EXPECT_EQ(version.output.rfind("lumipack ", 0), 0u) << version.output;
  lumidrome_test::CommandRun bad = RunLumipack("build --library x --pack 01_A --jobs many a.hdr");
  EXPECT_EQ(bad.exit_status, 2);
  EXPECT_EQ(bad.output.rfind("lumipack build: --jobs", 0), 0u) << bad.output;
  EXPECT_TRUE(Has(bad.output, "Run lumipack build --help for the options.")) << bad.output;
  EXPECT_TRUE(Has(RunLumipack("").output, "lumipack: a command is needed: build"));
  lumidrome_test::CommandRun curve =
      RunLumipack("build --library x --pack 01_A --tonemap soft a.hdr");
  EXPECT_EQ(curve.exit_status, 2);
  EXPECT_TRUE(Has(curve.output, "lumipack build: --tonemap: \"soft\" is not clip or filmic"))
      << curve.output;
  lumidrome_test::CommandRun help = RunLumipack("build --help");
  EXPECT_EQ(help.exit_status, 0);
  for (const char* internal : {"{", "->", " TEXT", " INT", " FLOAT", "ENUM"}) {
    EXPECT_FALSE(Has(help.output, internal)) << internal << "\n" << help.output;
  }
}

}  // namespace
}  // namespace lumipack_test
