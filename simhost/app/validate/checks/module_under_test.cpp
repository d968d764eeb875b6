#include "validate/checks/module_under_test.h"

#include <system_error>

#include "platform/platform.h"

namespace simhost_app {

namespace fs = std::filesystem;
using simhost::platform::PathFromUtf8;
using simhost::platform::Utf8FromPath;

namespace {

// Where the browser keeps the library folder the developer last chose. A
// copy without them starts every check from the plug-in as shipped, never
// from a library of the developer's that the checks know nothing of.
constexpr const char* kSettingsFiles[] = {"VexaLumidromeRemotePath.hf",
                                          "VexaLumidromeRemotePath.txt"};

void RemoveSettingsFiles(const fs::path& plugin_folder, std::error_code& code) {
  for (const char* name : kSettingsFiles) {
    if (!code) fs::remove(plugin_folder / "res" / name, code);
  }
}

}  // namespace

ModuleUnderTest::ModuleUnderTest(const ValidationSettings& settings,
                                 const std::string& check_folder)
    : work_folder_(PathFromUtf8(settings.scratch_folder) / PathFromUtf8(check_folder)) {
  const fs::path source = PathFromUtf8(settings.plugin_folder).lexically_normal();
  const fs::path name = source.has_filename() ? source.filename() : source.parent_path().filename();
  const fs::path user = work_folder_ / "user";
  plugin_folder_ = user / "plugins" / name;
  std::error_code code;
  fs::remove_all(work_folder_, code);
  // The copy makes the folder itself: copying into an existing folder fails
  // on Windows when both lie on one drive (files there have no inode
  // numbers, so every two look like one file to the C++ library).
  fs::create_directories(plugin_folder_.parent_path(), code);
  if (!code) {
    fs::copy(source, plugin_folder_, fs::copy_options::recursive | fs::copy_options::copy_symlinks,
             code);
  }
  RemoveSettingsFiles(plugin_folder_, code);
  if (code) {
    error_ = "cannot install a copy of the plug-in folder " + Utf8FromPath(source) + " in " +
             Utf8FromPath(plugin_folder_) + ": " + code.message() +
             "; check that --user-folder names a writable folder";
  }
  HostOptions options = settings.host;
  options.user_folder = Utf8FromPath(user);
  ApplyHostOptions(options, host_);
}

bool ModuleUnderTest::Ready(std::string* error) const {
  *error = error_;
  return error_.empty();
}

}  // namespace simhost_app
