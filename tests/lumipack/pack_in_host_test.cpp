// A built pack in the stand-in host: the browser lists it, draws its tiles
// and a click puts its HDRI and background into the scene; and the program
// itself, run as a user would.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <sstream>

#include "build_command.h"
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

struct ProgramRun {
  int status = -1;
  std::string out;
};

ProgramRun RunLumipack(const std::string& arguments) {
  ProgramRun run;
  FILE* pipe =
      popen((std::string("'") + LUMIPACK_PROGRAM + "' " + arguments + " 2>&1").c_str(), "r");
  char buffer[4096];
  for (size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, got);
  int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

TEST(LumipackProgram, BuildsReportsAndExitsAsDocumented) {
  TempFolder folder;
  const fs::path source = folder.path() / "Dawn.hdr";
  lumipack::WriteRadiance(Sky(128, 64), source.string());
  const std::string library = "'" + (folder.path() / "lib").string() + "'";
  ProgramRun built = RunLumipack("build --library " + library + " --pack 01_Mine --jobs 2 '" +
                                 source.string() + "'");
  EXPECT_EQ(built.status, 0) << built.out;
  EXPECT_TRUE(Has(built.out, "[1/1] built Dawn from ")) << built.out;
  EXPECT_TRUE(Has(built.out, "Summary: 1 pack, 1 tile: 1 fine")) << built.out;

  std::FILE* bad = std::fopen((folder.path() / "Bad.hdr").c_str(), "wb");
  std::fputs("#?RADIANCE\n\n-Y 4 +X 4\n", bad);
  std::fclose(bad);
  ProgramRun failed = RunLumipack("build --library " + library + " --pack 01_Mine '" +
                                  (folder.path() / "Bad.hdr").string() + "'");
  EXPECT_EQ(failed.status, 1) << failed.out;
  EXPECT_TRUE(Has(failed.out, "Bad.hdr: truncated")) << failed.out;

  EXPECT_EQ(RunLumipack("build --library " + library + " --pack 01_Mine").status, 2);
  EXPECT_EQ(RunLumipack("build --pack 01_Mine x.hdr").status, 2);
  EXPECT_EQ(
      RunLumipack("build --library " + library + " --pack 01_Mine --tonemap soft x.hdr").status, 2);
  EXPECT_EQ(RunLumipack("--help").status, 0);
}

}  // namespace
}  // namespace lumipack_test
