// The module's entry and start-up, through the stand-in host.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>

#include "plugin_fixture.h"

namespace lumidrome_test {
namespace {

const int32_t kCommand = 1035349;
const int32_t kSceneHook = 1038218;

std::string ModuleFile(Build build) { return std::string(BuiltFolder(build)) + "/Lumidrome.so"; }

std::string DefinedDynamicSymbols(const std::string& module) {
  std::string command = "nm -D --defined-only '" + module + "'";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::string names;
  char line[512];
  while (pipe && fgets(line, sizeof line, pipe.get())) {
    std::string text(line);
    names += text.substr(text.find_last_of(' ') + 1);
  }
  return names;
}

class Lifecycle : public testing::TestWithParam<Build> {
 protected:
  Lifecycle() : fixture_(GetParam()) {}
  simhost::Host& host() { return fixture_.host(); }
  bool R17() const { return GetParam() == Build::R17; }
  int32_t Init(int32_t version) {
    std::string error;
    EXPECT_TRUE(host().OpenModule(fixture_.plugin_folder().string(), &error)) << error;
    return host().CallInit(host().MakeTable(version, sizeof(c4d_function_table)),
                           host().ModulePath().c_str());
  }
  PluginFixture fixture_;
};

TEST_P(Lifecycle, ExportsOnlyTheEntry) {
  EXPECT_EQ(DefinedDynamicSymbols(ModuleFile(GetParam())), "c4d_main\n");
}

TEST_P(Lifecycle, InitialisationChecksTheInterfaceVersion) {
  int32_t minimum = R17() ? 17030 : 14000;
  EXPECT_EQ(Init(minimum - 1), -3);
  host().Unload();
  EXPECT_EQ(Init(minimum), 1);
  // A second initialisation only counts; the first end only uncounts.
  EXPECT_EQ(host().CallInit(&host().Table(), host().ModulePath().c_str()), 1);
  EXPECT_EQ(host().CallMain(3, nullptr, nullptr, nullptr), 1);
  EXPECT_EQ(host().CallMain(3, nullptr, nullptr, nullptr), 1);
}

TEST_P(Lifecycle, InitialisationWithoutModulePathIsRefused) {
  std::string error;
  ASSERT_TRUE(host().OpenModule(fixture_.plugin_folder().string(), &error)) << error;
  EXPECT_EQ(host().CallInit(&host().Table(), nullptr), -3);
}

TEST_P(Lifecycle, AnswersEveryActionAndMessage) {
  ASSERT_EQ(Init(18011), 1);
  EXPECT_EQ(host().CallMain(4, nullptr, nullptr, nullptr), 5);
  for (int32_t action : {0, 5, 7})
    EXPECT_EQ(host().CallMain(action, nullptr, nullptr, nullptr), -1);
  EXPECT_EQ(host().SendPluginMessage(0, nullptr), 1);
  EXPECT_EQ(host().SendPluginMessage(1001188, nullptr), -1);
  EXPECT_EQ(host().SendPluginMessage(12345, nullptr), -1);
  EXPECT_EQ(host().SendPluginMessage(1, nullptr), 1);
  EXPECT_EQ(host().SendPluginMessage(1, nullptr), 1);
  EXPECT_EQ(host().ResourceLoadRequests(), 1);
}

TEST_P(Lifecycle, RefusedResourcesAreAskedForOnce) {
  host().SetResourceLoading(false);
  ASSERT_EQ(Init(18011), 1);
  EXPECT_EQ(host().SendPluginMessage(1, nullptr), -1);
  EXPECT_EQ(host().SendPluginMessage(1, nullptr), -1);
  EXPECT_EQ(host().ResourceLoadRequests(), 1);
}

TEST_P(Lifecycle, StartRegistersCommandThenSceneHook) {
  host().SetInterfaceVersion(R17() ? 18011 : 16999);
  ASSERT_TRUE(host().Load(fixture_.plugin_folder().string()));
  ASSERT_EQ(host().Commands().size(), 1u);
  EXPECT_NE(host().FindCommand(kCommand), nullptr);
  EXPECT_NE(host().FindSceneHook(kSceneHook), nullptr);
  EXPECT_EQ(host().CommandState(kCommand, nullptr), 0x40000000);
}

TEST_P(Lifecycle, RefusedCommandFailsTheStartBeforeTheSceneHook) {
  host().SetInterfaceVersion(16999);
  host().SetAcceptCommands(false);
  EXPECT_FALSE(host().Load(fixture_.plugin_folder().string()));
  EXPECT_EQ(host().LastLoad().start, 0);
  EXPECT_TRUE(host().SceneHooks().empty());
}

TEST_P(Lifecycle, BannerNamesVersionEditionAndSystem) {
  host().SetInterfaceVersion(R17() ? 18011 : 16999);
  host().SetVersionType(12);
  host().SetOperatingSystem(3);
  ASSERT_TRUE(host().Load(fixture_.plugin_folder().string()));
  std::string expected = R17() ? "Lumidrome V(2.142), 18011 License Server, UNIX"
                               : "Lumidrome V(2.143), 16999 License Server, UNIX";
  ASSERT_EQ(host().Printed().size(), 1u);
  EXPECT_EQ(host().Printed()[0], expected);
}

TEST_P(Lifecycle, BannerLeavesUnknownEditionAndSystemEmpty) {
  host().SetInterfaceVersion(R17() ? 18011 : 16999);
  host().SetVersionType(13);
  host().SetOperatingSystem(0);
  ASSERT_TRUE(host().Load(fixture_.plugin_folder().string()));
  ASSERT_EQ(host().Printed().size(), 1u);
  std::string version = R17() ? "2.142), 18011" : "2.143), 16999";
  EXPECT_EQ(host().Printed()[0], "Lumidrome V(" + version + " , ");
}

TEST_P(Lifecycle, BannerNamesEverySystemAndEdition) {
  host().SetInterfaceVersion(R17() ? 18011 : 16999);
  const std::pair<int32_t, std::string> systems[] = {{1, "Windows"}, {2, "OS X"}, {4, ""}};
  const std::pair<int32_t, std::string> editions[] = {{0, "Prime"}, {4, "Broadcast"}, {-1, ""}};
  for (int i = 0; i < 3; ++i) {
    host().Unload();
    host().ClearRecords();
    host().SetOperatingSystem(systems[i].first);
    host().SetVersionType(editions[i].first);  // -1 is above 12 when read unsigned
    ASSERT_TRUE(host().Load(fixture_.plugin_folder().string()));
    ASSERT_EQ(host().Printed().size(), 1u);
    const std::string line = host().Printed()[0];
    const std::string after_version = line.substr(line.find("), ") + 3);
    EXPECT_EQ(after_version.substr(after_version.find(' ') + 1),
              editions[i].second + ", " + systems[i].second);
  }
}

TEST_P(Lifecycle, CommandIsAlwaysEnabled) {
  host().SetInterfaceVersion(R17() ? 18011 : 16999);
  ASSERT_TRUE(host().Load(fixture_.plugin_folder().string()));
  EXPECT_EQ(host().CommandState(kCommand, nullptr), 0x40000000);
  EXPECT_EQ(host().CommandState(kCommand, &host().ActiveDocument()), 0x40000000);
}

INSTANTIATE_TEST_SUITE_P(Builds, Lifecycle, testing::Values(Build::R17, Build::R14),
                         [](const testing::TestParamInfo<Build>& info) {
                           return info.param == Build::R17 ? "R17" : "R14";
                         });

TEST(LifecycleR14, OnHostsFrom17000StartsSilently) {
  PluginFixture fixture(Build::R14);
  fixture.host().SetInterfaceVersion(17000);
  ASSERT_TRUE(fixture.host().Load(fixture.plugin_folder().string()));
  EXPECT_EQ(fixture.host().LastLoad().start, 1);
  EXPECT_TRUE(fixture.host().Commands().empty());
  EXPECT_TRUE(fixture.host().SceneHooks().empty());
  EXPECT_TRUE(fixture.host().Printed().empty());
}

}  // namespace
}  // namespace lumidrome_test
