// Loading a real shared module: the call order, the module path, refusals
// and the clean-up before the library goes. Runs when the build provides the
// fake module's folder as SIMHOST_FAKE_MODULE_DIR.
#include <gtest/gtest.h>

#include "fake_module/fake_module_ids.h"
#include "host.h"
#include "platform/platform.h"

namespace simhost {
namespace {

#ifdef SIMHOST_FAKE_MODULE_DIR
constexpr const char* kFolder = SIMHOST_FAKE_MODULE_DIR;
#else
constexpr const char* kFolder = nullptr;
#endif

class ModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (kFolder == nullptr) GTEST_SKIP() << "SIMHOST_FAKE_MODULE_DIR not set by the build";
  }
  int32_t AliveCount() {
    return host_.CallMain(fake_module::kAliveQuestion, nullptr, nullptr, nullptr);
  }

  Host host_;
};

TEST_F(ModuleTest, LoadStartsTheModuleAndUnloadCleansUpBeforeClosing) {
  ASSERT_TRUE(host_.Load(kFolder)) << host_.LastLoad().error;
  EXPECT_EQ(host_.LastLoad().init, C4D_ANSWER_OK);
  EXPECT_EQ(host_.LastLoad().resources, C4D_ANSWER_OK);
  EXPECT_EQ(host_.LastLoad().start, C4D_ANSWER_OK);
  const std::string path = host_.ModulePath();
  EXPECT_TRUE(platform::PathFromUtf8(path).is_absolute()) << path;
  const std::string suffix = platform::ModuleSuffix();
  ASSERT_GT(path.size(), suffix.size());
  EXPECT_EQ(path.substr(path.size() - suffix.size()), suffix);
  ASSERT_EQ(host_.Printed().size(), 1u);
  EXPECT_EQ(host_.Printed()[0], "fake module started from " + path);
  EXPECT_EQ(host_.ResourceLoadRequests(), 1);
  EXPECT_EQ(AliveCount(), 11);  // one command, one hook instance
  EXPECT_EQ(host_.ExecuteCommand(fake_module::kCommand, &host_.ActiveDocument()), true);

  host_.Unload();
  EXPECT_FALSE(host_.ModuleLoaded());
  EXPECT_EQ(host_.ResourceReleases(), 1);  // C4D_ACTION_END ran
  EXPECT_EQ(host_.Printed().back(), "fake hook unregistered");
  EXPECT_TRUE(host_.Warnings().empty());
}

TEST_F(ModuleTest, RawCallsReachTheModuleWithAnyTable) {
  std::string error;
  ASSERT_TRUE(host_.OpenModule(kFolder, &error)) << error;
  const c4d_function_table* old_table = host_.MakeTable(16999, sizeof(c4d_function_table));
  EXPECT_EQ(host_.CallInit(old_table, host_.ModulePath().c_str()), C4D_ANSWER_UNUSABLE_HOST);
  EXPECT_EQ(host_.CallInit(&host_.Table(), nullptr), C4D_ANSWER_UNUSABLE_HOST);
  EXPECT_EQ(host_.CallInit(&host_.Table(), host_.ModulePath().c_str()), C4D_ANSWER_OK);
  host_.SetAcceptSceneHooks(false);
  EXPECT_EQ(host_.CallMain(C4D_ACTION_START, nullptr, nullptr, nullptr), C4D_ANSWER_FAILED);
  EXPECT_EQ(AliveCount(), 10);
  EXPECT_EQ(host_.SendPluginMessage(7, nullptr), C4D_ANSWER_REFUSED);  // no such message
  host_.Unload();  // C4D_ACTION_END goes out, as an init was sent
  EXPECT_EQ(host_.Commands().size(), 0u);
}

TEST_F(ModuleTest, AModuleRefusingToInitialiseIsUnloadedAtOnce) {
  host_.SetInterfaceVersion(16000);
  EXPECT_FALSE(host_.Load(kFolder));
  EXPECT_EQ(host_.LastLoad().init, C4D_ANSWER_UNUSABLE_HOST);
  EXPECT_FALSE(host_.ModuleLoaded());
}

}  // namespace
}  // namespace simhost
