// The host's own services and the life of what a module registers, driven
// through the table as a module would drive it.
#include "host.h"

#include <gtest/gtest.h>

#include "bitmap.h"
#include "common/plugin_ids.h"
#include "platform/platform.h"
#include "test_support.h"

namespace simhost {
namespace {

using simhost_test::TextCatcher;
namespace ids = simhost_app::plugin_ids;

std::vector<std::string> g_calls;

void CommandDestroy(void* self) {
  g_calls.push_back("destroy " + *static_cast<std::string*>(self));
}
c4d_bool CommandExecute(void* self, c4d_atom*) {
  g_calls.push_back("execute " + *static_cast<std::string*>(self));
  return 1;
}
c4d_bool CommandRestore(void*, void* secret) { return secret != nullptr; }

void* HookAlloc(void*) { return new int(0); }
void HookDestroy(void*, void* instance) {
  g_calls.push_back("hook destroy");
  delete static_cast<int*>(instance);
}
void HookFree(void*, c4d_atom*) { g_calls.push_back("hook free"); }
void HookUnregister(void*) { g_calls.push_back("hook unregister"); }

class HostTest : public ::testing::Test {
 protected:
  void SetUp() override { g_calls.clear(); }

  bool RegisterCommand(int32_t id, std::string* self, const c4d_bitmap* icon = nullptr) {
    c4d_command_callbacks callbacks{};
    callbacks.destroy = CommandDestroy;
    callbacks.execute = CommandExecute;
    callbacks.restore_layout = CommandRestore;
    // The host copies the callback table: a module's table may be short-lived.
    return host_.Table().plugin->register_command(id, "Lumidrome", 0, icon, "Open Lumidrome",
                                                  &callbacks, self) != 0;
  }

  bool RegisterHook(int32_t id) {
    c4d_node_callbacks callbacks{};
    callbacks.alloc = HookAlloc;
    callbacks.destroy = HookDestroy;
    callbacks.free = HookFree;
    callbacks.unregister = HookUnregister;
    return host_.Table().plugin->register_scene_hook(id, "HDRI Scene Hook", 0, &callbacks, nullptr,
                                                     4, 0, nullptr) != 0;
  }

