#include "validate/module_under_test.h"

#include <system_error>

namespace simhost_app {

namespace fs = std::filesystem;

ModuleUnderTest::ModuleUnderTest(const ValidationSettings& settings,
                                 const std::string& check_folder)
    : work_folder_(fs::path(settings.scratch_folder) / check_folder) {
  const fs::path source = fs::path(settings.plugin_folder).lexically_normal();
  const fs::path name = source.has_filename() ? source.filename() : source.parent_path().filename();
  const fs::path user = work_folder_ / "user";
  plugin_folder_ = user / "plugins" / name;
  std::error_code code;
  fs::remove_all(work_folder_, code);
  fs::create_directories(plugin_folder_, code);
  if (!code) {
    fs::copy(source, plugin_folder_, fs::copy_options::recursive | fs::copy_options::copy_symlinks,
             code);
  }
  if (code) error_ = "cannot install a copy of the plug-in folder: " + code.message();
  HostOptions options = settings.host;
  options.user_folder = user.string();
  ApplyHostOptions(options, host_);
}

bool ModuleUnderTest::Ready(std::string* error) const {
  *error = error_;
  return error_.empty();
}

}  // namespace simhost_app
