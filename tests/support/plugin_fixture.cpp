#include "plugin_fixture.h"

#include <unistd.h>

#include <atomic>

namespace lumidrome_test {

const char* BuiltFolder(Build build) {
  return build == Build::R17 ? LUMIDROME_R17_FOLDER : LUMIDROME_R14_FOLDER;
}

namespace {
std::filesystem::path FreshRoot() {
  static std::atomic<int> counter{0};
  std::filesystem::path root =
      std::filesystem::temp_directory_path() /
      ("lumidrome-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(root);
  std::filesystem::create_directories(root);
  return root;
}
}  // namespace

PluginFixture::PluginFixture(Build build)
    : root_(FreshRoot()),
      user_folder_(root_ / "user"),
      plugin_folder_(user_folder_ / "plugins" / "Lumidrome") {
  std::filesystem::create_directories(plugin_folder_);
  std::filesystem::copy(BuiltFolder(build), plugin_folder_,
                        std::filesystem::copy_options::recursive);
  host_.SetUserFolder(user_folder_.string());
}

PluginFixture::~PluginFixture() {
  host_.Unload();
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

}  // namespace lumidrome_test
