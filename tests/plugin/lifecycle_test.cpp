// The module's entry and start-up, through the stand-in host.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "common/plugin_ids.h"
#include "plugin_fixture.h"
#include "validate/checks/module_exports.h"

namespace lumidrome_test {
namespace {

namespace ids = simhost_app::plugin_ids;

std::string ModuleFile(Build build) {
  return Utf8(PathOf(BuiltFolder(build)) / PathOf(ModuleFileName()));
}

// The names the module file exports, one per line, read from the file.
std::string ExportedNames(const std::string& module) {
  std::vector<std::string> names;
  std::string error;
  if (!simhost_app::ReadExportedSymbols(module, &names, &error)) return error;
  std::string lines;
  for (const std::string& name : names) lines += name + "\n";
  return lines;
}

class Lifecycle : public testing::TestWithParam<Build> {
 protected:
  Lifecycle() : fixture_(GetParam()) {}
  simhost::Host& host() { return fixture_.host(); }
  bool R17() const { return GetParam() == Build::R17; }
  int32_t Init(int32_t version) {
    std::string error;
    EXPECT_TRUE(host().OpenModule(fixture_.plugin_folder().u8string(), &error)) << error;
    return host().CallInit(host().MakeTable(version, sizeof(c4d_function_table)),
                           host().ModulePath().c_str());
  }
  PluginFixture fixture_;
};

TEST_P(Lifecycle, ExportsOnlyTheEntry) {
  EXPECT_EQ(ExportedNames(ModuleFile(GetParam())), "c4d_main\n");
}

TEST_P(Lifecycle, InitialisationChecksTheInterfaceVersion) {
  int32_t minimum = R17() ? ids::kMinimumR17 : ids::kMinimumR14;
  EXPECT_EQ(Init(minimum - 1), C4D_ANSWER_UNUSABLE_HOST);
  host().Unload();
  EXPECT_EQ(Init(minimum), C4D_ANSWER_OK);
  // A second initialisation only counts; the first end only uncounts.
  EXPECT_EQ(host().CallInit(&host().Table(), host().ModulePath().c_str()), C4D_ANSWER_OK);
  EXPECT_EQ(host().CallMain(C4D_ACTION_END, nullptr, nullptr, nullptr), C4D_ANSWER_OK);
  EXPECT_EQ(host().CallMain(C4D_ACTION_END, nullptr, nullptr, nullptr), C4D_ANSWER_OK);
}

TEST_P(Lifecycle, InitialisationWithoutModulePathIsRefused) {
  std::string error;
  ASSERT_TRUE(host().OpenModule(fixture_.plugin_folder().u8string(), &error)) << error;
  EXPECT_EQ(host().CallInit(&host().Table(), nullptr), C4D_ANSWER_UNUSABLE_HOST);
}

TEST_P(Lifecycle, AnswersEveryActionAndMessage) {
  ASSERT_EQ(Init(18011), C4D_ANSWER_OK);
  EXPECT_EQ(host().CallMain(C4D_ACTION_VERSION, nullptr, nullptr, nullptr),
            C4D_ANSWER_FRAME_VERSION);
  for (int32_t unknown_action : {0, 5, 7})
    EXPECT_EQ(host().CallMain(unknown_action, nullptr, nullptr, nullptr), C4D_ANSWER_REFUSED);
  EXPECT_EQ(host().SendPluginMessage(C4D_MESSAGE_PRIORITY, nullptr), C4D_ANSWER_OK);
  EXPECT_EQ(host().SendPluginMessage(C4D_MESSAGE_BUILD_MENU, nullptr), C4D_ANSWER_REFUSED);
  EXPECT_EQ(host().SendPluginMessage(12345, nullptr), C4D_ANSWER_REFUSED);  // no such message
  EXPECT_EQ(host().SendPluginMessage(C4D_MESSAGE_LOAD_RESOURCES, nullptr), C4D_ANSWER_OK);
  EXPECT_EQ(host().SendPluginMessage(C4D_MESSAGE_LOAD_RESOURCES, nullptr), C4D_ANSWER_OK);
  EXPECT_EQ(host().ResourceLoadRequests(), 1);
}

TEST_P(Lifecycle, RefusedResourcesAreAskedForOnce) {
  host().SetResourceLoading(false);
  ASSERT_EQ(Init(18011), C4D_ANSWER_OK);
  EXPECT_EQ(host().SendPluginMessage(C4D_MESSAGE_LOAD_RESOURCES, nullptr), C4D_ANSWER_REFUSED);
  EXPECT_EQ(host().SendPluginMessage(C4D_MESSAGE_LOAD_RESOURCES, nullptr), C4D_ANSWER_REFUSED);
  EXPECT_EQ(host().ResourceLoadRequests(), 1);
}

TEST_P(Lifecycle, StartRegistersCommandThenSceneHook) {
  host().SetInterfaceVersion(R17() ? 18011 : 16999);
  ASSERT_TRUE(host().Load(fixture_.plugin_folder().u8string()));
  ASSERT_EQ(host().Commands().size(), 1u);
  EXPECT_NE(host().FindCommand(ids::kBrowserCommand), nullptr);
  EXPECT_NE(host().FindSceneHook(ids::kSceneHook), nullptr);
  EXPECT_EQ(host().CommandState(ids::kBrowserCommand, nullptr), C4D_CMD_ENABLED);
}

TEST_P(Lifecycle, RefusedCommandFailsTheStartBeforeTheSceneHook) {
  host().SetInterfaceVersion(16999);
  host().SetAcceptCommands(false);
  EXPECT_FALSE(host().Load(fixture_.plugin_folder().u8string()));
  EXPECT_EQ(host().LastLoad().start, C4D_ANSWER_FAILED);
  EXPECT_TRUE(host().SceneHooks().empty());
}

TEST_P(Lifecycle, BannerNamesVersionEditionAndSystem) {
  host().SetInterfaceVersion(R17() ? 18011 : 16999);
  host().SetVersionType(12);
  host().SetOperatingSystem(3);
  ASSERT_TRUE(host().Load(fixture_.plugin_folder().u8string()));
  std::string expected = R17() ? "Lumidrome V(2.142), 18011 License Server, UNIX"
                               : "Lumidrome V(2.143), 16999 License Server, UNIX";
  ASSERT_EQ(host().Printed().size(), 1u);
  EXPECT_EQ(host().Printed()[0], expected);
}

TEST_P(Lifecycle, BannerLeavesUnknownEditionAndSystemEmpty) {
  host().SetInterfaceVersion(R17() ? 18011 : 16999);
  host().SetVersionType(13);
  host().SetOperatingSystem(0);
  ASSERT_TRUE(host().Load(fixture_.plugin_folder().u8string()));
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
    ASSERT_TRUE(host().Load(fixture_.plugin_folder().u8string()));
    ASSERT_EQ(host().Printed().size(), 1u);
    const std::string line = host().Printed()[0];
    const std::string after_version = line.substr(line.find("), ") + 3);
    EXPECT_EQ(after_version.substr(after_version.find(' ') + 1),
              editions[i].second + ", " + systems[i].second);
  }
}

TEST_P(Lifecycle, CommandIsAlwaysEnabled) {
  host().SetInterfaceVersion(R17() ? 18011 : 16999);
  ASSERT_TRUE(host().Load(fixture_.plugin_folder().u8string()));
  EXPECT_EQ(host().CommandState(ids::kBrowserCommand, nullptr), C4D_CMD_ENABLED);
  EXPECT_EQ(host().CommandState(ids::kBrowserCommand, &host().ActiveDocument()), C4D_CMD_ENABLED);
}

INSTANTIATE_TEST_SUITE_P(Builds, Lifecycle, testing::Values(Build::R17, Build::R14),
                         [](const testing::TestParamInfo<Build>& info) {
                           return info.param == Build::R17 ? "R17" : "R14";
                         });

TEST(LifecycleR14, OnHostsFrom17000StartsSilently) {
  PluginFixture fixture(Build::R14);
  fixture.host().SetInterfaceVersion(ids::kFirstNewHost);
  ASSERT_TRUE(fixture.host().Load(fixture.plugin_folder().u8string()));
  EXPECT_EQ(fixture.host().LastLoad().start, C4D_ANSWER_OK);
  EXPECT_TRUE(fixture.host().Commands().empty());
  EXPECT_TRUE(fixture.host().SceneHooks().empty());
  EXPECT_TRUE(fixture.host().Printed().empty());
}

}  // namespace
}  // namespace lumidrome_test
