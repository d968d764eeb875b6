// The function table grows without breaking built modules: the module, built
// against today's header, runs on a newer host whose every area holds more
// functions than it knows and whose table has one area more, and refuses an
// older host whose area lacks a function it was built with.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "c4d_function_table.h"
#include "common/plugin_ids.h"
#include "gui/window_system.h"
#include "plugin_fixture.h"

namespace lumidrome_test {
namespace {

namespace ids = simhost_app::plugin_ids;

// How a scene description names an element of the HDRI object type.
std::string HdriObjectMark() { return "(type " + std::to_string(ids::kHdriObject) + ")"; }
const int32_t kNewerHostVersion = 19000;
const int kNewerFunctions = 5;

// Stands in for every function a newer host appended; the module must never
// reach one.
int g_unknown_calls = 0;
void UnknownFunction() { ++g_unknown_calls; }

// An area as a newer host builds it: what this header knows, then more.
template <typename Area>
struct NewerArea {
  Area known;
  void (*appended[kNewerFunctions])();
};

template <typename Area>
const Area* Grow(const Area* current, NewerArea<Area>* newer) {
  newer->known = *current;
  newer->known.size = sizeof(NewerArea<Area>);
  for (auto& function : newer->appended) function = UnknownFunction;
  return &newer->known;
}

// The table of a newer host: every area larger, and one area appended.
struct NewerTable {
  c4d_function_table known;
  const void* appended_area;

  NewerArea<c4d_general_api> general;
  NewerArea<c4d_container_api> container;
  NewerArea<c4d_resource_api> resource;
  NewerArea<c4d_file_api> file;
  NewerArea<c4d_bitmap_api> bitmap;
  NewerArea<c4d_dialog_api> dialog;
  NewerArea<c4d_plugin_api> plugin;
  NewerArea<c4d_scene_api> scene;

  void Fill(const c4d_function_table& current) {
    known = current;
    appended_area = this;
    known.version = kNewerHostVersion;
    known.size = offsetof(NewerTable, appended_area) + sizeof(appended_area);
    known.general = Grow(current.general, &general);
    known.container = Grow(current.container, &container);
    known.resource = Grow(current.resource, &resource);
    known.file = Grow(current.file, &file);
    known.bitmap = Grow(current.bitmap, &bitmap);
    known.dialog = Grow(current.dialog, &dialog);
    known.plugin = Grow(current.plugin, &plugin);
    known.scene = Grow(current.scene, &scene);
  }
};

class TableGrowth : public testing::TestWithParam<Build> {
 protected:
  TableGrowth() : fixture_(GetParam()) { g_unknown_calls = 0; }
  ~TableGrowth() override { host().Unload(); }
  simhost::Host& host() { return fixture_.host(); }

  // Loads the module and answers action 1 with table.
  int32_t Init(const c4d_function_table* table) {
    std::string error;
    EXPECT_TRUE(host().OpenModule(fixture_.plugin_folder().u8string(), &error)) << error;
    return host().CallInit(table, host().ModulePath().c_str());
  }

  PluginFixture fixture_;
};

TEST_P(TableGrowth, ModuleRunsOnAHostWithLargerAreas) {
  static NewerTable newer;  // outlives the module, as a host's table does
  newer.Fill(host().Table());
  ASSERT_EQ(Init(&newer.known), C4D_ANSWER_OK);
  ASSERT_EQ(host().SendPluginMessage(C4D_MESSAGE_LOAD_RESOURCES, nullptr), C4D_ANSWER_OK);
  ASSERT_EQ(host().CallMain(C4D_ACTION_START, nullptr, nullptr, nullptr), C4D_ANSWER_OK);
  if (GetParam() == Build::R17) {
    ASSERT_NE(host().FindCommand(ids::kBrowserCommand), nullptr);
    host().ExecuteCommand(ids::kBrowserCommand, &host().ActiveDocument());
    c4d_dialog* browser = host().Windows().FindOpenDialog(ids::kBrowserCommand);
    ASSERT_NE(browser, nullptr);
    ASSERT_TRUE(host().Windows().SendInput(browser, ids::kFirstTile, simhost::InputEvent::Click()));
    EXPECT_NE(host().ActiveDocument().Describe().find(HdriObjectMark()), std::string::npos);
  }
  host().Unload();
  EXPECT_EQ(g_unknown_calls, 0);
  EXPECT_TRUE(host().Warnings().empty());
}

// An older host: its scene area ends one function before this build's.
TEST_P(TableGrowth, ModuleRefusesAHostWhoseAreaIsShorterThanItWasBuiltWith) {
  static c4d_function_table older;
  static c4d_scene_api older_scene;
  older = host().Table();
  older_scene = *older.scene;
  older_scene.size = sizeof(c4d_scene_api) - sizeof(void*);
  older.scene = &older_scene;
  EXPECT_EQ(Init(&older), C4D_ANSWER_UNUSABLE_HOST);
  host().Unload();

  older.scene = nullptr;
  EXPECT_EQ(Init(&older), C4D_ANSWER_UNUSABLE_HOST);
}

INSTANTIATE_TEST_SUITE_P(Builds, TableGrowth, testing::Values(Build::R17, Build::R14),
                         [](const testing::TestParamInfo<Build>& info) {
                           return info.param == Build::R17 ? "R17" : "R14";
                         });

}  // namespace
}  // namespace lumidrome_test