  // Command objects outlive the host, which destroys them as it goes.
  std::string first_ = "first";
  std::string second_ = "second";
  Host host_;
  const c4d_general_api& general_ = *host_.Table().general;
};

TEST_F(HostTest, UnloadDestroysCommandsThenHookInstancesThenRegistrations) {
  ASSERT_TRUE(RegisterCommand(ids::kBrowserCommand, &first_));
  ASSERT_TRUE(RegisterCommand(ids::kBrowserCommand + 1, &second_));
  ASSERT_TRUE(RegisterHook(ids::kSceneHook));
  host_.NewDocument();
  EXPECT_EQ(host_.ExecuteCommand(ids::kBrowserCommand, &host_.ActiveDocument()), true);
  EXPECT_EQ(host_.ExecuteCommand(1, nullptr), std::nullopt);
  EXPECT_EQ(host_.CommandState(ids::kBrowserCommand, nullptr),
            C4D_CMD_ENABLED);  // the host's default
  int secret = 0;
  EXPECT_EQ(host_.RestoreCommandLayout(ids::kBrowserCommand, &secret), true);

  host_.Unload();
  EXPECT_EQ(g_calls, (std::vector<std::string>{"execute first", "destroy first", "destroy second",
                                               "hook free", "hook destroy", "hook free",
                                               "hook destroy", "hook unregister"}));
  EXPECT_TRUE(host_.Commands().empty());
  EXPECT_EQ(host_.ActiveDocument().FindSceneHook(ids::kSceneHook), nullptr);
  host_.Unload();  // nothing left to destroy twice
  EXPECT_EQ(g_calls.size(), 8u);
}

TEST_F(HostTest, RegistrationsCanBeRefusedAndDuplicatesAreRefused) {
  host_.SetAcceptCommands(false);
  EXPECT_FALSE(RegisterCommand(ids::kBrowserCommand, &first_));
  host_.SetAcceptCommands(true);
  EXPECT_TRUE(RegisterCommand(ids::kBrowserCommand, &first_));
  EXPECT_FALSE(RegisterCommand(ids::kBrowserCommand, &first_));
  host_.SetAcceptSceneHooks(false);
  EXPECT_FALSE(RegisterHook(ids::kSceneHook));
  EXPECT_TRUE(host_.SceneHooks().empty());
  EXPECT_FALSE(host_.Table().plugin->register_command(5, "x", 0, nullptr, "", nullptr, &second_));
  host_.Unload();
  EXPECT_EQ(g_calls, (std::vector<std::string>{"destroy first"}));
}

TEST_F(HostTest, TheCommandKeepsItsOwnCopyOfTheIcon) {
  const c4d_bitmap_api& bitmaps = *host_.Table().bitmap;
  c4d_bitmap* icon = bitmaps.alloc();
  bitmaps.init_size(icon, 32, 32, 24, 0);
  bitmaps.set_pixel(icon, 1, 1, 255, 0, 0);
  ASSERT_TRUE(RegisterCommand(ids::kBrowserCommand, &first_, icon));
  bitmaps.free(icon);  // the module frees its bitmap right after registering
  const RegisteredCommand* command = host_.FindCommand(ids::kBrowserCommand);
  ASSERT_NE(command, nullptr);
  ASSERT_NE(command->icon, nullptr);
  EXPECT_EQ(command->icon->Width(), 32);
  EXPECT_EQ(command->name, "Lumidrome");
  EXPECT_EQ(command->help, "Open Lumidrome");
  uint8_t rgb[3];
  command->icon->GetPixel(1, 1, rgb);
  EXPECT_EQ(rgb[0], 255);
}

// The path written with this system's own separator.
std::string Native(std::string path) {
  for (char& c : path) {
    if (c == '/') c = platform::kPreferredSeparator;
  }
  return path;
}

TEST_F(HostTest, FoldersFollowTheUserAndPreferencesSettings) {
  host_.SetUserFolder("/home/artist/host/");
  TextCatcher prefs;
  general_.get_c4d_path(1, TextCatcher::Sink, &prefs);
  EXPECT_EQ(prefs.text, Native("/home/artist/host/prefs"));
  host_.SetPreferencesFolder("/users/me/prefs_R18");
  EXPECT_EQ(host_.UserFolder(), Native("/users/me"));
  host_.SetStartupFolder("/opt/app");
  TextCatcher startup;
  general_.get_startup_path(TextCatcher::Sink, &startup);
  EXPECT_EQ(startup.text, Native("/opt/app"));
  TextCatcher unknown;
  general_.get_c4d_path(99, TextCatcher::Sink, &unknown);
  EXPECT_EQ(unknown.text, "");
  EXPECT_EQ(unknown.calls, 1);
}

TEST_F(HostTest, TheKeyboardReportsTheQualifiersSetUp) {
  constexpr int32_t kKeyboard = C4D_BFM_INPUT_KEYBOARD;
  constexpr int32_t kChannel = C4D_BFM_INPUT_CHANNEL;
  constexpr int32_t kQualifier = C4D_BFM_INPUT_QUALIFIER;
  const c4d_container_api& containers = *host_.Table().container;
  c4d_container* state = containers.create(0);
  host_.SetKeyboardQualifiers(3);
  ASSERT_TRUE(general_.get_input_state(kKeyboard, kChannel, state));
  c4d_value value;
  ASSERT_TRUE(containers.get(state, kQualifier, &value));
  EXPECT_EQ(value.int32_value, 3);
  EXPECT_FALSE(general_.get_input_state(0x12345678, kChannel, state));
  EXPECT_FALSE(general_.get_input_state(kKeyboard, kChannel, nullptr));
  containers.destroy(state);
}

TEST_F(HostTest, WhatAPersonShouldSeeIsRecordedInOrderAndObserved) {
  std::vector<std::string> observed;
  host_.SetObserver([&](const std::string& kind, const std::string& text) {
    observed.push_back(kind + ": " + text);
  });
  host_.QueueOpenHtmlAnswer(false);
  general_.print("Lumidrome V(2.142), 18011 Studio, UNIX");
  general_.message_dialog("Broken asset file, please reinstall Lumidrome.");
  EXPECT_FALSE(general_.open_html("https://example.invalid/packs"));
  EXPECT_TRUE(general_.open_html("https://example.invalid/store"));
  general_.sleep(20);
  general_.event_add(0);
  EXPECT_EQ(observed,
            (std::vector<std::string>{"print: Lumidrome V(2.142), 18011 Studio, UNIX",
                                      "message: Broken asset file, please reinstall Lumidrome.",
                                      "open_html: https://example.invalid/packs (failed)",
                                      "open_html: https://example.invalid/store", "sleep: 20 ms",
                                      "event_add: flags 0"}));
  ASSERT_EQ(host_.OpenedPages().size(), 2u);
  EXPECT_FALSE(host_.OpenedPages()[0].answer);
  EXPECT_EQ(host_.Sleeps(), std::vector<int32_t>{20});
  EXPECT_EQ(host_.EventAdds(), std::vector<int32_t>{0});
}

TEST_F(HostTest, ResourceSetsAreCountedAndCanBeRefused) {
  const c4d_resource_api& resources = *host_.Table().resource;
  simhost_test::TempFolder res(simhost_test::kTempPrefix);
  c4d_resource* set = resources.load(res.Utf8Path().c_str());
  ASSERT_NE(set, nullptr);
  resources.release(set, 1);
  resources.release(set, 1);  // stale
  // As the real host, no resource set from a folder that is not there.
  EXPECT_EQ(resources.load((res.Utf8Path() + "/absent").c_str()), nullptr);
  EXPECT_EQ(resources.load(res.File("file").c_str()), nullptr);
  host_.SetResourceLoading(false);
  EXPECT_EQ(resources.load(res.Utf8Path().c_str()), nullptr);
  EXPECT_EQ(host_.ResourceLoadRequests(), 4);
  EXPECT_EQ(host_.ResourceReleases(), 1);
  EXPECT_EQ(host_.Warnings().size(), 1u);
}

TEST_F(HostTest, LoadingAFolderWithoutAModuleFailsCleanly) {
  simhost_test::TempFolder folder(simhost_test::kTempPrefix);
  EXPECT_FALSE(host_.Load(folder.Utf8Path()));
  EXPECT_NE(host_.LastLoad().error.find("no module"), std::string::npos);
  EXPECT_FALSE(host_.ModuleLoaded());
  EXPECT_EQ(host_.CallMain(C4D_ACTION_VERSION, nullptr, nullptr, nullptr), C4D_ANSWER_REFUSED);
  simhost_test::WriteBytes(folder.File(std::string("Lumidrome") + platform::ModuleSuffix()),
                           {'n', 'o', 't'});
  EXPECT_FALSE(host_.Load(folder.Utf8Path()));
  EXPECT_NE(host_.LastLoad().error.find("cannot load"), std::string::npos);
}

}  // namespace
}  // namespace simhost
