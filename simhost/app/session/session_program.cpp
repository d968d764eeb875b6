#include "session/session_program.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>

#include "platform/platform.h"
#include "session/session.h"
#include "session/terminal_input.h"

namespace simhost_app {

namespace {

constexpr char kStandardInput[] = "standard input";

using simhost::platform::PathFromUtf8;
using simhost::platform::StandardInputIsTerminal;
using simhost::platform::Utf8FromPath;

// Returns how many commands failed, counting an unreadable script as one.
int RunScriptFile(Session& session, const std::string& name) {
  if (name == "-") return session.RunScript(std::cin, kStandardInput);
  std::error_code ignored;
  if (std::filesystem::is_directory(PathFromUtf8(name), ignored)) {
    std::cout << "error: cannot read the script " << name << ": it is a folder\n";
    return 1;
  }
  std::ifstream file(PathFromUtf8(name));
  if (!file) {
    std::cout << "error: cannot read the script " << name << "; check its name\n";
    return 1;
  }
  return session.RunScript(file, name);
}

int RunScripts(Session& session, const std::vector<std::string>& scripts) {
  int failures = 0;
  for (const std::string& script : scripts) {
    if (session.Finished()) break;
    failures += RunScriptFile(session, script);
  }
  return failures;
}

// Copies the plug-in folder into <app folder>/plugins/<its name>, replacing
// an earlier copy; returns the copy's path, or empty with an error line.
std::string InstallInApplication(const std::string& folder, const std::string& app_folder) {
  namespace fs = std::filesystem;
  fs::path source = PathFromUtf8(folder);
  if (!source.has_filename()) source = source.parent_path();
  const fs::path target = PathFromUtf8(app_folder) / "plugins" / source.filename();
  std::error_code error;
  fs::remove_all(target, error);
  // The copy makes the folder itself: on Windows copying into a folder that
  // exists fails with "File exists".
  fs::create_directories(target.parent_path(), error);
  if (!error) fs::copy(source, target, fs::copy_options::recursive, error);
  if (error) {
    std::cout << "error: cannot install the plug-in in " << Utf8FromPath(target) << ": "
              << error.message() << "\n";
    return std::string();
  }
  std::cout << "installed the plug-in in the application's plug-ins folder: "
            << Utf8FromPath(target) << "\n";
  return Utf8FromPath(target);
}

}  // namespace

// A folder of the session's own (the user folder, the application folder),
// made when none was given and removed at exit, so that a session never
// leaves files in the current folder.
class TemporaryFolder {
 public:
  TemporaryFolder(std::string& folder, const char* prefix, const char* what, const char* option) {
    if (!folder.empty()) return;
    std::string reason;
    const std::string made = simhost::platform::MakeUniqueFolder("", prefix, &reason);
    if (made.empty()) return;
    path_ = folder = made;
    std::cout << "note: " << what << " " << path_ << " (temporary, removed at exit; keep one with "
              << option << ")\n";
  }
  ~TemporaryFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(PathFromUtf8(path_), ignored);
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  bool failed() const { return path_.empty(); }

 private:
  std::string path_;
};

int RunSessionProgram(const SessionRun& given) {
  SessionRun run = given;
  const bool needs_temporary = run.host.user_folder.empty();
  TemporaryFolder user(run.host.user_folder, "simhost-user-", "user folder", "--user-folder");
  if (needs_temporary && user.failed()) {
    std::cout << "error: cannot make a temporary user folder; give one with --user-folder\n";
    return 1;
  }
  std::optional<TemporaryFolder> app;
  if (run.install_in_app && run.host.app_folder.empty()) {
    app.emplace(run.host.app_folder, "simhost-app-", "application folder", "--app-folder");
    if (app->failed()) {
      std::cout << "error: cannot make a temporary application folder; give one with "
                   "--app-folder\n";
      return 1;
    }
  }
  simhost::Host host;
  ApplyHostOptions(run.host, host);
  std::string folder = simhost::platform::AbsolutePath(run.plugin_folder);
  if (run.install_in_app) {
    folder = InstallInApplication(folder, host.StartupFolder());
    if (folder.empty()) return 1;
  }
  Session session(host, folder, std::cout, SessionOptions{run.verbose});
  if (!session.Start()) return 1;
  const bool terminal = StandardInputIsTerminal();
  int failures = 0;
  if (!run.scripts.empty()) {
    failures = RunScripts(session, run.scripts);
  } else if (!terminal) {
    failures = session.RunScript(std::cin, kStandardInput);
  }
  const bool stay = run.scripts.empty() || run.interactive;
  if (stay && terminal && !session.Finished()) RunAtTerminal(session);
  if (run.interactive && !terminal && !session.Finished()) {
    std::cout << "(standard input is not a terminal: the session ends here)\n";
  }
  std::cout.flush();
  return failures > 0 ? 1 : 0;
}

}  // namespace simhost_app
