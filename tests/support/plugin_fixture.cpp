#include "plugin_fixture.h"

namespace lumidrome_test {

namespace fs = std::filesystem;

std::string BuiltFolder(Build build) {
  return build == Build::R17 ? LUMIDROME_R17_FOLDER : LUMIDROME_R14_FOLDER;
}

std::string ModuleFileName() { return LUMIDROME_MODULE_FILE; }

PluginFixture::PluginFixture(Build build)
    : root_("lumidrome test \xC3\xBC"),                               // "ü"
      user_folder_(root_.path() / PathOf("Benutzer \xC3\x96rdner")),  // "Ö"
      plugin_folder_(user_folder_ / "plugins" / "Lumidrome") {
  fs::create_directories(plugin_folder_);
  fs::copy(PathOf(BuiltFolder(build)), plugin_folder_, fs::copy_options::recursive);
  host_.SetUserFolder(Utf8(user_folder_));
}

PluginFixture::~PluginFixture() { host_.Unload(); }

}  // namespace lumidrome_test
